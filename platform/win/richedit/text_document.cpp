#include "platform/win/richedit/text_document.h"

#include "platform/com/oleauto.h"
#include "platform/win/richedit/rich_edit_control.h"

#include <algorithm>
#include <cmath>

const IID IID_IRichEditOle = {0x00020D00, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID IID_ITextDocument = {0x8CC497C0, 0xA1DF, 0x11CE, {0x80, 0x98, 0x00, 0xAA, 0x00, 0x47, 0xBE, 0x5D}};
const IID IID_ITextSelection = {0x8CC497C1, 0xA1DF, 0x11CE, {0x80, 0x98, 0x00, 0xAA, 0x00, 0x47, 0xBE, 0x5D}};
const IID IID_ITextRange = {0x8CC497C2, 0xA1DF, 0x11CE, {0x80, 0x98, 0x00, 0xAA, 0x00, 0x47, 0xBE, 0x5D}};
const IID IID_ITextFont = {0x8CC497C3, 0xA1DF, 0x11CE, {0x80, 0x98, 0x00, 0xAA, 0x00, 0x47, 0xBE, 0x5D}};

namespace pm::richedit {

namespace {

// The four IDispatch members, which these objects do not offer to scripts.
template <class Base> class NoDispatch : public Base {
public:
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count) *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }
};

class TextRange;

// A font seen through a range: every change applies to the range's text at once.
class RangeFont final : public pm::ComObject<NoDispatch<ITextFont>> {
public:
    RangeFont(TextDocument* doc, long start, long end) : m_doc(doc), m_start(start), m_end(end) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (riid == IID_IUnknown || riid == IID_IDispatch || riid == IID_ITextFont)
            return pm::answerInterface(static_cast<ITextFont*>(this), ppv);
        if (ppv) *ppv = nullptr;
        return E_NOINTERFACE;
    }

    HRESULT STDMETHODCALLTYPE GetBold(long* v) override {
        return get(
            v, [](const CHARFORMATA& cf) { return cf.dwEffects & CFE_BOLD ? tomTrue : tomFalse; }, CFM_BOLD);
    }
    HRESULT STDMETHODCALLTYPE GetItalic(long* v) override {
        return get(
            v, [](const CHARFORMATA& cf) { return cf.dwEffects & CFE_ITALIC ? tomTrue : tomFalse; },
            CFM_ITALIC);
    }
    HRESULT STDMETHODCALLTYPE GetForeColor(long* v) override {
        return get(
            v, [](const CHARFORMATA& cf) { return static_cast<long>(cf.crTextColor); }, CFM_COLOR);
    }
    HRESULT STDMETHODCALLTYPE GetSize(float* v) override {
        long twips = 0;
        HRESULT hr = get(
            &twips, [](const CHARFORMATA& cf) { return static_cast<long>(cf.yHeight); }, CFM_SIZE);
        if (v)
            *v = twips == tomUndefined ? static_cast<float>(tomUndefined) : static_cast<float>(twips) / 20.0f;
        return hr;
    }
    HRESULT STDMETHODCALLTYPE SetBold(long v) override { return setEffect(CFM_BOLD, CFE_BOLD, v); }
    HRESULT STDMETHODCALLTYPE SetItalic(long v) override { return setEffect(CFM_ITALIC, CFE_ITALIC, v); }
    HRESULT STDMETHODCALLTYPE SetForeColor(long v) override {
        CHARFORMATA cf = blank(CFM_COLOR);
        cf.crTextColor = static_cast<COLORREF>(v);
        return apply(cf);
    }
    HRESULT STDMETHODCALLTYPE SetSize(float points) override {
        if (!(points > 0) || points > 1638) return E_INVALIDARG;
        CHARFORMATA cf = blank(CFM_SIZE);
        cf.yHeight = static_cast<LONG>(std::lround(points * 20));
        return apply(cf);
    }

private:
    static CHARFORMATA blank(DWORD mask) {
        CHARFORMATA cf{};
        cf.cbSize = sizeof cf;
        cf.dwMask = mask;
        return cf;
    }
    HRESULT setEffect(DWORD mask, DWORD effect, long v) {
        if (v == tomToggle) {
            long now = 0;
            GetBold(&now);
            if (mask == CFM_ITALIC) GetItalic(&now);
            v = now == tomTrue ? tomFalse : tomTrue;
        }
        CHARFORMATA cf = blank(mask);
        cf.dwEffects = v ? effect : 0;
        return apply(cf);
    }
    HRESULT apply(const CHARFORMATA& cf) {
        RichEditControl* c = m_doc->control();
        if (!c) return E_FAIL;
        c->formatRange(c->toModel(m_start), c->toModel(m_end), cf);
        return S_OK;
    }
    template <class F> HRESULT get(long* v, F field, DWORD mask) {
        if (!v) return E_INVALIDARG;
        RichEditControl* c = m_doc->control();
        if (!c) return E_FAIL;
        CHARFORMATA cf = c->formatOfRange(c->toModel(m_start), c->toModel(m_end));
        *v = (cf.dwMask & mask) ? field(cf) : tomUndefined;
        return S_OK;
    }

    pm::ComPtr<TextDocument> m_doc;
    long m_start, m_end;
};

class TextRange final : public pm::ComObject<NoDispatch<ITextSelection>> {
public:
    TextRange(TextDocument* doc, long start, long end, bool selection)
        : m_doc(doc), m_start(start), m_end(end), m_selection(selection) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (riid == IID_IUnknown || riid == IID_IDispatch || riid == IID_ITextRange ||
            (m_selection && riid == IID_ITextSelection))
            return pm::answerInterface(static_cast<ITextSelection*>(this), ppv);
        if (ppv) *ppv = nullptr;
        return E_NOINTERFACE;
    }

    HRESULT STDMETHODCALLTYPE GetText(BSTR* text) override {
        RichEditControl* c = control();
        if (!c || !text) return c ? E_INVALIDARG : E_FAIL;
        sync();
        int a = c->toModel(m_start), b = c->toModel(m_end);
        *text = toBstr(c->model().text(a, b - a));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetText(BSTR text) override {
        RichEditControl* c = control();
        if (!c) return E_FAIL;
        sync();
        int a = c->toModel(m_start), b = c->toModel(m_end);
        std::string bytes = fromBstr(text);
        if (!c->replaceRange(EM_REPLACESEL, 0, 0, a, b, bytes, c->model().formatForInsertion(a), true))
            return E_ACCESSDENIED;
        m_end = c->toClient(c->model().caret());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetStart(long* cp) override { return read(cp, true); }
    HRESULT STDMETHODCALLTYPE GetEnd(long* cp) override { return read(cp, false); }
    HRESULT STDMETHODCALLTYPE SetStart(long cp) override {
        sync();
        return SetRange(cp, std::max(cp, m_end));
    }
    HRESULT STDMETHODCALLTYPE SetEnd(long cp) override {
        sync();
        return SetRange(std::min(cp, m_start), cp);
    }
    HRESULT STDMETHODCALLTYPE GetFont(ITextFont** font) override {
        if (!font) return E_INVALIDARG;
        if (!control()) return E_FAIL;
        sync();
        *font = new RangeFont(m_doc.get(), m_start, m_end);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetFont(ITextFont* font) override {
        if (!font) return E_INVALIDARG;
        ITextFont* mine = nullptr;
        if (FAILED(GetFont(&mine))) return E_FAIL;
        long bold = 0, italic = 0, color = 0;
        float size = 0;
        if (SUCCEEDED(font->GetBold(&bold)) && bold != tomUndefined) mine->SetBold(bold);
        if (SUCCEEDED(font->GetItalic(&italic)) && italic != tomUndefined) mine->SetItalic(italic);
        if (SUCCEEDED(font->GetForeColor(&color)) && color != tomUndefined) mine->SetForeColor(color);
        if (SUCCEEDED(font->GetSize(&size)) && size > 0) mine->SetSize(size);
        mine->Release();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetRange(long anchor, long active) override {
        RichEditControl* c = control();
        if (!c) return E_FAIL;
        long length = c->clientLength();
        anchor = std::clamp<long>(anchor, 0, length);
        active = std::clamp<long>(active, 0, length);
        m_start = std::min(anchor, active);
        m_end = std::max(anchor, active);
        if (m_selection) c->setSelection(c->toModel(anchor), c->toModel(active));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Expand(long unit, long* delta) override {
        RichEditControl* c = control();
        if (!c) return E_FAIL;
        sync();
        long before = m_end - m_start;
        RichTextModel& m = c->model();
        int a = c->toModel(m_start), b = c->toModel(m_end);
        switch (unit) {
        case tomWindow: {
            auto visible = c->visibleRange();
            a = visible.first;
            b = visible.second;
            break;
        }
        case tomStory:
            a = 0;
            b = m.length();
            break;
        case tomLine:
            a = m.lineStart(m.lineFromPosition(a));
            b = std::min(m.length(), m.lineEnd(m.lineFromPosition(b)) + 1);
            break;
        default:
            return E_NOTIMPL;
        }
        SetRange(c->toClient(a), c->toClient(b));
        if (delta) *delta = (m_end - m_start) - before;
        return S_OK;
    }

private:
    RichEditControl* control() const { return m_doc->control(); }
    // The selection object follows the control's selection.
    void sync() {
        RichEditControl* c = control();
        if (!m_selection || !c) return;
        m_start = c->toClient(c->model().selectionStart());
        m_end = c->toClient(c->model().selectionEnd());
    }
    HRESULT read(long* cp, bool start) {
        if (!cp) return E_INVALIDARG;
        RichEditControl* c = control();
        if (!c) return E_FAIL;
        sync();
        long length = c->clientLength();
        *cp = std::min(start ? m_start : m_end, length);
        return S_OK;
    }

    pm::ComPtr<TextDocument> m_doc;
    long m_start, m_end;
    bool m_selection;
};

} // namespace

HRESULT TextDocument::QueryInterface(REFIID riid, void** ppv) {
    if (riid == IID_IUnknown || riid == IID_IRichEditOle)
        return pm::answerInterface(static_cast<IRichEditOle*>(this), ppv);
    if (riid == IID_IDispatch || riid == IID_ITextDocument)
        return pm::answerInterface(static_cast<ITextDocument*>(this), ppv);
    if (ppv) *ppv = nullptr;
    return E_NOINTERFACE;
}

HRESULT TextDocument::GetTypeInfoCount(UINT* count) {
    if (count) *count = 0;
    return S_OK;
}

HRESULT TextDocument::GetSelection(ITextSelection** selection) {
    if (!selection) return E_INVALIDARG;
    if (!m_control) return E_FAIL;
    *selection = new TextRange(this, 0, 0, true);
    return S_OK;
}

HRESULT TextDocument::Freeze(long* count) {
    if (!m_control) return E_FAIL;
    if (m_frozen++ == 0) m_control->handle(WM_SETREDRAW, FALSE, 0);
    if (count) *count = m_frozen;
    return S_OK;
}

HRESULT TextDocument::Unfreeze(long* count) {
    if (!m_control) return E_FAIL;
    if (m_frozen > 0 && --m_frozen == 0) m_control->handle(WM_SETREDRAW, TRUE, 0);
    if (count) *count = m_frozen;
    return m_frozen == 0 ? S_OK : S_FALSE;
}

HRESULT TextDocument::Undo(long count, long* done) {
    if (!m_control) return E_FAIL;
    if (done) *done = 0;
    if (count == tomSuspend || count == tomResume) {
        m_control->suspendUndo(count == tomSuspend);
        return S_OK;
    }
    long n = 0;
    while (n < count && m_control->handle(EM_UNDO, 0, 0))
        ++n;
    if (done) *done = n;
    return n == count ? S_OK : S_FALSE;
}

HRESULT TextDocument::Range(long cp1, long cp2, ITextRange** range) {
    if (!range) return E_INVALIDARG;
    if (!m_control) return E_FAIL;
    long length = m_control->clientLength();
    cp1 = std::clamp<long>(cp1, 0, length);
    cp2 = std::clamp<long>(cp2, 0, length);
    *range = new TextRange(this, std::min(cp1, cp2), std::max(cp1, cp2), false);
    return S_OK;
}

HRESULT TextDocument::RangeFromPoint(long x, long y, ITextRange** range) {
    if (!range) return E_INVALIDARG;
    if (!m_control) return E_FAIL;
    POINT pt{static_cast<LONG>(x), static_cast<LONG>(y)};
    ScreenToClient(m_control->hwnd(), &pt);
    long cp = static_cast<long>(m_control->handle(EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&pt)));
    *range = new TextRange(this, cp, cp, false);
    return S_OK;
}

} // namespace pm::richedit
