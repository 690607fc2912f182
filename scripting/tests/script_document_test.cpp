// The script document and its application base: a view bound to an engine of the document's own,
// run and stopped by the document's commands, stored as a procedure list or as plain text, and the
// debugger commands of the application, disabled while there is no debugger.

#include "cmake/test_files.h"
#include "platform/framework/CCmdUI.h"
#include "platform/framework/tests/support/framework_test.h"
#include "scripting/CHHModule.h"
#include "scripting/CHHScriptApp.h"
#include "scripting/CHHScriptDoc.h"
#include "scripting/CHHScriptView.h"
#include "scripting/CHHVBScriptTextParser.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class DocumentApp : public CHHScriptApp {
public:
    DocumentApp() : CHHScriptApp("Script Documents") {}
    void SetDebuggerPresent(BOOL on) { m_bHaveDebugManager = m_bHaveDebugApplication = on; }
};

// Whether the target's update handler enables the command.
bool enabled(CCmdTarget& target, UINT id) {
    struct State : CCmdUI {
        BOOL on = FALSE;
        void Enable(BOOL b) override { on = b; }
    } state;
    state.m_nID = id;
    target.OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &state, nullptr);
    return state.on != FALSE;
}

class ScriptDocument : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(app.InitApplication());
        frame = new CFrameWnd;
        ASSERT_TRUE(frame->Create(nullptr, "Script document", WS_OVERLAPPEDWINDOW, CRect(0, 0, 500, 300)));
        view = new CHHScriptView;
        ASSERT_TRUE(view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 480, 260), frame,
                                 AFX_IDW_PANE_FIRST));
        doc.m_bAutoDelete = FALSE;
        doc.AddView(view);
        folder = pm::afxtest::makeTempFolder();
    }
    void TearDown() override {
        doc.RemoveView(view);
        frame->DestroyWindow();
        pm::afxtest::pump();
        pm::afxtest::removeFolder(folder);
    }
    std::string scriptText() {
        const CString t = view->GetScriptText();
        return std::string(t, static_cast<size_t>(t.GetLength()));
    }

    DocumentApp app;
    CFrameWnd* frame = nullptr;
    CHHScriptView* view = nullptr;
    CHHScriptDoc doc;
    std::string folder;
    CHHVBScriptTextParser parser;
};

} // namespace

TEST_F(ScriptDocument, RunsTheViewsScriptAndStopsIt) {
    ASSERT_TRUE(doc.OnNewDocument());
    ASSERT_TRUE(view->SetScriptText("Dim x\r\nSub Later()\r\n\tx = 2\r\nEnd Sub\r\n", &parser));
    EXPECT_TRUE(enabled(doc, ID_HHSCRIPT_RUN));
    EXPECT_FALSE(enabled(doc, ID_HHSCRIPT_STOP));
    for (int run = 0; run < 2; ++run) {
        doc.OnCmdMsg(ID_HHSCRIPT_RUN, CN_COMMAND, nullptr, nullptr);
        EXPECT_EQ(doc.GetEngine()->GetScriptState(), SCRIPTSTATE_CONNECTED) << run;
        EXPECT_TRUE(enabled(doc, ID_HHSCRIPT_STOP));
        doc.OnCmdMsg(ID_HHSCRIPT_STOP, CN_COMMAND, nullptr, nullptr);
        EXPECT_NE(doc.GetEngine()->GetScriptState(), SCRIPTSTATE_CONNECTED);
        EXPECT_TRUE(enabled(doc, ID_HHSCRIPT_RUN));
    }
}

TEST_F(ScriptDocument, StoresItsProceduresOrItsPlainTextAndReadsThemBack) {
    const std::string text = "Dim x\r\nSub Later()\r\n\tx = 2\r\nEnd Sub\r\n\r\n";
    ASSERT_TRUE(doc.OnNewDocument());
    ASSERT_TRUE(view->SetScriptText(text.c_str(), &parser));
    const std::string archived = folder + "/module.hbs", plain = folder + "/module.vbs";
    ASSERT_TRUE(doc.OnSaveDocument(archived.c_str()));
    doc.m_bPlainText = TRUE;
    ASSERT_TRUE(doc.OnSaveDocument(plain.c_str()));
    EXPECT_EQ(pm::test::readFile(plain), scriptText()) << "the bare text, without terminator or length";

    ASSERT_TRUE(doc.OnOpenDocument(plain.c_str()));
    EXPECT_EQ(scriptText(), pm::test::readFile(plain));
    doc.m_bPlainText = FALSE;
    view->SetScriptText("Sub Other()\r\nEnd Sub\r\n", &parser);
    ASSERT_TRUE(doc.OnOpenDocument(archived.c_str()));
    EXPECT_EQ(scriptText(), pm::test::readFile(plain));
    EXPECT_EQ(CHHScriptViewBase::ComboText(view->GetObjectsCombo()), "(General)")
        << "the first object is shown";
}

TEST_F(ScriptDocument, APlainTextFileTooLargeForTheEditorIsRefused) {
    const std::string big = folder + "/big.vbs";
    pm::test::writeFile(big, std::string(0xA00001, 'x'));
    std::string reported;
    pm::setMessageBoxHook([&](HWND, const std::string& message, const std::string&, UINT) {
        reported = message;
        return IDOK;
    });
    doc.m_bPlainText = TRUE;
    EXPECT_FALSE(doc.OnOpenDocument(big.c_str()));
    pm::setMessageBoxHook(nullptr);
    EXPECT_FALSE(reported.empty());
    EXPECT_EQ(scriptText(), "");
}

TEST_F(ScriptDocument, TheTitleNamesTheEngine) {
    ASSERT_TRUE(doc.OnNewDocument());
    doc.SetTitle("Macro One");
    EXPECT_EQ(std::string(doc.GetEngine()->GetName()), "Macro One");
}

TEST_F(ScriptDocument, DebuggerCommandsFollowTheApplicationsFlagsAndDoNothingWithoutADebugger) {
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(doc.GetDebugApplication(), &app.GetDebugApplication());
    for (UINT id : {ID_HHSCRIPT_BREAK, ID_HHSCRIPT_DEBUGGER}) {
        EXPECT_FALSE(enabled(app, id)) << id;
        app.SetDebuggerPresent(TRUE);
        EXPECT_TRUE(enabled(app, id)) << id;
        EXPECT_TRUE(app.OnCmdMsg(id, CN_COMMAND, nullptr, nullptr));
        app.SetDebuggerPresent(FALSE);
    }
}
