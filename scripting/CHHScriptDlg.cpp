#include "scripting/CHHScriptDlg.h"

#include "platform/framework/CCmdUI.h"
#include "scripting/CHHModule.h"
#include "scripting/CHHScriptSyntaxView.h"
#include "scripting/ScriptStrings.h"

BEGIN_MESSAGE_MAP(CHHScriptDlg, CDialog)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_INITMENUPOPUP()
    ON_UPDATE_COMMAND_UI(ID_HHSCRIPT_EDIT, OnUpdateEditScript)
END_MESSAGE_MAP()

namespace {

const char kSection[] = "Settings";
constexpr UINT kViewId = 100;

} // namespace

CHHScriptDlg::CHHScriptDlg(CWnd* pParent, CRuntimeClass* pViewClass, UINT nIDTemplate)
    : m_nIDTemplate(nIDTemplate), m_pViewClass(pViewClass) {
    m_pParentWnd = pParent;
}

BOOL CHHScriptDlg::Create(CWnd* pOwner) {
    DeclareScriptResources();
    return CDialog::Create(m_nIDTemplate, pOwner);
}

int CHHScriptDlg::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CDialog::OnCreate(lpCreateStruct) == -1) return -1;
    if (!m_pViewClass) m_pViewClass = RUNTIME_CLASS(CHHScriptSyntaxView);
    if (!m_pViewClass->IsDerivedFrom(RUNTIME_CLASS(CHHScriptViewBase))) return -1;
    m_pView = static_cast<CHHScriptViewBase*>(m_pViewClass->CreateObject());
    if (!m_pView) return -1;
    if (!m_pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(0, 0, 0, 0), this,
                         kViewId)) {
        m_pView = nullptr; // a view whose window failed deletes itself
        return -1;
    }
    m_pView->SetFrameActivation(FALSE);
    return 0;
}

BOOL CHHScriptDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    if (CWnd* placeholder = GetDlgItem(IDC_HHSCRIPT_PLACEHOLDER)) {
        CRect place, client;
        placeholder->GetWindowRect(&place);
        ScreenToClient(&place);
        GetClientRect(&client);
        m_nWidthMargin = client.Width() - place.Width();
        m_nHeightMargin = client.Height() - place.Height();
        m_pView->SetWindowPos(placeholder, place.left, place.top, place.Width(), place.Height(),
                              SWP_NOACTIVATE);
        placeholder->DestroyWindow();
    }
    m_pView->InitView();
    m_pView->GetEditCtrl()->SetFocus();
    LoadPlacement();
    return FALSE;
}

INT_PTR CHHScriptDlg::RunModal() {
    HWND owner = PreModal();
    const BOOL disabled = owner && ::IsWindowEnabled(owner);
    if (disabled) ::EnableWindow(owner, FALSE);
    EnableWindow(TRUE);
    ShowWindow(SW_SHOW);
    int result = -1;
    try {
        result = RunModalLoop(0);
    } catch (CException* e) {
        e->Delete();
        result = -1;
    }
    if (disabled) ::EnableWindow(owner, TRUE);
    if (owner && ::GetActiveWindow() == m_hWnd) ::SetActiveWindow(owner);
    return result;
}

void CHHScriptDlg::OnSize(UINT, int cx, int cy) {
    Default();
    if (m_pView && m_pView->GetSafeHwnd())
        m_pView->SetWindowPos(nullptr, 0, 0, cx - m_nWidthMargin, cy - m_nHeightMargin,
                              SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    SavePlacement();
}

void CHHScriptDlg::OnWindowPosChanged(WINDOWPOS*) {
    Default();
    SavePlacement();
}

void CHHScriptDlg::OnInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL bSysMenu) {
    if (!bSysMenu) pm::afx::updateMenuItems(pPopupMenu, this);
}

CString CHHScriptDlg::PlacementKey(LPCSTR value) {
    CString key;
    key.Format("CHHScriptDlg %d %s", GetDlgCtrlID(), value);
    return key;
}

void CHHScriptDlg::LoadPlacement() {
    CWinApp* app = AfxGetApp();
    if (!app) return;
    const int x = static_cast<int>(app->GetProfileInt(kSection, PlacementKey("X"), -1));
    const int y = static_cast<int>(app->GetProfileInt(kSection, PlacementKey("Y"), -1));
    const int w = static_cast<int>(app->GetProfileInt(kSection, PlacementKey("Width"), -1));
    const int h = static_cast<int>(app->GetProfileInt(kSection, PlacementKey("Height"), -1));
    const int mode = static_cast<int>(app->GetProfileInt(kSection, PlacementKey("EditMode"), -1));
    const int cxScreen = ::GetSystemMetrics(SM_CXSCREEN), cyScreen = ::GetSystemMetrics(SM_CYSCREEN);
    if (x >= 0 && y >= 0 && w >= 0 && h >= 0 && x < cxScreen && w < cxScreen && y < cyScreen && h < cyScreen)
        MoveWindow(x, y, w, h, TRUE);
    if (mode > 0 && mode <= HHMODE_MODULE) m_pView->SetEditMode(mode);
}

void CHHScriptDlg::SavePlacement() {
    CWinApp* app = AfxGetApp();
    if (!app || !m_pView || !IsWindowVisible()) return;
    CRect r;
    GetWindowRect(&r);
    app->WriteProfileInt(kSection, PlacementKey("X"), r.left);
    app->WriteProfileInt(kSection, PlacementKey("Y"), r.top);
    app->WriteProfileInt(kSection, PlacementKey("Width"), r.Width());
    app->WriteProfileInt(kSection, PlacementKey("Height"), r.Height());
    app->WriteProfileInt(kSection, PlacementKey("EditMode"), m_pView->GetEditMode());
}
