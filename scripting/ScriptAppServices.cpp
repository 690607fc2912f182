#include "scripting/ScriptAppServices.h"

namespace {

std::function<CWnd*(CView*)>& editCtrlFinder() {
    static std::function<CWnd*(CView*)> finder;
    return finder;
}

} // namespace

CWnd* GetMainWindow() {
    CWinApp* app = AfxGetApp();
    return app ? app->GetMainWnd() : nullptr;
}

CWnd* GetActiveEditCtrl() {
    auto* frame = dynamic_cast<CFrameWnd*>(GetMainWindow());
    if (!frame || !editCtrlFinder()) return nullptr;
    CFrameWnd* active = frame->GetActiveFrame();
    CView* view = active ? active->GetActiveView() : nullptr;
    return view ? editCtrlFinder()(view) : nullptr;
}

void SetEditCtrlOfView(std::function<CWnd*(CView*)> finder) {
    editCtrlFinder() = std::move(finder);
}
