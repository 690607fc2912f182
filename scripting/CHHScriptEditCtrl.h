#pragma once
// CHHScriptEditCtrl: the edit control of the script views. Its text is the procedures of the shown
// objects one after another; only procedure bodies are editable, markers are kept per procedure,
// the procedures' lengths follow the typing, and undo steps are recorded per procedure so that
// they can be undone after another procedure was shown.

#include "editor/CHHAssistEditCtrl.h"
#include "editor/HHAssistRules.h"
#include "scripting/CHHScriptEditOwner.h"
#include "scripting/CHHScriptObjectProcedures.h"
#include "scripting/CHHTextParser.h"

// Sent to the owner window when the caret moves: wParam line, lParam character position.
#define WM_HHSCRIPT_CARET_MOVED 32879

class CHHScriptEditCtrl : public CHHAssistEditCtrl {
    DECLARE_DYNAMIC(CHHScriptEditCtrl)
public:
    // A procedure found in the text and the position of its first character there.
    struct Found {
        CHHScriptObjectProcedures* pObject = nullptr;
        CHHScriptProcedure* pProcedure = nullptr;
        int nStart = 0;
    };

    // Resource id of the control's context menu and accelerators.
    static constexpr UINT kMenuId = 28253;

    CHHScriptEditCtrl();
    void SetOwner(CHHScriptEditOwner* owner) { m_pOwner = owner; }
    CHHScriptEditOwner* GetOwnerHooks() const { return m_pOwner; }
    // The records whose procedures are in the text; in event mode procedure names the only one.
    void SetProcedureView(CHHScriptObjectProcedures* objects, int count, LPCTSTR procedure, int startOffset);
    void SetTextParser(CHHTextParser* parser) { m_pTextParser = parser; }
    Found FindProcedureAt(int start, int end);
    Found FindProcedureByName(LPCTSTR object, LPCTSTR procedure);
    // The body without its final line end and the selection relative to the procedure.
    BOOL GetProcedureBody(LPCTSTR object, LPCTSTR procedure, CHARRANGE& sel, CString& text);
    BOOL SetProcedureBody(LPCTSTR object, LPCTSTR procedure, int selStart, int selEnd, const CString& text);

    // ---- Overrides ----
    BOOL ColorizeText(const char16_t* text, int length, WORD* attributes) override;
    void OnCaretLineChanged(int line, int charPos) override;
    void OnTextChanged(BOOL deleted, int start, int end) override;
    void SaveUndoState(int start, int end, int kind) override;
    BYTE GetLineMarkers(int line) override;
    void SetLineMarker(int line, BYTE bits, int operation) override;
    void ClearAllMarkers(BYTE bits) override;
    void FillMemberList(CHHExpressionInfo& info, CHHMemberItemArray& items, int kind) override;
    CString GetQuickInfoText(CHHExpressionInfo& info) override;
    void GetEditableRange(int& start, int& end) override;

protected:
    afx_msg void OnPaint();
    afx_msg void OnChange();
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnSelChangeScript(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnRevert();
    afx_msg void OnCheckSyntax();
    DECLARE_MESSAGE_MAP()

private:
    template <class Visit> void forEachShown(Visit visit);
    void moveMarkers(const Found& found, BOOL deleted, int start, int end);
    void notifyBreakpoint(const Found& found, const CHHLineMarker& marker, BOOL on);
    Found procedureAtSelection();
    // The editable part of a found procedure: (0, 0) for none or a locked one.
    static hh::EditableRange editableRangeOf(const Found& found);
    // Where a caret at pos takes typing (see hh::CaretForTyping).
    int caretForTyping(int pos);
    // Runs the owner's check for the procedure the caret left during step.
    template <class Step> void checkLeaving(Step step);
    // Enter on a procedure header line: the line becomes a procedure of its own.
    BOOL takeHeaderLine();
    void drawSeparators();

    CHHScriptEditOwner* m_pOwner = nullptr;
    CHHTextParser* m_pTextParser = nullptr;
    CHHScriptObjectProcedures* m_pObjects = nullptr;
    int m_nObjects = 0;
    CString m_strFilter;
    int m_nStartOffset = 0;
    BOOL m_bRestoring = FALSE;
    BOOL m_bDrawSeparators = TRUE;
};
