// The macro editor on a real desktop: the window manager activates the "Script" dialog over the
// editor, a click on the objects combo and one on "App" in its list make App's Timer event
// procedure, keys typed on the keyboard reach its body, the view's close button closes the
// dialog, the module takes the text back and the editor has the front again.

#include "platform/framework/tests/support/framework_test.h"
#include "platform/script/activscp.h"
#include "platform/win/desktop_tests/support/desktop_session.h"
#include "scripting/CHHModuleEdit.h"
#include "scripting/CHHScriptViewBase.h"
#include "scripting/tests/support/script_host_fixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace desk = pm::test::desktop;

namespace {

// The combo's dropped list, when one is shown.
HWND droppedList() {
    for (HWND w = ::GetWindow(::GetDesktopWindow(), GW_CHILD); w; w = ::GetWindow(w, GW_HWNDNEXT)) {
        char cls[32] = {};
        ::GetClassName(w, cls, sizeof cls);
        if (std::string(cls) == "ComboLBox" && ::IsWindowVisible(w)) return w;
    }
    return nullptr;
}

// The screen centre of a list's item.
POINT itemCentre(HWND list, int index) {
    RECT row{};
    ::SendMessage(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&row));
    POINT p{(row.left + row.right) / 2, (row.top + row.bottom) / 2};
    ::ClientToScreen(list, &p);
    return p;
}

// The dialog that the guard closes when the input never got through, so that the test fails
// instead of waiting in the dialog for ever (Escape stays with the edit control).
HWND g_dialog = nullptr;

void CALLBACK closeForgottenDialog(HWND, UINT, UINT_PTR, DWORD) {
    if (g_dialog && ::IsWindow(g_dialog)) ::PostMessage(g_dialog, WM_CLOSE, 0, 0);
}

std::string textOf(CWnd* wnd) {
    CString text;
    wnd->GetWindowText(text);
    return std::string(text, static_cast<size_t>(text.GetLength()));
}

} // namespace

TEST(MacroEditorOnTheDesktop, TheScriptDialogTakesClicksAndKeysAndGivesTheFrontBack) {
    if (!desk::available()) GTEST_SKIP() << "no desktop fixture (PM_DESKTOP_STATE)";
    scripttest::ScriptHost host;
    ASSERT_TRUE(host.NewDocument());
    host.module->Close();
    auto edit = std::make_unique<CHHModuleEdit>();
    edit->Init(nullptr);
    edit->AddNamedObject("App", &host.appObject, SCRIPTITEM_ISSOURCE | SCRIPTITEM_ISVISIBLE, FALSE);
    edit->AddNamedObject("Doc", &host.docObject, SCRIPTITEM_ISSOURCE | SCRIPTITEM_ISVISIBLE, FALSE);
    CHHModuleEdit* module = edit.get();
    host.module = std::move(edit);
    ASSERT_TRUE(desk::pumpUntil([&] { return desk::active(host.main); })) << "the editor was never activated";

    const char* const handler = "Sub App_Timer()\r\n\t\r\nEnd Sub\r\n\r\n";
    HWND dialog = nullptr;
    CHHScriptViewBase* view = nullptr;
    desk::giveInputInTurn({
        {[&] {
             dialog = g_dialog = desk::activeOwnedBy(host.main);
             view =
                 dialog
                     ? static_cast<CHHScriptViewBase*>(CWnd::FromHandlePermanent(::GetDlgItem(dialog, 100)))
                     : nullptr;
             return view != nullptr;
         },
         [&] { return desk::clickAt(desk::centre(desk::screenRect(view->GetObjectsCombo().m_hWnd))); }},
        {[&] { return droppedList() != nullptr; },
         [&] {
             HWND list = droppedList();
             return desk::clickAt(itemCentre(list, view->FindComboItem(view->GetObjectsCombo(), "App")));
         }},
        {[&] {
             return textOf(view->GetEditCtrl()) == handler && ::GetFocus() == view->GetEditCtrl()->m_hWnd;
         },
         [] {
             return std::vector<std::string>{"key", "--delay", "30", "n", "space", "equal", "space", "1"};
         }},
        {[&] { return textOf(view->GetEditCtrl()).find("n = 1") != std::string::npos; },
         [&] {
             desk::saveScreenPng("macro_editor_desktop");
             return desk::clickAt(desk::centre(desk::screenRect(view->GetDlgItem(IDC_HHSV_CLOSE)->m_hWnd)));
         }},
    });
    const UINT_PTR guard = ::SetTimer(nullptr, 0, 30000, closeForgottenDialog);
    module->EditScript(nullptr, nullptr, FALSE);
    ::KillTimer(nullptr, guard);
    g_dialog = nullptr;
    EXPECT_EQ(desk::stepsGivenUp(), std::vector<std::size_t>{}) << "steps that waited in vain";
    const CString text = module->GetProcedures().GetText();
    EXPECT_EQ(std::string(text, static_cast<size_t>(text.GetLength())),
              "Sub App_Timer()\r\n\tn = 1\r\nEnd Sub\r\n\r\n");
    EXPECT_TRUE(desk::pumpUntil([&] { return desk::active(host.main); })) << "the editor has the front again";
}
