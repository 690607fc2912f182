// A macro that inserts 10,000 lines through the "Doc" object of a small editor (a rich-edit view),
// against the same edits made by C++ through the control's messages, measured in the same run in
// this thread's CPU time. The ratio is the cost of the script engine and the automation layer.
#include "bench/thread_clock.h"
#include "platform/framework/sample/SampleEditor.h"
#include "platform/win/richedit.h"
#include "platform/win/windlg.h"
#include "scripting/CADoc.h"
#include "scripting/CHHModule.h"
#include "scripting/CHHVBScriptEngine.h"
#include "scripting/CHHVBScriptTextParser.h"
#include "scripting/EditMDITypeLib.h"
#include "scripting/ScriptAppServices.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

const int kLines = 10000;

double insertByMessages(HWND edit) {
    ::SetWindowText(edit, "");
    const double start = threadSeconds();
    for (int i = 1; i <= kLines; ++i) {
        std::string line = "line " + std::to_string(i);
        ::SendMessage(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(line.c_str()));
        ::SendMessage(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("\r\n"));
    }
    return threadSeconds() - start;
}

double insertByMacro(HWND edit, CHHModule& module) {
    ::SetWindowText(edit, "");
    CHHVBScriptTextParser parser;
    module.GetProcedures().RemoveAll();
    module.GetProcedures().Parse("For i = 1 To 10000\r\n"
                                 "\tDoc.Selection = \"line \" & i\r\n"
                                 "\tDoc.NewLine\r\n"
                                 "Next\r\n",
                                 &parser);
    const double start = threadSeconds();
    module.Run();
    const double spent = threadSeconds() - start;
    module.Stop();
    return spent;
}

} // namespace

int main() {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    auto app = std::make_unique<sample::CSampleApp>();
    app->InitApplication();
    app->InitInstance();
    POSITION pos = app->GetFirstDocTemplatePosition();
    app->GetNextDocTemplate(pos)->OpenDocumentFile(nullptr);
    SetEditCtrlOfView([](CView* view) -> CWnd* { return view; });
    CWnd* ctrl = GetActiveEditCtrl();
    if (!ctrl) {
        std::printf("script host: no edit control\n");
        return 1;
    }
    HWND edit = ctrl->m_hWnd;
    ::SendMessage(edit, EM_EXLIMITTEXT, 0, 64 * 1024 * 1024);
    CADoc doc;
    doc.InitDispatchIIDs();
    CHHModule module(RUNTIME_CLASS(CHHVBScriptEngine));
    module.Init(nullptr);
    module.AddNamedObject("Doc", &doc, 6, FALSE);

    double messages = 1e9, macro = 1e9;
    for (int round = 0; round < 3; ++round) {
        messages = std::min(messages, insertByMessages(edit));
        macro = std::min(macro, insertByMacro(edit, module));
    }
    const bool same = ::GetWindowTextLength(edit) > kLines * 8;
    std::printf("script host: %d lines inserted through Doc by a macro: %.1f ms; by C++ messages: %.1f ms; "
                "ratio %.2f (target below 5)%s\n",
                kLines, macro * 1000, messages * 1000, macro / messages, same ? "" : " [text missing]");
    module.Close();
    pm::setMessageBoxHook([](HWND, const std::string&, const std::string&, UINT) { return IDNO; });
    app->MainFrame()->SendMessage(WM_CLOSE);
    return 0;
}
