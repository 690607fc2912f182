// Dialog data exchange and validation.

#include "platform/framework/DataExchange.h"

#include "platform/framework/CWinApp.h"
#include "platform/framework/CWnd.h"
#include "platform/framework/FrameworkStrings.h"
#include "platform/framework/afxres.h"

#include <cerrno>
#include <cfloat>
#include <climits>
#include <cstdlib>

HWND CDataExchange::PrepareCtrl(int nIDC) {
    HWND hWnd = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
    m_hWndLastControl = hWnd;
    m_bEditLastControl = FALSE;
    return hWnd;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC) {
    HWND hWnd = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hWnd;
}

void CDataExchange::RollBack() {
    for (auto it = m_undo.rbegin(); it != m_undo.rend(); ++it)
        (*it)();
    m_undo.clear();
}

void CDataExchange::Fail() {
    if (m_bSaveAndValidate && m_hWndLastControl) {
        ::SetFocus(m_hWndLastControl);
        if (m_bEditLastControl) ::SendMessage(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    AfxThrowUserException();
}

namespace {

CString textOf(HWND hWnd) {
    CString text;
    int length = ::GetWindowTextLength(hWnd);
    ::GetWindowText(hWnd, text.GetBufferSetLength(length), length + 1);
    text.ReleaseBuffer();
    return text;
}

void setText(HWND hWnd, const CString& value) {
    if (textOf(hWnd) != value) ::SetWindowText(hWnd, value);
}

bool onlySpace(const char* p) {
    while (*p == ' ' || *p == '\t')
        ++p;
    return *p == '\0';
}

// Parses a whole field as a number in [minValue, maxValue]; leading and trailing blanks allowed.
bool parseLong(const CString& text, long long minValue, long long maxValue, long long& out) {
    const char* start = text;
    char* end = nullptr;
    errno = 0;
    long long v = std::strtoll(start, &end, 10);
    if (end == start || errno == ERANGE || !onlySpace(end) || v < minValue || v > maxValue) return false;
    out = v;
    return true;
}

void failWith(CDataExchange* pDX, UINT nIDPrompt) {
    AfxMessageBox(nIDPrompt, MB_ICONEXCLAMATION);
    pDX->Fail();
}

template <class T>
void exchangeInteger(CDataExchange* pDX, int nIDC, T& value, long long minValue, long long maxValue,
                     UINT prompt) {
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (!pDX->m_bSaveAndValidate) {
        CString text;
        if (minValue < 0)
            text.Format("%lld", static_cast<long long>(value));
        else
            text.Format("%llu", static_cast<unsigned long long>(value));
        setText(hWnd, text);
        return;
    }
    long long parsed = 0;
    if (!parseLong(textOf(hWnd), minValue, maxValue, parsed)) failWith(pDX, prompt);
    pDX->Store(value, static_cast<T>(parsed));
}

template <class T>
void checkRange(CDataExchange* pDX, T value, T minVal, T maxVal, UINT prompt, const char* format) {
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal)) return;
    CString low, high, message;
    low.Format(format, minVal);
    high.Format(format, maxVal);
    AfxFormatString2(message, prompt, low, high);
    AfxMessageBox(message, MB_ICONEXCLAMATION);
    pDX->Fail();
}

bool hasEdit(HWND combo) {
    return (static_cast<DWORD>(::GetWindowLong(combo, GWL_STYLE)) & 0x0F) != CBS_DROPDOWNLIST;
}

// The text of a combo box: its edit's, or the selected item's for a drop-down list.
CString comboText(HWND combo) {
    if (hasEdit(combo)) return textOf(combo);
    CString value;
    auto index = static_cast<int>(::SendMessage(combo, CB_GETCURSEL, 0, 0));
    if (index == CB_ERR) return value;
    auto length = static_cast<int>(::SendMessage(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0));
    ::SendMessage(combo, CB_GETLBTEXT, static_cast<WPARAM>(index),
                  reinterpret_cast<LPARAM>(value.GetBufferSetLength(length)));
    value.ReleaseBuffer();
    return value;
}

// The selected item's text of a list box.
CString listText(HWND list) {
    CString value;
    auto index = static_cast<int>(::SendMessage(list, LB_GETCURSEL, 0, 0));
    if (index == LB_ERR) return value;
    auto length = static_cast<int>(::SendMessage(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0));
    ::SendMessage(list, LB_GETTEXT, static_cast<WPARAM>(index),
                  reinterpret_cast<LPARAM>(value.GetBufferSetLength(length)));
    value.ReleaseBuffer();
    return value;
}

} // namespace

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        pDX->Store(value, textOf(hWnd));
    else
        setText(hWnd, value);
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value) {
    exchangeInteger(pDX, nIDC, value, INT_MIN, INT_MAX, AFX_IDP_PARSE_INT);
}

void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value) {
    exchangeInteger(pDX, nIDC, value, 0, UINT_MAX, AFX_IDP_PARSE_UINT);
}

void DDX_Text(CDataExchange* pDX, int nIDC, long& value) {
    exchangeInteger(pDX, nIDC, value, LONG_MIN, LONG_MAX, AFX_IDP_PARSE_INT);
}

void DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value) {
    exchangeInteger(pDX, nIDC, value, 0, 255, AFX_IDP_PARSE_BYTE);
}

void DDX_Text(CDataExchange* pDX, int nIDC, double& value) {
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (!pDX->m_bSaveAndValidate) {
        CString text;
        text.Format("%.*g", DBL_DIG, value);
        setText(hWnd, text);
        return;
    }
    CString text = textOf(hWnd);
    const char* start = text;
    char* end = nullptr;
    double v = std::strtod(start, &end);
    if (end == start || !onlySpace(end)) failWith(pDX, AFX_IDP_PARSE_REAL);
    pDX->Store(value, v);
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value) {
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        pDX->Store(value, static_cast<int>(::SendMessage(hWnd, BM_GETCHECK, 0, 0)));
    else
        ::SendMessage(hWnd, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value) {
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    int checked = -1;
    int index = 0;
    for (HWND button = hWnd; button; button = ::GetWindow(button, GW_HWNDNEXT)) {
        if (button != hWnd && (::GetWindowLong(button, GWL_STYLE) & WS_GROUP)) break;
        if (!(::SendMessage(button, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON)) continue;
        if (pDX->m_bSaveAndValidate) {
            if (::SendMessage(button, BM_GETCHECK, 0, 0) == BST_CHECKED) checked = index;
        } else {
            ::SendMessage(button, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
        }
        ++index;
    }
    if (pDX->m_bSaveAndValidate) pDX->Store(value, checked);
}

void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value) {
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        pDX->Store(value, comboText(hWnd));
        return;
    }
    LPCSTR text = value;
    if (::SendMessage(hWnd, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text)) ==
            CB_ERR &&
        hasEdit(hWnd))
        ::SetWindowText(hWnd, value);
}

void DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value) {
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        DDX_CBString(pDX, nIDC, value);
        return;
    }
    LPCSTR text = value;
    auto index =
        ::SendMessage(hWnd, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
    if (index != CB_ERR)
        ::SendMessage(hWnd, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    else if (hasEdit(hWnd))
        ::SetWindowText(hWnd, value);
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index) {
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        pDX->Store(index, static_cast<int>(::SendMessage(hWnd, CB_GETCURSEL, 0, 0)));
    else
        ::SendMessage(hWnd, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value) {
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (!pDX->m_bSaveAndValidate) {
        LPCSTR text = value;
        ::SendMessage(hWnd, LB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
        return;
    }
    pDX->Store(value, listText(hWnd));
}

void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index) {
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        pDX->Store(index, static_cast<int>(::SendMessage(hWnd, LB_GETCURSEL, 0, 0)));
    else
        ::SendMessage(hWnd, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
    if (rControl.m_hWnd) return;
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (!hWnd || !rControl.SubclassWindow(hWnd)) AfxThrowNotSupportedException();
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal) {
    checkRange(pDX, value, minVal, maxVal, AFX_IDP_PARSE_INT_RANGE, "%d");
}

void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal) {
    checkRange(pDX, value, minVal, maxVal, AFX_IDP_PARSE_INT_RANGE, "%u");
}

void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal) {
    checkRange(pDX, value, minVal, maxVal, AFX_IDP_PARSE_INT_RANGE, "%ld");
}

void DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal) {
    checkRange(pDX, value, minVal, maxVal, AFX_IDP_PARSE_INT_RANGE, "%u");
}

void DDV_MinMaxByte(CDataExchange* pDX, BYTE value, BYTE minVal, BYTE maxVal) {
    checkRange<int>(pDX, value, minVal, maxVal, AFX_IDP_PARSE_INT_RANGE, "%d");
}

void DDV_MinMaxDouble(CDataExchange* pDX, double value, double minVal, double maxVal) {
    checkRange(pDX, value, minVal, maxVal, AFX_IDP_PARSE_REAL_RANGE, "%g");
}

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars) {
    if (!pDX->m_bSaveAndValidate) {
        if (pDX->m_hWndLastControl && pDX->m_bEditLastControl)
            ::SendMessage(pDX->m_hWndLastControl, EM_LIMITTEXT, static_cast<WPARAM>(nChars), 0);
        return;
    }
    if (value.GetLength() <= nChars) return;
    CString count, message;
    count.Format("%d", nChars);
    AfxFormatString1(message, AFX_IDP_PARSE_STRING_SIZE, count);
    AfxMessageBox(message, MB_ICONEXCLAMATION);
    pDX->Fail();
}
