#pragma once
// The text object model of the rich-edit control, in the subset its users call: a document
// (reached through EM_GETOLEINTERFACE and QueryInterface), ranges and their fonts.

#include "platform/com/unknwn.h"

#define tomFalse 0
#define tomTrue (-1)
#define tomUndefined (-9999999)
#define tomToggle (-9999998)
#define tomSuspend (-9999995)
#define tomResume (-9999994)
#define tomCharacter 1
#define tomWord 2
#define tomLine 5
#define tomStory 6
#define tomWindow 11

extern const IID IID_IRichEditOle;
extern const IID IID_ITextDocument;
extern const IID IID_ITextRange;
extern const IID IID_ITextSelection;
extern const IID IID_ITextFont;

class ITextFont;
class ITextRange;
class ITextSelection;

// What EM_GETOLEINTERFACE hands out; only QueryInterface is of use here.
class IRichEditOle : public IUnknown {
protected:
    ~IRichEditOle() = default;
};

class ITextFont : public IDispatch {
public:
    virtual HRESULT STDMETHODCALLTYPE GetBold(long* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetBold(long value) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetItalic(long* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetItalic(long value) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetForeColor(long* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetForeColor(long value) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetSize(float* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetSize(float value) = 0;

protected:
    ~ITextFont() = default;
};

class ITextRange : public IDispatch {
public:
    virtual HRESULT STDMETHODCALLTYPE GetText(BSTR* text) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetText(BSTR text) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetStart(long* cp) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetStart(long cp) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetEnd(long* cp) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetEnd(long cp) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetFont(ITextFont** font) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetFont(ITextFont* font) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetRange(long anchor, long active) = 0;
    virtual HRESULT STDMETHODCALLTYPE Expand(long unit, long* delta) = 0;

protected:
    ~ITextRange() = default;
};

class ITextSelection : public ITextRange {
protected:
    ~ITextSelection() = default;
};

class ITextDocument : public IDispatch {
public:
    virtual HRESULT STDMETHODCALLTYPE GetSelection(ITextSelection** selection) = 0;
    virtual HRESULT STDMETHODCALLTYPE Freeze(long* count) = 0;
    virtual HRESULT STDMETHODCALLTYPE Unfreeze(long* count) = 0;
    virtual HRESULT STDMETHODCALLTYPE Undo(long count, long* done) = 0;
    virtual HRESULT STDMETHODCALLTYPE Range(long cp1, long cp2, ITextRange** range) = 0;
    virtual HRESULT STDMETHODCALLTYPE RangeFromPoint(long x, long y, ITextRange** range) = 0;

protected:
    ~ITextDocument() = default;
};
