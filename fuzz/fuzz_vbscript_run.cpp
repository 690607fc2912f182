// Runs arbitrary bytes as a script: parse errors and run-time errors are reported through the
// site, endless loops are stopped by the poll hook at its second call (some 20 ms of running),
// MsgBox and InputBox answer at once instead of showing dialogs, and nothing may crash, leak or
// exhaust memory. The FileSystemObject is unregistered so that no input can touch the machine's
// files.

#include "platform/script/plain_script_site.h"
#include "platform/script/runtime/scripting_runtime.h"
#include "platform/script/script_hooks.h"
#include "platform/script/vbscript.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool registered = [] {
        pm::registerVBScriptEngine();
        pm::unregisterClass(pm::vbs::kFileSystemClass);
        pm::setScriptMessageBoxHook([](HWND, const std::string&, unsigned, const std::string&) { return 1; });
        pm::setScriptInputBoxHook([](HWND, const pm::ScriptInputRequest&, std::string&) { return false; });
        return true;
    }();
    (void)registered;
    pm::ComPtr<IActiveScript> engine;
    pm::ComPtr<IActiveScriptParse> parse;
    CoCreateInstance(CLSID_VBScript, nullptr, CLSCTX_ALL, IID_IActiveScript, engine.putVoid());
    engine->QueryInterface(IID_IActiveScriptParse, parse.putVoid());
    pm::ComPtr<pm::PlainScriptSite> site;
    site.attach(new pm::PlainScriptSite);
    parse->InitNew();
    engine->SetScriptSite(site.get());
    int polls = 0;
    pm::setScriptPollHook([&] {
        if (++polls >= 2) engine->InterruptScriptThread(SCRIPTTHREADID_ALL, nullptr, 0);
    });
    std::u16string text = pm::toUtf16(reinterpret_cast<const char*>(data), size);
    parse->ParseScriptText(text.c_str(), nullptr, nullptr, nullptr, 0, 0, 0, nullptr, nullptr);
    engine->SetScriptState(SCRIPTSTATE_CONNECTED);
    engine->Close();
    pm::setScriptPollHook(nullptr);
    return 0;
}
