#pragma once
// CEditMDIView: the view of a document, filled by its code edit control with member lists. The
// control colours with the one shared JavaScript formater, to which the words of Keywords.ini are added. The
// view adds brace matching, case change, the next and previous occurrence of the word at the caret, the
// line/column pane and tab stops.

#include "editor/CAutoCompleteEditCtrl.h"
#include "editor/CHHEditView.h"
#include "editor/CHHJScriptFormater.h"

#include <string>

class CEditMDIDoc;
struct SnippetInsertion;

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
    // The keys of the Html menu reach the frame's accelerators in HTML documents only; in any other
    // they are the editor's own keys (Shift+Enter breaks the line).
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Lists the stored tools in the Tools menu of the main frame's menu, after its first two items.
    void RebuildToolsMenu();

    // The text of line (from 0) as the control holds it, without its line end.
    std::string GetLineText(int line);
    // The word at the caret: the selection when there is one, else the word around the caret.
    std::string GetWordAtCaret();
    // Opens the document's file again into the document, when the file exists.
    void ReloadDocument();

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
    // Inserts the ready-made text of a snippet command in place of the selection.
    afx_msg void OnSnippet(UINT nID);
    // Asks for a function name, inserts its heading and body and lists it in the Functions list.
    afx_msg void OnFunctionSnippet();
    // Runs the tool of the Tools menu item.
    afx_msg void OnToolsRun(UINT nID);
    afx_msg void OnToolsAddEdit();
    // Save as Template and Insert Table (CEditMDIViewDialogs.cpp).
    afx_msg void OnSaveAsTemplate();
    afx_msg void OnInsertTable();
    // ---- Document commands: the browser, the web-page editor, reloading, going to a line ----
    afx_msg void OnViewInBrowser();
    afx_msg void OnWebPageEditor();
    afx_msg void OnReload();
    afx_msg void OnGoToLine();
    DECLARE_MESSAGE_MAP()

private:
    // Whether the key message is one the frame's accelerators turn into an Html menu command.
    bool isHtmlMenuKey(const MSG& msg);
    void changeCase(bool upper);
    void applyTabStops();
    void select(long start, long end);
    std::string caretIndent();
    void insertSnippet(const SnippetInsertion& snippet);
    // The saved file for the browser or the web-page editor; empty when there is none to show.
    CString fileToShow();

    CAutoCompleteEditCtrl* m_pEdit = nullptr;
};
