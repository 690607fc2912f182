// MsgBox and InputBox show the window layer's dialogs, owned by the site's window; the window
// layer's hooks and test input answer them.

#include "support/script_harness.h"

#include "platform/script/script_hooks.h"
#include "platform/win/tests/support/test_windows.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

using pm::test::Harness;

class ScriptDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        owner = CreateWindowEx(0, pm::test::recordingClass(), "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100,
                               100, 600, 400, nullptr, nullptr, nullptr, nullptr);
        pm::test::pumpMessages();
        h.site->window = owner;
    }
    void TearDown() override {
        pm::setDialogHook(nullptr);
        pm::setMessageBoxHook(nullptr);
        DestroyWindow(owner);
        pm::test::pumpMessages();
    }
    // Runs a script whose dialogs `drive` answers once each shows; the Test object's log, joined.
    std::string runWith(const std::string& script, std::function<void(HWND)> drive) {
        pm::setDialogHook(std::move(drive));
        h.test->log.clear();
        h.engine->SetScriptState(SCRIPTSTATE_INITIALIZED);
        h.engine->AddNamedItem(u"Test", SCRIPTITEM_ISVISIBLE | SCRIPTITEM_ISSOURCE);
        EXPECT_EQ(h.run(script), S_OK);
        std::string out;
        for (size_t i = 0; i < h.test->log.size(); ++i)
            out += (i ? "|" : "") + h.test->log[i];
        return out;
    }
    Harness h;
    HWND owner = nullptr;
};

std::string windowText(HWND hwnd) {
    char text[256] = {};
    GetWindowText(hwnd, text, sizeof text);
    return text;
}

TEST_F(ScriptDialogs, MsgBoxPassesItsFlagsAndTitleToMessageBox) {
    struct Case {
        const char* script;
        const char* caption;
        UINT type;
    } cases[] = {
        {"Test.Log MsgBox(\"Hello\")", "VBScript", MB_OK},
        {"Test.Log MsgBox(\"Sure?\", vbYesNo + vbQuestion + vbDefaultButton2, \"Ask\")", "Ask",
         MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2},
        {"Test.Log MsgBox(\"Stop\", vbCritical + vbRetryCancel + vbSystemModal)", "VBScript",
         MB_ICONHAND | MB_RETRYCANCEL | MB_SYSTEMMODAL},
        {"Test.Log MsgBox(\"Info\", vbInformation, Empty)", "", MB_ICONASTERISK},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        HWND seenOwner = nullptr;
        std::string seenText, seenCaption;
        UINT seenType = ~0u;
        pm::setMessageBoxHook([&](HWND o, const std::string& text, const std::string& caption, UINT type) {
            seenOwner = o;
            seenText = text;
            seenCaption = caption;
            seenType = type;
            return IDRETRY;
        });
        EXPECT_EQ(runWith(c.script, nullptr), "4");
        EXPECT_EQ(seenOwner, owner);
        EXPECT_EQ(seenCaption, c.caption);
        EXPECT_EQ(seenType, c.type);
    }
}

TEST_F(ScriptDialogs, MsgBoxAnswersWithTheButtonPressed) {
    struct Case {
        const char* script;
        int key;
        const char* result;
    } cases[] = {
        {"Test.Log MsgBox(\"x\") = vbOK", VK_RETURN, "True"},
        {"Test.Log MsgBox(\"x\", vbYesNo + vbDefaultButton2) = vbNo", VK_RETURN, "True"},
        {"Test.Log MsgBox(\"x\", vbYesNoCancel)", VK_ESCAPE, "2"},
        {"Test.Log MsgBox(\"x\", vbOKCancel + vbDefaultButton2)", VK_RETURN, "2"},
        {"Test.Log MsgBox(\"x\", vbAbortRetryIgnore)", VK_RETURN, "3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        EXPECT_EQ(runWith(c.script, [&](HWND box) { pm::test::pressKey(box, c.key); }), c.result);
        EXPECT_TRUE(IsWindowEnabled(owner));
    }
}

TEST_F(ScriptDialogs, InputBoxShowsItsTextsAndAnswersTheEdit) {
    struct Case {
        const char* name;
        const char* script;
        const char* typed; // null: nothing typed
        int key;
        const char* result;
    } cases[] = {
        {"typed text replaces the default", "Test.Log InputBox(\"Name?\", \"Who\", \"anon\")", "ann b",
         VK_RETURN, "ann b"},
        {"default kept", "Test.Log InputBox(\"Name?\", \"Who\", \"anon\")", nullptr, VK_RETURN, "anon"},
        {"escape cancels", "Test.Log \"[\" & InputBox(\"Name?\", \"Who\", \"anon\") & \"]\"", "bob",
         VK_ESCAPE, "[]"},
        {"cancel gives an empty string", "Test.Log TypeName(InputBox(\"Name?\"))", nullptr, VK_ESCAPE,
         "String"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string caption, prompt;
        HWND boxOwner = nullptr;
        std::string log = runWith(c.script, [&](HWND box) {
            caption = windowText(box);
            prompt = windowText(GetDlgItem(box, 100));
            boxOwner = GetWindow(box, GW_OWNER);
            if (c.typed) pm::test::typeText(box, c.typed);
            if (&c == cases) {
                RedrawWindow(box, nullptr, nullptr,
                             RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
                pm::test::saveWindowPng(box, pm::test::outputFolder() + "/script_input_box.png");
            }
            pm::test::pressKey(box, c.key);
        });
        EXPECT_EQ(log, c.result);
        EXPECT_EQ(prompt, "Name?");
        EXPECT_EQ(caption, std::string(c.script).find("Who") != std::string::npos ? "Who" : "VBScript");
        EXPECT_EQ(boxOwner, owner);
    }
}

TEST_F(ScriptDialogs, InputBoxIsPlacedInTwipsOrAThirdDownTheScreen) {
    struct Case {
        const char* script;
        bool centredX, thirdY;
        int x, y;
    } cases[] = {
        {"InputBox \"p\", \"t\", \"\", 1500, 3000", false, false, 100, 200},
        {"InputBox \"p\", , , 300", false, true, 20, 0},
        {"InputBox \"p\", , , , 750", true, false, 0, 50},
        {"InputBox \"p\"", true, true, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        RECT r{};
        runWith(c.script, [&](HWND box) {
            GetWindowRect(box, &r);
            EndDialog(box, IDCANCEL);
        });
        int width = r.right - r.left, height = r.bottom - r.top;
        EXPECT_GT(width, 0);
        EXPECT_EQ(r.left, c.centredX ? (GetSystemMetrics(SM_CXSCREEN) - width) / 2 : c.x);
        EXPECT_EQ(r.top, c.thirdY ? (GetSystemMetrics(SM_CYSCREEN) - height) / 3 : c.y);
    }
}

TEST_F(ScriptDialogs, ScriptHooksStillReplaceTheDialogs) {
    pm::ScriptInputRequest seen;
    pm::setScriptInputBoxHook([&](HWND, const pm::ScriptInputRequest& request, std::string& answer) {
        seen = request;
        answer = "hooked";
        return true;
    });
    pm::setScriptMessageBoxHook([](HWND, const std::string&, unsigned, const std::string&) { return 7; });
    EXPECT_EQ(runWith("Test.Log InputBox(\"p\", \"t\", \"d\", 15, 30)\nTest.Log MsgBox(\"m\")",
                      [](HWND) { ADD_FAILURE() << "a dialog showed"; }),
              "hooked|7");
    pm::setScriptInputBoxHook(nullptr);
    pm::setScriptMessageBoxHook(nullptr);
    EXPECT_EQ(seen.defaultText, "d");
    EXPECT_EQ(seen.xTwips.value_or(-1), 15);
    EXPECT_EQ(seen.yTwips.value_or(-1), 30);
}

TEST_F(ScriptDialogs, EventsRunWhileTheMessageBoxIsOpenAndAStopEndsTheScript) {
    // An event fired from the box's modal loop, while another event's handler waits for the box,
    // runs its handler and returns.
    EXPECT_EQ(
        runWith("Sub Test_Ping\nTest.Log \"ping\"\nEnd Sub\nSub Test_Count(n)\nTest.Log MsgBox(\"wait\", "
                "vbOKCancel)\nEnd Sub",
                [&](HWND box) {
                    EXPECT_EQ(h.test->fire(pm::test::kEventPing), S_OK);
                    pm::test::pressKey(box, VK_ESCAPE);
                }),
        "");
    VARIANT n;
    VariantInit(&n);
    n.vt = VT_I4;
    EXPECT_EQ(h.test->fire(pm::test::kEventCount, {n}), S_OK);
    EXPECT_EQ(h.test->log.size(), 2u);
    EXPECT_EQ(h.test->log.front() + "|" + h.test->log.back(), "ping|2");
    // A stop while the box is open ends the script once the box closes.
    EXPECT_EQ(runWith("Test.Log \"before\"\nMsgBox \"x\"\nTest.Log \"after\"",
                      [&](HWND box) {
                          h.engine->SetScriptState(SCRIPTSTATE_INITIALIZED);
                          pm::test::pressKey(box, VK_RETURN);
                      }),
              "before");
    EXPECT_EQ(h.site->states.back(), SCRIPTSTATE_INITIALIZED);
    EXPECT_TRUE(h.site->errors.empty());
}

} // namespace
