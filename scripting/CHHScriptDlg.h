#pragma once
// CHHScriptDlg: the "Script" dialog of the macro editor: a resizable pop-up holding one script view
// where its template's placeholder is. It is created modeless and then run modally, so that its
// owner can fill the view in between; its place, size and view mode are kept in the profile. Its
// menu offers the script module's commands (run, pause, stop, the debugger), which go on to the
// application and from there to the module.

#include "platform/framework/CDialog.h"
#include "scripting/CHHScriptViewBase.h"
#include "scripting/ScriptStrings.h"

#define IDD_HHSCRIPT IDD_HHSCRIPT_DIALOG
#define IDC_HHSCRIPT_PLACEHOLDER IDD_HHSCRIPT_PLACEHOLDER

class CHHScriptDlg : public CDialog {
public:
    // A null view class means the syntax-checking view.
    explicit CHHScriptDlg(CWnd* pParent = nullptr, CRuntimeClass* pViewClass = nullptr,
                          UINT nIDTemplate = IDD_HHSCRIPT);

    void SetViewClass(CRuntimeClass* pViewClass) { m_pViewClass = pViewClass; }
    CHHScriptViewBase* GetView() const { return m_pView; }
    BOOL Create(CWnd* pOwner = nullptr);
    // Runs the created dialog modally; the result given to EndDialog, -1 after an exception.
    INT_PTR RunModal();

    BOOL OnInitDialog() override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    // The editor is open already: "Edit Script..." has nothing to open.
    afx_msg void OnUpdateEditScript(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    DECLARE_MESSAGE_MAP()

    void LoadPlacement();
    void SavePlacement();
    CString PlacementKey(LPCSTR value);

    UINT m_nIDTemplate;
    CRuntimeClass* m_pViewClass;
    CHHScriptViewBase* m_pView = nullptr;
    int m_nWidthMargin = 0;
    int m_nHeightMargin = 0;
};
