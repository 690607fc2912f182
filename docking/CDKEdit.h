#pragma once
// An edit control whose text is a fixed left text, the user's input and a fixed right text (see
// CDKEditText for the input model). The caret stays on input positions; Insert toggles between
// inserting and overwriting; the control has its own colours for the normal and the read-only
// state, its own font and a tool tip over the whole control.

#include "docking/CDKEditText.h"

#include "platform/framework/afxwin.h"

class CDKEdit : public CEdit {
    DECLARE_DYNAMIC(CDKEdit)
public:
    CDKEdit();

    void SetFixedTexts(LPCSTR lpszLeft, LPCSTR lpszRight);
    // '#' digit, 'A' letter, 'a' letter or digit, '?' any character; others are literals. An empty
    // mask makes the input free text.
    void SetMask(LPCSTR lpszMask, char chPrompt = '_');
    void SetColors(COLORREF crText, COLORREF crBack);
    void SetReadOnlyColors(COLORREF crText, COLORREF crBack);
    BOOL SetTextFont(const LOGFONT& lf);
    // Shows the text as a tip over the whole control (the control's window must exist).
    BOOL SetToolTipText(LPCSTR lpszText);

    CString GetText() const;
    CString GetInputText() const;
    void UpdateText(int nPos);
    void SetCaretToNext(int nPos);
    void SetCaretToPrev(int nPos);
    int GetInsertMode() const { return m_nInsertMode; }
    void SetInsertMode(int nInsertMode) { m_nInsertMode = nInsertMode; }
    BOOL NotifyParent(UINT nCode);

    virtual void SetInputText(LPCSTR lpszText, int nPos);
    // Empties the input; with bOnlyInput FALSE the fixed texts go too.
    virtual void EmptyData(BOOL bOnlyInput);
    virtual void OnValidationError();
    virtual BOOL IsInputPosition(int nPos) const;
    virtual int DeleteRange(int& nStart, int& nEnd);
    virtual int InsertCharAt(char ch, int& nPos);
    virtual int SetCharAt(int nPos, char ch);
    virtual int GetNextInputPosition(int nPos) const;
    virtual int GetPrevInputPosition(int nPos) const;
    // The character before the caret goes; its position, or -1 when there is none.
    virtual int DeleteCharBefore(int nCaret);

protected:
    // An input the control accepts (the numeric controls narrow it).
    virtual BOOL IsValidInput(const std::string& input) const;
    virtual void OnInputChanged() {}
    // Runs an edit of the input model and keeps it only when the result is valid.
    template <typename Edit> int TryEdit(Edit edit);

    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnDestroy();
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg LRESULT OnCut(WPARAM, LPARAM);
    afx_msg LRESULT OnClear(WPARAM, LPARAM);
    afx_msg LRESULT OnPaste(WPARAM, LPARAM);
    afx_msg LRESULT OnSetText(WPARAM, LPARAM lParam);
    afx_msg LRESULT OnUndo(WPARAM, LPARAM);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    DECLARE_MESSAGE_MAP()

    CDKEditText m_text;

private:
    int GetCaret() const;
    void OnDeleteKey();
    void OnBackspace();
    void OnTypedChar(char ch);
    int TypeAtCaret(char ch, int nCaret);

    COLORREF m_crText, m_crBack, m_crReadOnlyText, m_crReadOnlyBack;
    CFont m_font;
    CToolTipCtrl m_toolTip;
    int m_nInsertMode = 1;
    int m_nSetTextDepth = 0;
    int m_bNotifyChange = 1;
    int m_bKeepSelOnFocus = 0;
    int m_bApplyingFont = 0;
};

template <typename Edit> int CDKEdit::TryEdit(Edit edit) {
    const CDKEditText before = m_text;
    const int result = edit();
    if (result >= 0 && !IsValidInput(m_text.Input())) {
        m_text = before;
        return -1;
    }
    if (result >= 0) OnInputChanged();
    return result;
}
