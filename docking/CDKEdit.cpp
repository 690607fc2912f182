#include "docking/CDKEdit.h"

#include "platform/win/handle_accounting.h"

#include <cctype>

IMPLEMENT_DYNAMIC(CDKEdit, CEdit)

BEGIN_MESSAGE_MAP(CDKEdit, CEdit)
    ON_WM_CTLCOLOR_REFLECT()
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_WM_SETFOCUS()
    ON_WM_LBUTTONDOWN()
    ON_MESSAGE(WM_CUT, OnCut)
    ON_MESSAGE(WM_CLEAR, OnClear)
    ON_MESSAGE(WM_PASTE, OnPaste)
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_MESSAGE(WM_UNDO, OnUndo)
    ON_MESSAGE(EM_UNDO, OnUndo)
    ON_WM_KEYDOWN()
    ON_WM_CHAR()
END_MESSAGE_MAP()

namespace {

constexpr UINT_PTR kToolId = 1;

bool KeyDown(int vk) {
    return ::GetAsyncKeyState(vk) < 0;
}

} // namespace

CDKEdit::CDKEdit()
    : m_crText(::GetSysColor(COLOR_WINDOWTEXT)), m_crBack(::GetSysColor(COLOR_WINDOW)),
      m_crReadOnlyText(::GetSysColor(COLOR_WINDOWTEXT)), m_crReadOnlyBack(::GetSysColor(COLOR_BTNFACE)) {}

void CDKEdit::SetFixedTexts(LPCSTR lpszLeft, LPCSTR lpszRight) {
    m_text.SetFixedTexts(lpszLeft ? lpszLeft : "", lpszRight ? lpszRight : "");
    UpdateText(-1);
}

void CDKEdit::SetMask(LPCSTR lpszMask, char chPrompt) {
    m_text.SetMask(lpszMask ? lpszMask : "", chPrompt);
    UpdateText(-1);
}

void CDKEdit::SetColors(COLORREF crText, COLORREF crBack) {
    m_crText = crText;
    m_crBack = crBack;
}

void CDKEdit::SetReadOnlyColors(COLORREF crText, COLORREF crBack) {
    m_crReadOnlyText = crText;
    m_crReadOnlyBack = crBack;
}

BOOL CDKEdit::SetTextFont(const LOGFONT& lf) {
    m_font.DeleteObject();
    if (!m_font.CreateFontIndirect(&lf)) return FALSE;
    if (m_hWnd) SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_font.m_hObject), TRUE);
    return TRUE;
}

BOOL CDKEdit::SetToolTipText(LPCSTR lpszText) {
    if (!m_hWnd) return FALSE;
    if (!m_toolTip.m_hWnd) {
        if (!m_toolTip.Create(this)) return FALSE;
        CRect rect;
        GetClientRect(&rect);
        return m_toolTip.AddTool(this, lpszText, &rect, kToolId);
    }
    m_toolTip.UpdateTipText(lpszText, this, kToolId);
    return TRUE;
}

CString CDKEdit::GetText() const {
    return CString(m_text.Text().c_str());
}

CString CDKEdit::GetInputText() const {
    return CString(m_text.Input().c_str());
}

void CDKEdit::UpdateText(int nPos) {
    if (!m_hWnd) return;
    ++m_nSetTextDepth;
    SetWindowText(GetText());
    --m_nSetTextDepth;
    if (nPos < 0) return;
    const int nCaret = GetNextInputPosition(nPos);
    SetSel(nCaret, nCaret);
}

void CDKEdit::SetCaretToNext(int nPos) {
    const int nCaret = GetNextInputPosition(nPos);
    SendMessage(EM_SETSEL, static_cast<WPARAM>(nCaret), nCaret);
    SendMessage(EM_SCROLLCARET);
}

void CDKEdit::SetCaretToPrev(int nPos) {
    const int nCaret = GetPrevInputPosition(nPos);
    SendMessage(EM_SETSEL, static_cast<WPARAM>(nCaret), nCaret);
    SendMessage(EM_SCROLLCARET);
}

BOOL CDKEdit::NotifyParent(UINT nCode) {
    CWnd* pParent = GetParent();
    if (!pParent) return FALSE;
    pParent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), nCode), reinterpret_cast<LPARAM>(m_hWnd));
    return TRUE;
}

// ---- The input model ----

BOOL CDKEdit::IsValidInput(const std::string&) const {
    return TRUE;
}

void CDKEdit::SetInputText(LPCSTR lpszText, int nPos) {
    TryEdit([&] {
        m_text.SetInputText(lpszText ? lpszText : "", nPos);
        return 0;
    });
    UpdateText(-1);
}

void CDKEdit::EmptyData(BOOL bOnlyInput) {
    if (!bOnlyInput) m_text.SetFixedTexts("", "");
    m_text.Empty();
    OnInputChanged();
}

void CDKEdit::OnValidationError() {
    ::MessageBeep(MB_OK);
}

BOOL CDKEdit::IsInputPosition(int nPos) const {
    return m_text.IsInputPosition(nPos);
}

int CDKEdit::DeleteRange(int& nStart, int& nEnd) {
    return std::max(TryEdit([&] { return m_text.DeleteRange(nStart, nEnd); }), 0);
}

int CDKEdit::InsertCharAt(char ch, int& nPos) {
    return TryEdit([&] { return m_text.InsertCharAt(ch, nPos); });
}

int CDKEdit::SetCharAt(int nPos, char ch) {
    return TryEdit([&] { return m_text.SetCharAt(nPos, ch); });
}

int CDKEdit::GetNextInputPosition(int nPos) const {
    return m_text.NextInputPosition(nPos);
}

int CDKEdit::GetPrevInputPosition(int nPos) const {
    return m_text.PrevInputPosition(nPos);
}

int CDKEdit::DeleteCharBefore(int nCaret) {
    return TryEdit([&] { return m_text.Backspace(nCaret); });
}

// ---- Messages ----

HBRUSH CDKEdit::CtlColor(CDC* pDC, UINT) {
    // One brush serves every control; it is made anew for each request.
    static HBRUSH s_hBrush = nullptr;
    COLORREF crText = m_crText;
    COLORREF crBack = m_crBack;
    if (!IsWindowEnabled()) {
        crText = ::GetSysColor(COLOR_GRAYTEXT);
        crBack = ::GetSysColor(COLOR_BTNFACE);
    } else if (GetStyle() & ES_READONLY) {
        crText = m_crReadOnlyText;
        crBack = m_crReadOnlyBack;
    }
    pDC->SetTextColor(crText);
    pDC->SetBkColor(crBack);
    if (m_font.m_hObject) pDC->SelectObject(&m_font);
    if (s_hBrush) ::DeleteObject(s_hBrush);
    s_hBrush = ::CreateSolidBrush(crBack);
    pm::keepForProcess(s_hBrush);
    return s_hBrush;
}

void CDKEdit::OnSize(UINT nType, int cx, int cy) {
    CEdit::OnSize(nType, cx, cy);
    TOOLINFO ti{};
    if (!m_toolTip.m_hWnd || !m_toolTip.GetToolInfo(&ti, this, kToolId)) return;
    CRect rect(0, 0, cx, cy);
    m_toolTip.SetToolRect(this, kToolId, &rect);
}

void CDKEdit::OnDestroy() {
    if (m_toolTip.m_hWnd) {
        m_toolTip.DelTool(this, kToolId);
        m_toolTip.DestroyWindow();
    }
    CEdit::OnDestroy();
}

void CDKEdit::OnSetFocus(CWnd* pOldWnd) {
    CEdit::OnSetFocus(pOldWnd);
    int nStart = 0, nEnd = 0;
    GetSel(nStart, nEnd);
    if (!m_bKeepSelOnFocus && nStart == 0 && nEnd == GetWindowTextLength()) SetCaretToNext(0);
    if (!m_font.m_hObject) return;
    m_bApplyingFont = 1;
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_font.m_hObject), TRUE);
    m_bApplyingFont = 0;
}

void CDKEdit::OnLButtonDown(UINT nFlags, CPoint point) {
    CEdit::OnLButtonDown(nFlags, point);
    int nStart = 0, nEnd = 0;
    GetSel(nStart, nEnd);
    if (nStart == nEnd && !IsInputPosition(nStart)) SetCaretToNext(0);
}

LRESULT CDKEdit::OnCut(WPARAM, LPARAM) {
    int nStart = 0, nEnd = 0;
    GetSel(nStart, nEnd);
    const LRESULT result = Default();
    DeleteRange(nStart, nEnd);
    UpdateText(nStart);
    return result;
}

LRESULT CDKEdit::OnClear(WPARAM, LPARAM) {
    int nStart = 0, nEnd = 0;
    GetSel(nStart, nEnd);
    const LRESULT result = Default();
    if (DeleteRange(nStart, nEnd) > 0) UpdateText(nStart);
    return result;
}

LRESULT CDKEdit::OnPaste(WPARAM, LPARAM) {
    int nStart = 0, nEnd = 0;
    GetSel(nStart, nEnd);
    const CDKEditText kept = m_text;
    const LRESULT result = Default();
    CString text;
    GetWindowText(text);
    // The fixed texts at the ends of the window text are dropped by the input model.
    EmptyData(TRUE);
    if (TryEdit([&] {
            m_text.SetInputText(static_cast<LPCSTR>(text), 0);
            return 0;
        }) < 0) {
        // Not an input the control takes (a word in a numeric edit): the value stays as it was.
        m_text = kept;
        OnInputChanged();
        UpdateText(-1);
        SetSel(nStart, nEnd);
        OnValidationError();
        return result;
    }
    UpdateText(-1);
    const int nCaret = GetNextInputPosition(nStart);
    SetSel(nCaret, nCaret);
    SendMessage(EM_SCROLLCARET);
    return result;
}

LRESULT CDKEdit::OnUndo(WPARAM, LPARAM) {
    const LRESULT result = Default();
    // The control put back an earlier text: the input is read from it again.
    CString text;
    GetWindowText(text);
    EmptyData(TRUE);
    SetInputText(text, 0);
    return result;
}

LRESULT CDKEdit::OnSetText(WPARAM, LPARAM lParam) {
    if (m_nSetTextDepth > 0) {
        const LRESULT result = Default();
        NotifyParent(EN_UPDATE);
        if (m_bNotifyChange) NotifyParent(EN_CHANGE);
        return result;
    }
    EmptyData(TRUE);
    m_bNotifyChange = 0;
    SetInputText(reinterpret_cast<LPCSTR>(lParam), 0);
    m_bNotifyChange = 1;
    return TRUE;
}

int CDKEdit::GetCaret() const {
    int nStart = 0, nEnd = 0;
    GetSel(nStart, nEnd);
    return nStart;
}

void CDKEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
    if (GetStyle() & ES_READONLY) {
        CEdit::OnKeyDown(nChar, nRepCnt, nFlags);
        return;
    }
    const bool bShift = KeyDown(VK_SHIFT);
    switch (nChar) {
    case VK_END:
    case VK_HOME:
        Default();
        if (!bShift && !IsInputPosition(GetCaret())) {
            if (nChar == VK_END)
                SetCaretToPrev(GetCaret());
            else
                SetCaretToNext(GetCaret());
        }
        return;
    case VK_LEFT:
    case VK_UP:
        Default();
        if (!bShift) SetCaretToPrev(GetCaret());
        return;
    case VK_RIGHT:
    case VK_DOWN:
        Default();
        if (!bShift) SetCaretToNext(GetCaret());
        return;
    case VK_INSERT:
        if (KeyDown(VK_CONTROL)) break;
        // Shift+Insert pastes through WM_PASTE, so the input model sees it.
        if (bShift)
            SendMessage(WM_PASTE);
        else
            m_nInsertMode = !m_nInsertMode;
        return;
    case VK_DELETE:
        if (bShift)
            SendMessage(WM_CUT); // the edit's own cut, through WM_CUT for the model
        else
            OnDeleteKey();
        return;
    default:
        break;
    }
    CEdit::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CDKEdit::OnDeleteKey() {
    int nStart = 0, nEnd = 0;
    GetSel(nStart, nEnd);
    if (nStart == nEnd) ++nEnd;
    // Past places that cannot be deleted (literals of a mask), one position at a time.
    while (nEnd <= m_text.InputEnd()) {
        int nFrom = nStart, nTo = nEnd;
        if (DeleteRange(nFrom, nTo) > 0) {
            UpdateText(nFrom);
            return;
        }
        ++nStart;
        ++nEnd;
    }
}

void CDKEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
    const DWORD dwStyle = GetStyle();
    if (dwStyle & ES_READONLY) {
        CEdit::OnChar(nChar, nRepCnt, nFlags);
        return;
    }
    if (nChar == VK_BACK) {
        OnBackspace();
        return;
    }
    // Ctrl+X, Ctrl+V and Ctrl+Z change the text: through their messages, so the model follows.
    const UINT nMessage = nChar == 24 ? WM_CUT : nChar == 22 ? WM_PASTE : nChar == 26 ? WM_UNDO : 0;
    if (nMessage) {
        SendMessage(nMessage);
        return;
    }
    if (nChar == '\n' && (dwStyle & ES_MULTILINE)) nChar = '\r';
    const bool bEnter = nChar == '\r';
    const bool bAcceptEnter = (dwStyle & ES_MULTILINE) && (dwStyle & ES_WANTRETURN);
    if ((bEnter && !bAcceptEnter) || (!bEnter && nChar < 32)) {
        CEdit::OnChar(nChar, nRepCnt, nFlags);
        return;
    }
    OnTypedChar(static_cast<char>(nChar));
}

void CDKEdit::OnBackspace() {
    int nStart = 0, nEnd = 0;
    GetSel(nStart, nEnd);
    if (nStart != nEnd) {
        int nFrom = nStart, nTo = nEnd;
        if (DeleteRange(nFrom, nTo) > 0) {
            UpdateText(nFrom);
            return;
        }
    }
    const int nPos = DeleteCharBefore(nStart);
    if (nPos >= 0) UpdateText(nPos);
}

void CDKEdit::OnTypedChar(char ch) {
    int nStart = 0, nEnd = 0;
    GetSel(nStart, nEnd);
    int nPos = -1;
    if (nStart == nEnd) {
        const bool bDigit = std::isdigit(static_cast<unsigned char>(ch)) != 0;
        if ((GetStyle() & ES_NUMBER) && !bDigit && ch != '\r') {
            Default();
            return;
        }
        if (!IsInputPosition(nStart)) {
            OnValidationError();
            SetCaretToNext(nStart);
            return;
        }
        nPos = TypeAtCaret(ch, nStart);
    } else {
        int nFrom = nStart, nTo = nEnd;
        if (DeleteRange(nFrom, nTo) == 0) {
            OnValidationError();
            SetCaretToNext(nStart);
            return;
        }
        nPos = InsertCharAt(ch, nFrom);
    }
    if (nPos >= 0) {
        UpdateText(nPos + 1);
        return;
    }
    OnValidationError();
    UpdateText(nStart);
}

int CDKEdit::TypeAtCaret(char ch, int nCaret) {
    if (ch != '\r') return m_nInsertMode ? InsertCharAt(ch, nCaret) : SetCharAt(nCaret, ch);
    // A line break is a carriage return and a line feed.
    const int nPos = m_nInsertMode ? InsertCharAt('\r', nCaret) : SetCharAt(nCaret, '\r');
    if (nPos < 0) return -1;
    int nNext = nPos + 1;
    return m_nInsertMode ? InsertCharAt('\n', nNext) : SetCharAt(nNext, '\n');
}
