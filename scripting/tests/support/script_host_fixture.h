#pragma once
// A small editor for the script host's tests: the framework's sample MDI editor (rich-edit views),
// with the application's script wiring: "App" and "Doc" added to one module, commands that the
// application does not handle routed to the module, the main window's timer 1 firing App's Timer
// event and timer 2 stopping the macro.

#include "platform/framework/sample/SampleEditor.h"
#include "scripting/CADoc.h"
#include "scripting/CAppObject.h"
#include "scripting/CHHModule.h"

#include "platform/com/comptr.h"

#include <memory>
#include <string>
#include <vector>

namespace scripttest {

class ScriptHost {
public:
    ScriptHost();
    ~ScriptHost();

    // Opens a new text document; its rich-edit view is the active edit control.
    HWND NewDocument();
    // Replaces the module's procedures with the text and runs it.
    BOOL RunMacro(const std::string& text);
    // Serves the queue until done() or the time runs out (milliseconds on the platform's clock, which
    // each round moves on); false on time-out.
    template <class Done> bool PumpUntil(Done done, DWORD timeoutMs = 3000);
    std::string EditText() const;

    std::unique_ptr<sample::CSampleApp> app;
    HWND main = nullptr;
    HWND edit = nullptr;
    CAppObject appObject;
    CADoc docObject;
    std::unique_ptr<CHHModule> module;
    // Error dialogs seen: their captions and texts; the dialog is answered with answerButton.
    std::vector<std::string> dialogCaptions, dialogTexts;
    int answerButton = 28279;
    std::vector<std::string> messages; // message boxes shown (answered OK)
    std::string pictureName;           // when set, the next error dialog is saved as this PNG

private:
    // Records each dialog (an error dialog) and answers it with answerButton.
    void AnswerErrorDialogs();
    static LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    WNDPROC m_oldProc = nullptr;
};

// A C++ sink of App's events; it answers with the given result.
class Sink final : public pm::ComObject<IDispatch> {
public:
    explicit Sink(HRESULT answer) : m_answer(answer) {}
    int calls = 0;
    // The last call: its dispid, and its arguments in call order as "type:value" texts. A 4-byte
    // integer passed by reference comes back one larger.
    DISPID lastDispid = 0;
    std::vector<std::string> lastArgs;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (riid == IID_IUnknown || riid == IID_IDispatch) return pm::answerInterface<IDispatch>(this, ppv);
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        if (id == 1) ++calls;
        lastDispid = id;
        lastArgs.clear();
        for (UINT i = params ? params->cArgs : 0; i-- > 0;)
            lastArgs.push_back(Describe(params->rgvarg[i]));
        return m_answer;
    }

private:
    static std::string Describe(VARIANT& v);
    HRESULT m_answer;
};

// Connects a sink to the object's event interface; the cookie.
DWORD Advise(IDispatch* object, const IID& events, Sink* sink);

// Serves the queue, then moves the platform's clock on by a few milliseconds.
void PumpOnce();

template <class Done> bool ScriptHost::PumpUntil(Done done, DWORD timeoutMs) {
    const DWORD start = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - start > timeoutMs) return false;
        PumpOnce();
    }
    return true;
}

} // namespace scripttest
