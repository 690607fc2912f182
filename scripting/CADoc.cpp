#include "scripting/CADoc.h"

#include "platform/win/richedit.h"
#include "platform/win/utf8.h"
#include "scripting/EditMDITypeLib.h"
#include "scripting/ScriptAppServices.h"

#include <algorithm>
#include <string>
#include <vector>

IMPLEMENT_DYNCREATE(CADoc, CHHCmdTarget)

namespace {

enum : DISPID {
    kSelection = 1,
    kNewLine,
    kSetSel,
    kGetLineCount,
    kGetLine,
    kGetFirstVisibleLine,
    kCharIndex,
    kLineIndex,
    kLineLength,
    kLineScroll,
    kGetTextLength,
    kCopy,
    kCut,
    kPaste,
    kFind
};

LRESULT Send(CWnd* pCtrl, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
    return ::SendMessage(pCtrl->GetSafeHwnd(), msg, wParam, lParam);
}

// The control's bytes from..to (the control keeps them within its text).
std::string TextRange(CWnd* pCtrl, long from, long to) {
    if (to <= from) return std::string();
    std::string text(static_cast<size_t>(to - from) + 1, '\0');
    TEXTRANGE range{{static_cast<LONG>(from), static_cast<LONG>(to)}, &text[0]};
    const LRESULT copied = Send(pCtrl, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range));
    text.resize(static_cast<size_t>(std::max<LRESULT>(0, std::min<LRESULT>(copied, to - from))));
    return text;
}

long TextLength(CWnd* pCtrl) {
    return static_cast<long>(Send(pCtrl, WM_GETTEXTLENGTH));
}

// Macros count the characters of the text they see (one for each UTF-8 sequence and for each
// other byte); the control counts bytes. Negative positions keep their meaning unchanged.
long CharsBefore(CWnd* pCtrl, long byte) {
    if (byte <= 0) return byte;
    const std::string text = TextRange(pCtrl, 0, byte);
    return static_cast<long>(pm::utf8::characterCount(text.data(), text.size()));
}

long ByteOf(CWnd* pCtrl, long chars) {
    if (chars <= 0) return chars;
    // A character takes at most four bytes.
    const long length = TextLength(pCtrl);
    const long reach = static_cast<long>(std::min<long long>(length, 4LL * chars));
    const std::string text = TextRange(pCtrl, 0, reach);
    const size_t at = pm::utf8::characterOffset(text.data(), text.size(), static_cast<size_t>(chars));
    return static_cast<long>(at) +
           std::max(0L, chars - static_cast<long>(pm::utf8::characterCount(text.data(), at)));
}

long CharsIn(CWnd* pCtrl, long from, long to) {
    const std::string text = TextRange(pCtrl, from, to);
    return static_cast<long>(pm::utf8::characterCount(text.data(), text.size()));
}

} // namespace

void CADoc::InitDispatchIIDs() {
    SetDispatchIIDs(&DIID_IADoc, &DIID_IADocEvents);
}

HRESULT CADoc::GetClassID(CLSID* pClsid) {
    if (!pClsid) return E_POINTER;
    *pClsid = CLSID_ADoc;
    return S_OK;
}

ITypeLib* CADoc::GetTypeLib() {
    return GetEditMDITypeLib();
}

HRESULT CADoc::InvokeMember(DISPID dispid, WORD wFlags, const CHHDispatchArgs& args, VARIANT* pResult) {
    if (dispid < kSelection || dispid > kFind) return DISP_E_MEMBERNOTFOUND;
    CWnd* ctrl = GetActiveEditCtrl();
    if (!ctrl) return Fallback(dispid, wFlags, pResult);
    switch (dispid) {
    case kSelection:
        return Selection(ctrl, wFlags, args, pResult);
    case kNewLine:
        Send(ctrl, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("\r\n"));
        return ReturnBool(pResult, TRUE);
    case kSetSel:
        return SetSel(ctrl, args);
    case kGetLineCount:
        return ReturnLong(pResult, static_cast<long>(Send(ctrl, EM_GETLINECOUNT)));
    case kGetLine:
        return GetLine(ctrl, args, pResult);
    case kGetFirstVisibleLine:
        return ReturnLong(pResult, static_cast<long>(Send(ctrl, EM_GETFIRSTVISIBLELINE)));
    case kLineScroll:
        return LineScroll(ctrl, args);
    case kGetTextLength:
        return ReturnLong(pResult, CharsIn(ctrl, 0, TextLength(ctrl)));
    case kCopy:
        Send(ctrl, WM_COPY);
        return S_OK;
    case kCut:
        Send(ctrl, WM_CUT);
        return S_OK;
    case kPaste:
        Send(ctrl, WM_PASTE);
        return S_OK;
    case kFind:
        return Find(ctrl, args, pResult);
    default:
        return NumberMember(ctrl, dispid, args, pResult);
    }
}

HRESULT CADoc::Fallback(DISPID dispid, WORD wFlags, VARIANT* pResult) {
    switch (dispid) {
    case kSelection:
        return IsPut(wFlags) ? S_OK : ReturnString(pResult, CString());
    case kNewLine:
        return ReturnBool(pResult, FALSE);
    case kGetLineCount:
    case kGetTextLength:
        return ReturnLong(pResult, 0);
    case kGetLine:
        return ReturnString(pResult, CString());
    case kGetFirstVisibleLine:
    case kCharIndex:
    case kLineIndex:
    case kLineLength:
    case kFind:
        return ReturnLong(pResult, -1);
    default:
        return S_OK;
    }
}

HRESULT CADoc::NumberMember(CWnd* pCtrl, DISPID dispid, const CHHDispatchArgs& args, VARIANT* pResult) {
    long value = 0;
    HRESULT hr = args.GetLong(0, value);
    if (FAILED(hr)) return hr;
    switch (dispid) {
    case kCharIndex:
        return ReturnLong(pResult, CharsBefore(pCtrl, static_cast<long>(Send(pCtrl, EM_LINEINDEX, value))));
    case kLineIndex:
        return ReturnLong(pResult,
                          static_cast<long>(Send(pCtrl, EM_EXLINEFROMCHAR, 0, ByteOf(pCtrl, value))));
    default: {
        // The length of the line holding that character; -1 keeps the control's meaning.
        const long at = ByteOf(pCtrl, value);
        const long length = static_cast<long>(Send(pCtrl, EM_LINELENGTH, static_cast<WPARAM>(at)));
        if (at < 0) return ReturnLong(pResult, length);
        const long start = static_cast<long>(
            Send(pCtrl, EM_LINEINDEX, static_cast<WPARAM>(Send(pCtrl, EM_EXLINEFROMCHAR, 0, at))));
        return ReturnLong(pResult, CharsIn(pCtrl, start, start + length));
    }
    }
}

HRESULT CADoc::Selection(CWnd* pCtrl, WORD wFlags, const CHHDispatchArgs& args, VARIANT* pResult) {
    if (IsPut(wFlags)) {
        CString text;
        HRESULT hr = args.GetString(args.GetCount() - 1, text);
        if (SUCCEEDED(hr))
            Send(pCtrl, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(text)));
        return hr;
    }
    CHARRANGE range{};
    Send(pCtrl, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    const LONG length = range.cpMax > range.cpMin ? range.cpMax - range.cpMin : 0;
    std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
    LRESULT copied = Send(pCtrl, EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(buffer.data()));
    copied = std::min<LRESULT>(std::max<LRESULT>(copied, 0), length);
    return ReturnString(pResult, CString(buffer.data(), static_cast<int>(copied)));
}

HRESULT CADoc::SetSel(CWnd* pCtrl, const CHHDispatchArgs& args) {
    long start = 0, end = 0;
    HRESULT hr = args.GetLong(0, start);
    if (SUCCEEDED(hr)) hr = args.GetLong(1, end);
    if (FAILED(hr)) return hr;
    CHARRANGE range{static_cast<LONG>(ByteOf(pCtrl, start)), static_cast<LONG>(ByteOf(pCtrl, end))};
    Send(pCtrl, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    return S_OK;
}

// A line outside the text answers an empty string (asking the control for the length of line -1
// would measure the selection instead); any other line comes whole, however long.
HRESULT CADoc::GetLine(CWnd* pCtrl, const CHHDispatchArgs& args, VARIANT* pResult) {
    long index = 0;
    HRESULT hr = args.GetLong(0, index);
    if (FAILED(hr)) return hr;
    const long count = static_cast<long>(Send(pCtrl, EM_GETLINECOUNT));
    if (index < 0 || index >= count) return ReturnString(pResult, CString());
    const long start = static_cast<long>(Send(pCtrl, EM_LINEINDEX, static_cast<WPARAM>(index)));
    const long length =
        std::max(0L, static_cast<long>(Send(pCtrl, EM_LINELENGTH, static_cast<WPARAM>(start))));
    const std::string line = TextRange(pCtrl, start, start + length);
    return ReturnString(pResult, CString(line.data(), static_cast<int>(line.size())));
}

HRESULT CADoc::LineScroll(CWnd* pCtrl, const CHHDispatchArgs& args) {
    long lines = 0, chars = 0;
    HRESULT hr = args.GetLong(0, lines);
    if (SUCCEEDED(hr)) hr = args.GetLong(1, chars);
    if (SUCCEEDED(hr)) Send(pCtrl, EM_LINESCROLL, static_cast<WPARAM>(chars), lines);
    return hr;
}

HRESULT CADoc::Find(CWnd* pCtrl, const CHHDispatchArgs& args, VARIANT* pResult) {
    CString text;
    long start = 0, end = 0;
    HRESULT hr = args.GetString(0, text);
    if (SUCCEEDED(hr)) hr = args.GetLong(1, start);
    if (SUCCEEDED(hr)) hr = args.GetLong(2, end);
    if (FAILED(hr)) return hr;
    FINDTEXTEX find{};
    find.chrg = {static_cast<LONG>(ByteOf(pCtrl, start)), static_cast<LONG>(ByteOf(pCtrl, end))};
    find.lpstrText = text;
    LRESULT found = Send(pCtrl, EM_FINDTEXTEX, FR_MATCHCASE, reinterpret_cast<LPARAM>(&find));
    return ReturnLong(pResult, found < 0 ? -1 : CharsBefore(pCtrl, static_cast<long>(find.chrgText.cpMin)));
}
