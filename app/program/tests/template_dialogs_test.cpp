// The document templates driven as a user would: Save as Template from an open document, New from
// Template, and the descriptions of Template.ini.

#include "app/program/tests/support/penmere_fixture.h"

#include "app/program/CEditMDIDoc.h"
#include "app/program/resource_ids.h"
#include "platform/framework/tests/support/framework_test.h"
#include "platform/win/windlg.h"

#include <filesystem>

namespace {

std::string itemText(HWND dialog, int id) {
    char text[512] = {};
    ::GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

std::string caption(HWND dialog) {
    char text[128] = {};
    ::GetWindowTextA(dialog, text, sizeof text);
    return text;
}

bool enabled(HWND dialog, int id) {
    return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != FALSE;
}

// Selects the list's line of `name` as a click would, with the notification.
void choose(HWND dialog, int listId, const std::string& name) {
    HWND list = ::GetDlgItem(dialog, listId);
    const LRESULT index = ::SendMessage(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                        reinterpret_cast<LPARAM>(name.c_str()));
    ::SendMessage(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::SendMessage(dialog, WM_COMMAND, MAKEWPARAM(listId, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

class Templates : public PenmereTest {
protected:
    void SetUp() override {
        PenmereTest::SetUp();
        pm::test::writeFile(programFile("Settings.ini"), "[General]\r\nFirstTime=1\r\n");
        // A template that Template.ini does not describe.
        pm::test::writeFile(programFile("Template/Plain.txt"), "plain text\r\n");
    }
    void TearDown() override {
        pm::setDialogHook(nullptr);
        PenmereTest::TearDown();
    }
};

} // namespace

TEST_F(Templates, SaveAsTemplateWritesTheTextAndDescriptionAndLeavesTheDocumentAsItWas) {
    const std::string path = programFile("Projects/page.htm");
    pm::test::writeFile(path, "<p>kept</p>\r\n");
    start({path});
    CEditMDIView* view = activeView();
    ASSERT_NE(view, nullptr);
    view->GetEditCtrl()->SetSel(0, 0);
    pm::afxtest::typeText(view->GetEditCtrl()->m_hWnd, "<b>new</b>");
    pump();
    ASSERT_TRUE(view->GetDocument()->IsModified());

    struct Seen {
        std::string caption, chosenName, chosenDescription, plainDescription;
        bool okAtStart = true, okEmptied = true, okTyped = false;
        int count = 0;
    } seen;
    pm::setDialogHook([&](HWND d) {
        seen.caption = caption(d);
        seen.count = static_cast<int>(::SendDlgItemMessageA(d, IDC_TEMPLATE_LIST, LB_GETCOUNT, 0, 0));
        seen.okAtStart = enabled(d, IDOK);
        choose(d, IDC_TEMPLATE_LIST, "Blank.htm");
        seen.chosenName = itemText(d, IDC_TEMPLATE_NAME);
        seen.chosenDescription = itemText(d, IDC_TEMPLATE_DESCRIPTION);
        choose(d, IDC_TEMPLATE_LIST, "Plain.txt");
        seen.plainDescription = itemText(d, IDC_TEMPLATE_DESCRIPTION);
        ::SetDlgItemTextA(d, IDC_TEMPLATE_NAME, "");
        seen.okEmptied = enabled(d, IDOK);
        ::SetDlgItemTextA(d, IDC_TEMPLATE_NAME, "Bold.htm");
        seen.okTyped = enabled(d, IDOK);
        ::SetDlgItemTextA(d, IDC_TEMPLATE_DESCRIPTION, "A page with bold text");
        pm::afxtest::pump();
        pm::afxtest::savePng(d, "penmere_save_template_dialog");
        ::SendMessage(d, WM_COMMAND, IDOK, 0);
    });
    command(ID_FILE_SAVE_AS_TEMPLATE);

    EXPECT_EQ(seen.caption, "Save as Template");
    EXPECT_EQ(seen.count, 3) << "every file of the template folder";
    EXPECT_FALSE(seen.okAtStart) << "no name yet";
    EXPECT_EQ(seen.chosenName, "Blank.htm");
    EXPECT_EQ(seen.chosenDescription, "Empty HTML page");
    EXPECT_EQ(seen.plainDescription, "") << "a template without a description shows an empty one";
    EXPECT_FALSE(seen.okEmptied);
    EXPECT_TRUE(seen.okTyped);
    EXPECT_EQ(pm::test::readFile(programFile("Template/Bold.htm")), "<b>new</b><p>kept</p>\r\n");
    EXPECT_NE(pm::test::readFile(programFile("Template.ini")).find("Bold.htm=A page with bold text"),
              std::string::npos);
    EXPECT_NE(pm::test::readFile(programFile("Template.ini")).find("Blank.htm=Empty HTML page"),
              std::string::npos);
    EXPECT_EQ(pm::test::readFile(path), "<p>kept</p>\r\n") << "the document's own file is untouched";
    EXPECT_TRUE(view->GetDocument()->IsModified())
        << "its edits are still unsaved, so closing asks about them";
    EXPECT_EQ(std::string(view->GetDocument()->GetPathName()), path);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(Templates, SaveAsTemplateRefusesANameThatIsAFolderAndReportsAFailedWrite) {
    const std::string path = programFile("Projects/page.htm");
    pm::test::writeFile(path, "text\r\n");
    start({path});
    std::vector<std::string> steps;
    pm::setDialogHook([&](HWND d) {
        ::SetDlgItemTextA(d, IDC_TEMPLATE_NAME, "../Settings.ini");
        ::SendMessage(d, WM_COMMAND, IDOK, 0);
        steps.push_back(::IsWindow(d) && ::IsWindowVisible(d) ? "still open" : "closed");
        ::SetDlgItemTextA(d, IDC_TEMPLATE_NAME, "Gone.htm");
        ::SendMessage(d, WM_COMMAND, IDOK, 0);
    });
    std::filesystem::rename(programFile("Template"), programFile("Template.away"));
    command(ID_FILE_SAVE_AS_TEMPLATE);
    std::filesystem::rename(programFile("Template.away"), programFile("Template"));
    EXPECT_EQ(steps, std::vector<std::string>{"still open"});
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0], "A template name cannot name a folder.");
    EXPECT_EQ(boxes[1], "The template could not be saved as " + programFile("Template/Gone.htm") + ".");
    EXPECT_EQ(pm::test::readFile(programFile("Settings.ini")).find("text"), std::string::npos);
    EXPECT_EQ(pm::test::readFile(programFile("Template.ini")).find("Gone.htm"), std::string::npos)
        << "no description for a template that was not written";
}

TEST_F(Templates, NewFromTemplateOpensAnUntitledDocumentWithTheTemplatesText) {
    start();
    ASSERT_EQ(activeView(), nullptr);
    std::string description, plainDescription;
    pm::setDialogHook([&](HWND d) {
        EXPECT_EQ(caption(d), "New Document");
        choose(d, IDC_NEW_TEMPLATE_LIST, "Plain.txt");
        plainDescription = itemText(d, IDC_NEW_TEMPLATE_DESCRIPTION);
        choose(d, IDC_NEW_TEMPLATE_LIST, "Blank.htm");
        description = itemText(d, IDC_NEW_TEMPLATE_DESCRIPTION);
        pm::afxtest::pump();
        pm::afxtest::savePng(d, "penmere_new_from_template_dialog");
        HWND list = ::GetDlgItem(d, IDC_NEW_TEMPLATE_LIST);
        ::SendMessage(d, WM_COMMAND, MAKEWPARAM(IDC_NEW_TEMPLATE_LIST, LBN_DBLCLK),
                      reinterpret_cast<LPARAM>(list));
    });
    command(ID_FILE_NEW_FROM_TEMPLATE);
    EXPECT_EQ(description, "Empty HTML page");
    EXPECT_EQ(plainDescription, "");
    CEditMDIView* view = activeView();
    ASSERT_NE(view, nullptr) << "a double-click in the list is OK";
    EXPECT_EQ(std::string(view->GetEditCtrl()->GetText()),
              pm::test::readFile(programFile("Template/Blank.htm")));
    EXPECT_TRUE(view->GetDocument()->GetPathName().IsEmpty());
    EXPECT_EQ(windowText(frame->MDIGetActive()->m_hWnd).rfind("Untitled", 0), 0u);

    pm::setDialogHook([](HWND d) { ::SendMessage(d, WM_COMMAND, IDCANCEL, 0); });
    command(ID_FILE_NEW_FROM_TEMPLATE);
    EXPECT_EQ(activeView(), view) << "cancel makes no document";
    command(ID_FILE_NEW);
    EXPECT_EQ(std::string(activeView()->GetEditCtrl()->GetText()), "")
        << "a cancelled choice leaves no template for the next new document";
}
