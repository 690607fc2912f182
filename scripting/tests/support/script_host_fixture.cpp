#include "script_host_fixture.h"

#include "platform/framework/tests/support/framework_test.h"
#include "platform/script/script_hooks.h"
#include "platform/win/tests/support/test_windows.h"
#include "scripting/CHHVBScriptEngine.h"
#include "scripting/CHHVBScriptTextParser.h"
#include "scripting/EditMDITypeLib.h"
#include "scripting/ScriptAppServices.h"

namespace scripttest {

namespace {
ScriptHost* g_host = nullptr;

// As the program's application does, commands that nothing else handles go to the module.
class HostApp : public sample::CSampleApp {
public:
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override {
        if (sample::CSampleApp::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
        return g_host && g_host->module && g_host->module->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }
};

std::string textOf(HWND hwnd) {
    int n = ::GetWindowTextLength(hwnd);
    std::string text(static_cast<size_t>(n) + 1, '\0');
    ::GetWindowText(hwnd, text.data(), n + 1);
    text.resize(static_cast<size_t>(n));
    return text;
}
} // namespace

std::string Sink::Describe(VARIANT& v) {
    if (v.vt == (VT_BYREF | VT_I4)) {
        ++*v.plVal;
        return "I4&";
    }
    if (v.vt == VT_BSTR) return "BSTR:" + pm::fromBstrKeepingBytes(v.bstrVal);
    VARIANT text;
    VariantInit(&text);
    VariantChangeType(&text, &v, 0, VT_BSTR);
    std::string out = std::to_string(v.vt) + ":" + pm::fromBstr(text.bstrVal);
    VariantClear(&text);
    return out;
}

DWORD Advise(IDispatch* object, const IID& events, Sink* sink) {
    pm::ComPtr<IConnectionPointContainer> container;
    pm::ComPtr<IConnectionPoint> point;
    DWORD cookie = 0;
    if (FAILED(object->QueryInterface(IID_IConnectionPointContainer, container.putVoid())) ||
        FAILED(container->FindConnectionPoint(events, point.put())) ||
        FAILED(point->Advise(static_cast<IDispatch*>(sink), &cookie)))
        return 0;
    return cookie;
}

void PumpOnce() {
    pm::afxtest::pump();
    pm::test::advanceClock(5);
}

ScriptHost::ScriptHost() {
    g_host = this;
    app = std::make_unique<HostApp>();
    app->InitApplication();
    app->InitInstance();
    main = app->MainFrame()->m_hWnd;
    m_oldProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtr(main, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FrameProc)));
    SetEditCtrlOfView([](CView* view) -> CWnd* { return view; });
    docObject.InitDispatchIIDs();
    appObject.InitDispatchIIDs();
    module = std::make_unique<CHHModule>(RUNTIME_CLASS(CHHVBScriptEngine));
    module->Init(nullptr);
    module->AddNamedObject("App", &appObject, SCRIPTITEM_ISSOURCE | SCRIPTITEM_ISVISIBLE, FALSE);
    module->AddNamedObject("Doc", &docObject, SCRIPTITEM_ISSOURCE | SCRIPTITEM_ISVISIBLE, FALSE);
    pm::setMessageBoxHook([this](HWND, const std::string& message, const std::string&, UINT) {
        messages.push_back(message);
        return IDOK;
    });
    AnswerErrorDialogs();
    pm::afxtest::pump();
}

ScriptHost::~ScriptHost() {
    module->Close();
    module.reset();
    pm::setDialogHook(nullptr);
    pm::setScriptPollHook(nullptr);
    SetEditCtrlOfView(nullptr);
    pm::setMessageBoxHook([](HWND, const std::string&, const std::string&, UINT) { return IDNO; });
    if (::IsWindow(main)) ::SendMessage(main, WM_CLOSE, 0, 0);
    pm::afxtest::pump();
    pm::setMessageBoxHook(nullptr);
    app.reset();
    g_host = nullptr;
}

void ScriptHost::AnswerErrorDialogs() {
    pm::setDialogHook([this](HWND dialog) {
        char caption[128] = {}, text[1024] = {};
        ::GetWindowText(dialog, caption, sizeof caption);
        ::GetDlgItemTextA(dialog, 28276, text, sizeof text);
        dialogCaptions.push_back(caption);
        dialogTexts.push_back(text);
        if (!pictureName.empty()) {
            ::RedrawWindow(dialog, nullptr, nullptr,
                           RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
            pm::afxtest::savePng(dialog, pictureName);
        }
        pictureName.clear();
        ::SendMessage(dialog, WM_COMMAND, MAKEWPARAM(answerButton, BN_CLICKED), 0);
    });
}

HWND ScriptHost::NewDocument() {
    pm::setDialogHook([](HWND dialog) {
        ::SendDlgItemMessageA(dialog, 100, LB_SETCURSEL, 0, 0);
        ::SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
    app->OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr, nullptr);
    pm::afxtest::pump();
    AnswerErrorDialogs();
    CWnd* ctrl = GetActiveEditCtrl();
    edit = ctrl ? ctrl->m_hWnd : nullptr;
    return edit;
}

BOOL ScriptHost::RunMacro(const std::string& text) {
    CHHVBScriptTextParser parser;
    module->GetProcedures().RemoveAll();
    module->GetProcedures().Parse(text.c_str(), &parser);
    return module->Run();
}

std::string ScriptHost::EditText() const {
    return textOf(edit);
}

LRESULT CALLBACK ScriptHost::FrameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    ScriptHost* host = g_host;
    if (msg == WM_TIMER && wParam == CAppObject::kTimerEvent) {
        host->appObject.FireEvent(CAppObject::DISPID_Timer, VTS_NONE);
        return 0;
    }
    if (msg == WM_TIMER && wParam == CAppObject::kTimerStopScript) {
        ::KillTimer(hwnd, CAppObject::kTimerStopScript);
        host->module->Stop();
        return 0;
    }
    return ::CallWindowProc(host->m_oldProc, hwnd, msg, wParam, lParam);
}

} // namespace scripttest
