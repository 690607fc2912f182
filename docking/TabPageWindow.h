#pragma once
// A page window over a control class (a list box, a tree control ...) that shares the scroll bars
// of a CDKTabViewContainer it sits in: its size, scroll and key handling, and a one-second timer,
// hand its scroll state to the container. In any other parent it behaves as the plain control.

#include "docking/CDKTabViewContainer.h"

#include "platform/framework/afxwin.h"

template <class TBase> class TabPageWindow : public TBase {
public:
    static constexpr UINT_PTR kScrollTimer = 123;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case WM_CREATE: {
            const LRESULT result = TBase::WindowProc(message, wParam, lParam);
            if (result != -1) this->SetTimer(kScrollTimer, 1000, nullptr);
            return result;
        }
        case WM_DESTROY:
            this->KillTimer(kScrollTimer);
            break;
        case WM_TIMER:
            if (wParam != kScrollTimer) break;
            TakeOverInfo();
            return 0;
        case WM_SIZE: {
            const LRESULT result = TBase::WindowProc(message, wParam, lParam);
            if (CDKTabViewContainer* pContainer = GetParentTabViewContainer(this, TRUE)) {
                TakeOverPageScrollState(pContainer);
                TakeOverPageScrollInfo(pContainer);
            }
            return result;
        }
        case WM_HSCROLL:
        case WM_VSCROLL:
        case WM_MOUSEWHEEL:
        case WM_KEYDOWN: {
            const LRESULT result = TBase::WindowProc(message, wParam, lParam);
            TakeOverInfo();
            return result;
        }
        default:
            break;
        }
        return TBase::WindowProc(message, wParam, lParam);
    }

private:
    void TakeOverInfo() {
        if (CDKTabViewContainer* pContainer = GetParentTabViewContainer(this, TRUE))
            TakeOverPageScrollInfo(pContainer);
    }
};
