#include "scripting/CADoc.h"

#include "platform/win/richedit.h"
#include "scripting/EditMDITypeLib.h"
#include "scripting/ScriptAppServices.h"

#include <algorithm>
#include <cstring>
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

} // namespace

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
        return ReturnLong(pResult, static_cast<long>(Send(ctrl, WM_GETTEXTLENGTH)));
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
    UINT msg = dispid == kCharIndex ? EM_LINEINDEX : dispid == kLineIndex ? EM_EXLINEFROMCHAR : EM_LINELENGTH;
    WPARAM wParam = msg == EM_EXLINEFROMCHAR ? 0 : static_cast<WPARAM>(value);
    LPARAM lParam = msg == EM_EXLINEFROMCHAR ? value : 0;
    return ReturnLong(pResult, static_cast<long>(Send(pCtrl, msg, wParam, lParam)));
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
    CHARRANGE range{static_cast<LONG>(start), static_cast<LONG>(end)};
    Send(pCtrl, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    return S_OK;
}

// A line outside the text answers an empty string (asking the control for the length of line -1
// would measure the selection instead). The buffer always holds the size word.
HRESULT CADoc::GetLine(CWnd* pCtrl, const CHHDispatchArgs& args, VARIANT* pResult) {
    long index = 0;
    HRESULT hr = args.GetLong(0, index);
    if (FAILED(hr)) return hr;
    const long count = static_cast<long>(Send(pCtrl, EM_GETLINECOUNT));
    if (index < 0 || index >= count) return ReturnString(pResult, CString());
    const LRESULT start = Send(pCtrl, EM_LINEINDEX, static_cast<WPARAM>(index));
    const LRESULT length = std::max<LRESULT>(Send(pCtrl, EM_LINELENGTH, static_cast<WPARAM>(start)), 0);
    std::vector<char> buffer(static_cast<size_t>(std::max<LRESULT>(length + 1, sizeof(WORD))), '\0');
    const WORD size = static_cast<WORD>(std::min<size_t>(buffer.size(), 0xFFFF));
    std::memcpy(buffer.data(), &size, sizeof size);
    LRESULT copied =
        Send(pCtrl, EM_GETLINE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data()));
    copied = std::min<LRESULT>(std::max<LRESULT>(copied, 0), length);
    return ReturnString(pResult, CString(buffer.data(), static_cast<int>(copied)));
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
    find.chrg = {static_cast<LONG>(start), static_cast<LONG>(end)};
    find.lpstrText = text;
    LRESULT found = Send(pCtrl, EM_FINDTEXTEX, FR_MATCHCASE, reinterpret_cast<LPARAM>(&find));
    return ReturnLong(pResult, found < 0 ? -1 : static_cast<long>(find.chrgText.cpMin));
}
