#pragma once
// The text object model over a rich-edit control: the document, its ranges, the selection and
// range fonts. The document lives while anyone holds it; once its control is destroyed every call
// fails with E_FAIL instead of reaching freed memory.

#include "platform/com/comptr.h"
#include "platform/win/tom.h"

namespace pm::richedit {

class RichEditControl;

class TextDocument final : public pm::ComObject<IRichEditOle, ITextDocument> {
public:
    explicit TextDocument(RichEditControl* control) : m_control(control) {}
    RichEditControl* control() const { return m_control; }
    void detach() { m_control = nullptr; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }

    HRESULT STDMETHODCALLTYPE GetSelection(ITextSelection** selection) override;
    HRESULT STDMETHODCALLTYPE Freeze(long* count) override;
    HRESULT STDMETHODCALLTYPE Unfreeze(long* count) override;
    HRESULT STDMETHODCALLTYPE Undo(long count, long* done) override;
    HRESULT STDMETHODCALLTYPE Range(long cp1, long cp2, ITextRange** range) override;
    HRESULT STDMETHODCALLTYPE RangeFromPoint(long x, long y, ITextRange** range) override;

private:
    RichEditControl* m_control;
    long m_frozen = 0;
};

} // namespace pm::richedit
