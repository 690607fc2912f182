// The editor's process-wide objects and helpers.

#include "app/program/editor_globals.h"

#include "app/program/CEditMDIView.h"

#include <algorithm>

namespace {

CString& pendingTemplate() {
    static CString path;
    return path;
}

BOOL& functionsListEnabled() {
    static BOOL enabled = FALSE;
    return enabled;
}

} // namespace

CIniFile& GetSettings() {
    static CIniFile settings;
    return settings;
}

BOOL LoadSettingsFile(LPCTSTR lpszPath) {
    return GetSettings().Load(lpszPath, FALSE, FALSE);
}

CEditMDIView* GetActiveEditView() {
    auto* frame = dynamic_cast<CMDIFrameWnd*>(GetMainWindow());
    if (!frame) return nullptr;
    CMDIChildWnd* child = frame->MDIGetActive();
    if (!child) return nullptr;
    return dynamic_cast<CEditMDIView*>(child->GetActiveView());
}

std::vector<CDocument*> GetAllDocuments() {
    std::vector<CDocument*> documents;
    CWinApp* app = AfxGetApp();
    if (!app) return documents;
    for (POSITION t = app->GetFirstDocTemplatePosition(); t;) {
        CDocTemplate* tmpl = app->GetNextDocTemplate(t);
        for (POSITION d = tmpl->GetFirstDocPosition(); d;)
            documents.push_back(tmpl->GetNextDoc(d));
    }
    return documents;
}

BOOL IsOpenDocument(const CDocument* pDoc) {
    const std::vector<CDocument*> documents = GetAllDocuments();
    return std::find(documents.begin(), documents.end(), pDoc) != documents.end();
}

void SetPendingTemplate(LPCTSTR lpszPath) {
    pendingTemplate() = lpszPath ? lpszPath : "";
}

CString GetPendingTemplate() {
    return pendingTemplate();
}

BOOL IsFunctionsListEnabled() {
    return functionsListEnabled();
}

void EnableFunctionsList(BOOL bEnable) {
    functionsListEnabled() = bEnable;
}

CString ResourceString(UINT nID) {
    CString text;
    if (!text.LoadString(nID)) text.Empty();
    return text;
}

CString GetFolderOfPath(LPCTSTR lpszPath) {
    CString path(lpszPath ? lpszPath : "");
    int slash = std::max(path.ReverseFind('/'), path.ReverseFind('\\'));
    return slash < 0 ? CString() : path.Left(slash + 1);
}

CString MacroToken(LPCTSTR lpszName) {
    return CString("$(") + lpszName + ")";
}

CPoint ContextMenuPosition(CPoint point) {
    if (point.x != -1 || point.y != -1) return point;
    ::GetCursorPos(&point);
    point.Offset(5, 5);
    return point;
}

void TrackContextMenu(CWnd* pOwner, CPoint point, UINT nMenuID, int nIndex) {
    CMenu menu;
    if (!menu.LoadMenu(nMenuID)) return;
    CMenu* popup = menu.GetSubMenu(nIndex);
    if (!popup) return;
    point = ContextMenuPosition(point);
    popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, pOwner);
    menu.DestroyMenu();
}
