#pragma once
// CEditMDIView: the view of a document, filled by its code edit control with member lists. The
// control colours with the one shared JavaScript formater, to which the words of Keywords.ini are added. The view adds
// brace matching, case change, the next and previous occurrence of the word at the caret, the
// line/column pane and tab stops.

#include "editor/CAutoCompleteEditCtrl.h"
#include "editor/CHHEditView.h"
#include "editor/CHHJScriptFormater.h"

#include <string>

class CEditMDIDoc;

// The formater that colours every editor view.
extern CHHJScriptFormater g_JScriptFormater;

class CEditMDIView : public CHHEditView {
    DECLARE_DYNCREATE(CEditMDIView)
public:
    CEditMDIView();
    ~CEditMDIView() override;

    CAutoCompleteEditCtrl* GetEditCtrl() { return static_cast<CAutoCompleteEditCtrl*>(m_pEditCtrl); }
    CEditMDIDoc* GetDocument() const;

    void OnInitialUpdate() override;

    // The text of line (from 0) as the control holds it, without its line end.
    std::string GetLineText(int line);
    // The word at the caret: the selection when there is one, else the word around the caret.
    std::string GetWordAtCaret();

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnMatchBrace();
    // Ctrl+E: the Functions menu of the document menu, popped up at the cursor for the main frame.
    afx_msg void OnFunctionsPopup();
    afx_msg void OnClearAllBookmarks();
    afx_msg void OnUpperCase();
    afx_msg void OnLowerCase();
    afx_msg void OnUpdateNeedSelection(CCmdUI* pCmdUI);
    afx_msg void OnNextWord();
    afx_msg void OnPreviousWord();
    afx_msg void OnUpdateLineColumn(CCmdUI* pCmdUI);
    afx_msg void OnSetTabStops();
    DECLARE_MESSAGE_MAP()

private:
    void changeCase(bool upper);
    void applyTabStops();
    void select(long start, long end);

    CAutoCompleteEditCtrl* m_pEdit = nullptr;
};
