// The Objects dialog driven through its controls, the debug application that fails cleanly, and
// the editor opening at an ended error.

#include "platform/com/objbase.h"
#include "platform/framework/tests/support/framework_test.h"
#include "platform/win/commctrl.h"
#include "platform/win/windlg.h"
#include "scripting/CHHDebugApplication.h"
#include "scripting/CHHModuleEdit.h"
#include "scripting/CHHVBScriptTextParser.h"
#include "scripting/ScriptStrings.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

const CLSID kThing = {0x5C4E0002, 0x1234, 0x4321, {1, 2, 3, 4, 5, 6, 7, 9}};
const char kThingText[] = "{5C4E0002-1234-4321-0102-030405060709}";

class Thing final : public pm::ComObject<IUnknown> {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (riid == IID_IUnknown) return pm::answerInterface<IUnknown>(this, ppv);
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
};

std::string itemText(HWND list, int row, int column) {
    char text[256] = {};
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    ::SendMessage(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return text;
}

class ObjectsDialog : public ::testing::Test {
protected:
    void SetUp() override {
        ::InitCommonControls(); // as the program does at start-up
        pm::registerClass(kThing, "Test.Thing", [](IUnknown** out) {
            *out = new Thing;
            return S_OK;
        });
        pm::setMessageBoxHook([this](HWND, const std::string& text, const std::string&, UINT) {
            messages.push_back(text);
            return IDOK;
        });
    }
    void TearDown() override {
        pm::setDialogHook(nullptr);
        pm::setMessageBoxHook(nullptr);
        pm::unregisterClass(kThing);
        AfxDeleteTempMaps(); // as the program's idle time does
    }
    // Runs the dialog on the module, driving it with drive(dialog) and then pressing button.
    void run(const std::function<void(HWND)>& drive, int button) {
        pm::setDialogHook([&](HWND dialog) {
            this->dialog = dialog;
            list = ::GetDlgItem(dialog, IDC_HHOBJ_LIST);
            drive(dialog);
            press(button);
        });
        module.EditObjects(FALSE);
    }
    void press(int id) {
        ::SendMessage(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                      reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
    }
    void enter(const char* name, const char* text) {
        ::SetDlgItemTextA(dialog, IDC_HHOBJ_NAME, name);
        ::SetDlgItemTextA(dialog, IDC_HHOBJ_TEXT, text);
    }
    void select(int row) {
        LVITEMA item{};
        item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
        ::SendMessage(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    }
    bool enabled(int id) { return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != FALSE; }
    int rows() { return static_cast<int>(::SendMessage(list, LVM_GETITEMCOUNT, 0, 0)); }
    int selected() {
        return static_cast<int>(::SendMessage(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    }

    CHHModuleEdit module;
    HWND dialog = nullptr, list = nullptr;
    std::vector<std::string> messages;
};

TEST_F(ObjectsDialog, AddsOnlyObjectsThatCanBeCreatedSortedByName) {
    run(
        [&](HWND) {
            EXPECT_FALSE(enabled(IDC_HHOBJ_ADD));
            enter("zeta", "No.Such.Class");
            EXPECT_TRUE(enabled(IDC_HHOBJ_ADD));
            EXPECT_FALSE(enabled(IDC_HHOBJ_UPDATE));
            press(IDC_HHOBJ_ADD);
            EXPECT_EQ(rows(), 0);
            enter("thing", "Test.Thing");
            press(IDC_HHOBJ_ADD);
            enter("another", kThingText);
            press(IDC_HHOBJ_ADD);
            enter("", "Test.Thing");
            press(IDC_HHOBJ_ADD); // sent although disabled: refused with its message
            ASSERT_EQ(rows(), 2);
            EXPECT_EQ(itemText(list, 0, 0), "another");
            EXPECT_EQ(itemText(list, 0, 1), kThingText);
            EXPECT_EQ(itemText(list, 1, 0), "thing");
            select(1);
            ::RedrawWindow(dialog, nullptr, nullptr,
                           RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
            pm::afxtest::savePng(dialog, "script_objects_dialog");
        },
        IDOK);
    EXPECT_EQ(messages, (std::vector<std::string>{"Can not create the object.",
                                                  "Both object name and CLSID must be entered."}));
    ASSERT_EQ(module.GetObjects().size(), 2u);
    EXPECT_STREQ(module.GetObjects()[0].m_strName, "another");
    EXPECT_STREQ(module.GetObjects()[1].m_strText, "Test.Thing");
    EXPECT_EQ(module.GetObjects()[1].m_dwFlags, 6u);
}

TEST_F(ObjectsDialog, SelectingUpdatingAndRemovingRows) {
    module.AddObject("a", "Test.Thing", 8);
    module.AddObject("b", "Test.Thing", 8);
    module.AddObject("c", "Test.Thing", 8);
    run(
        [&](HWND d) {
            ASSERT_EQ(rows(), 3);
            select(1);
            char name[64] = {};
            ::GetDlgItemTextA(d, IDC_HHOBJ_NAME, name, sizeof name);
            EXPECT_STREQ(name, "b");
            EXPECT_TRUE(enabled(IDC_HHOBJ_UPDATE));
            enter("b2", kThingText);
            press(IDC_HHOBJ_UPDATE);
            EXPECT_EQ(itemText(list, 1, 0), "b2");
            select(2);
            press(IDC_HHOBJ_REMOVE);
            EXPECT_EQ(selected(), 1) << "removing the last row selects the new last row";
            press(IDC_HHOBJ_REMOVE);
            press(IDC_HHOBJ_REMOVE);
            EXPECT_EQ(rows(), 0);
            EXPECT_EQ(selected(), -1);
            EXPECT_FALSE(enabled(IDC_HHOBJ_UPDATE));
            EXPECT_FALSE(enabled(IDC_HHOBJ_REMOVE));
        },
        IDOK);
    EXPECT_TRUE(module.GetObjects().empty()) << "OK after removing every row empties the list";
}

TEST_F(ObjectsDialog, CancelKeepsTheModulesObjectsAndTheBrowseButtonSaysSo) {
    module.AddObject("a", "Test.Thing", 8);
    run(
        [&](HWND) {
            select(0);
            press(IDC_HHOBJ_REMOVE);
            press(IDC_HHOBJ_BROWSE);
        },
        IDCANCEL);
    ASSERT_EQ(module.GetObjects().size(), 1u);
    EXPECT_EQ(module.GetObjects()[0].m_dwFlags, 8u);
    EXPECT_EQ(messages, (std::vector<std::string>{"Not yet implemented."}));
}

// What a caller meets without a script debugger: the registration fails with the system's
// answer, the module's debug commands are disabled, and choosing them anyway changes nothing.
TEST(DebugApplication, FailsCleanlyWithoutAScriptDebugger) {
    CHHDebugApplication debug;
    EXPECT_EQ(debug.Create("Penmere"), REGDB_E_CLASSNOTREG);
    CHHModuleEdit module;
    ASSERT_TRUE(module.Init(&debug));
    struct Probe : CCmdUI {
        BOOL enabled = TRUE;
        void Enable(BOOL bOn = TRUE) override { enabled = bOn; }
    };
    for (UINT id : {ID_HHSCRIPT_BREAK, ID_HHSCRIPT_DEBUGGER}) {
        Probe probe;
        probe.m_nID = id;
        EXPECT_TRUE(module.OnCmdMsg(id, static_cast<int>(CN_UPDATE_COMMAND_UI), &probe, nullptr)) << id;
        EXPECT_FALSE(probe.enabled) << id;
        EXPECT_TRUE(module.OnCmdMsg(id, static_cast<int>(CN_COMMAND), nullptr, nullptr)) << id;
        EXPECT_FALSE(module.IsRunning()) << id;
        EXPECT_FALSE(module.IsPaused()) << id;
    }
}

// Records where the editor would open.
class RecordingModule : public CHHModuleEdit {
public:
    std::vector<std::pair<int, int>> opened;
    using CHHModuleEdit::EditScript;
    void EditScript(LPCTSTR, LPCTSTR, int nLine, int nColumn, BOOL) override {
        opened.emplace_back(nLine, nColumn);
    }
};

TEST(ModuleEdit, TheNextRoutedCommandOpensTheEditorAtAnEndedError) {
    RecordingModule module;
    module.SetEditOnError(1);
    ASSERT_TRUE(module.Init(nullptr));
    pm::setDialogHook([](HWND dialog) {
        ::SendMessage(dialog, WM_COMMAND, MAKEWPARAM(28279, BN_CLICKED), 0); // End
    });
    CHHVBScriptTextParser parser;
    module.GetProcedures().Parse("a = 1\r\nb = 2 +* 3\r\n", &parser);
    EXPECT_FALSE(module.Run());
    pm::setDialogHook(nullptr);
    EXPECT_TRUE(module.opened.empty());
    module.OnCmdMsg(12345, CN_COMMAND, nullptr, nullptr);
    ASSERT_EQ(module.opened.size(), 1u);
    EXPECT_EQ(module.opened[0].first, 1);
    EXPECT_FALSE(module.IsErrorPending());
    module.OnCmdMsg(12345, CN_COMMAND, nullptr, nullptr);
    EXPECT_EQ(module.opened.size(), 1u) << "the error opens the editor once";
}

} // namespace
