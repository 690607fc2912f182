#pragma once
// CHHDebugApplication: the program's registration with the system's script debugger. This system
// has no script debugger: Create fails, the object stays empty, every wrapper answers
// E_UNEXPECTED, and the debug commands and the error dialog's Debug button stay disabled.

#include "platform/framework/afxwin.h"
#include "platform/com/unknwn.h"

class CHHDebugApplication : public CObject {
    DECLARE_DYNCREATE(CHHDebugApplication)
public:
    ~CHHDebugApplication() override { Close(); }

    // Registers the program under the name with the process debug manager.
    HRESULT Create(LPCTSTR lpszName);
    void Close() { m_dwCookie = 0; }
    // TRUE when both the debug manager and the debug application are held.
    BOOL IsAvailable() const { return FALSE; }
    HRESULT CauseBreak() { return E_UNEXPECTED; }
    HRESULT StartDebugSession() { return E_UNEXPECTED; }

private:
    DWORD m_dwCookie = 0;
};
