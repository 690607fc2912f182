#pragma once
// CHHModuleEdit: a script module with the macro editor and the Objects dialog. With edit-on-error
// on, an error that the user ended opens the editor at its line and column on the next command
// routing that reaches the module. While the editor is open, a run takes the editor's text, and an
// error puts the open editor at its place instead of opening another one.

#include "scripting/CHHModule.h"

class CHHScriptDlg;
class CHHScriptViewBase;

class CHHModuleEdit : public CHHModule {
    DECLARE_DYNAMIC(CHHModuleEdit)
public:
    // pViewClass replaces the editor's own view class when given.
    explicit CHHModuleEdit(CRuntimeClass* pViewClass = nullptr);

    void SetEditOnError(int bEditOnError) { m_bEditOnError = bEditOnError; }

    // Opens the macro editor at the object's procedure; runs the macro afterwards when asked.
    virtual void EditScript(LPCTSTR lpszObject, LPCTSTR lpszProcedure, BOOL bRunAfterwards);
    // The same, and when nLine is 0 or more, at that line and column.
    virtual void EditScript(LPCTSTR lpszObject, LPCTSTR lpszProcedure, int nLine, int nColumn,
                            BOOL bRunAfterwards);
    // Opens the editor at a pending error and clears it.
    virtual void EditAtError(BOOL bRunAfterwards);
    // The editor's dialog, not yet created.
    virtual CHHScriptDlg* CreateScriptDialog();
    // Gives the dialog's view the engine (a syntax view) or its formater and text parser.
    virtual void InitScriptView(CHHScriptDlg& dialog);
    // Empties the view's objects, then adds "(General)", every named item and every object.
    virtual void AddNamedItemsToView(CHHScriptViewBase& view);
    virtual void PutProceduresToView(CHHScriptViewBase& view);
    // Commits the view's edits and takes its procedures.
    virtual void TakeProceduresFromView(CHHScriptViewBase& view);
    // The view of the editor while it is open, else null.
    CHHScriptViewBase* GetOpenView() const { return m_pOpenView; }
    // Runs the Objects dialog; runs the macro afterwards when it ended with OK and that is asked.
    void EditObjects(BOOL bRunAfterwards);

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

protected:
    void OnGetText() override;
    void OnErrorEnd(CHHScriptErrorInfo& info) override;
    afx_msg void OnEditObjects() { EditObjects(FALSE); }
    afx_msg void OnEditScript() { EditScript(nullptr, nullptr, FALSE); }
    DECLARE_MESSAGE_MAP()

    int m_bEditOnError = 0;
    CRuntimeClass* m_pViewClass;
    CHHScriptViewBase* m_pOpenView = nullptr;
};
