// The links of the dialogs and the folder picker, driven as a user would: clicks on the About
// box's labels, the link-failed and Developer Solutions dialogs, and Change Working Directory.

#include "app/program/tests/support/penmere_fixture.h"

#include "app/program/CHyperLink.h"
#include "app/program/CLinkFailedDlg.h"
#include "app/program/editor_globals.h"
#include "app/program/resource_ids.h"
#include "app/program/resources.h"
#include "platform/framework/tests/support/framework_test.h"
#include "platform/win/commdlg.h"
#include "platform/win/windlg.h"

#include <filesystem>

namespace {

// Clicks the middle of a dialog item.
void clickItem(HWND dialog, int id) {
    HWND item = ::GetDlgItem(dialog, id);
    RECT rc{};
    ::GetClientRect(item, &rc);
    pm::afxtest::click(item, POINT{rc.right / 2, rc.bottom / 2});
    pm::afxtest::pump();
}

std::string itemText(HWND dialog, int id) {
    char text[512] = {};
    ::GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

class Links : public PenmereTest {
protected:
    void SetUp() override {
        PenmereTest::SetUp();
        pm::test::writeFile(programFile("Settings.ini"), "[General]\r\nFirstTime=1\r\n");
    }
    void TearDown() override {
        pm::setDialogHook(nullptr);
        PenmereTest::TearDown();
    }
    std::string page(const char* relative) const { return "file://" + programFile(relative); }
};

} // namespace

TEST_F(Links, AboutBoxOpensTheSiteAndANewMessageToTheAddress) {
    start();
    bool handShown = false;
    pm::setDialogHook([&](HWND d) {
        pm::afxtest::pump();
        pm::afxtest::savePng(d, "penmere_about_box");
        clickItem(d, IDC_ABOUT_MAIL);
        clickItem(d, IDC_ABOUT_SITE);
        ::SendMessage(::GetDlgItem(d, IDC_ABOUT_MAIL), WM_SETCURSOR,
                      reinterpret_cast<WPARAM>(::GetDlgItem(d, IDC_ABOUT_MAIL)),
                      MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        handShown = ::GetCursor() == ::LoadCursor(AfxGetResourceHandle(), "Hand");
        ::SendMessage(d, WM_COMMAND, IDOK, 0);
    });
    command(ID_APP_ABOUT);
    EXPECT_EQ(opened, (std::vector<std::string>{"mailto:editor@corvane.example", page("Web/Corvane.htm")}))
        << "the e-mail label's text is its address; the site label leads to the page in the program folder";
    EXPECT_TRUE(handShown) << "the hand over a link";
    EXPECT_TRUE(std::filesystem::exists(programFile("Web/Corvane.htm")));
}

TEST_F(Links, LabelsWithoutTheLinkFlagGetNoClicks) {
    start();
    std::string site;
    pm::setDialogHook([&](HWND d) {
        site = itemText(d, IDC_SOLUTIONS_SITE);
        pm::afxtest::pump();
        pm::afxtest::savePng(d, "penmere_developer_solutions");
        for (int id :
             {IDC_SOLUTIONS_PROGRAMMING, IDC_SOLUTIONS_GRAPHICS, IDC_SOLUTIONS_WEB, IDC_SOLUTIONS_DOWNLOAD})
            clickItem(d, id);
        EXPECT_TRUE(opened.empty()) << "the captions are coloured labels, not links";
        clickItem(d, IDC_SOLUTIONS_SITE);
        ::SendMessage(d, WM_COMMAND, IDOK, 0);
    });
    command(ID_HELP_DEV_SOLUTIONS);
    EXPECT_EQ(site, programFile("Web/Corvane.htm")) << "the site line shows the address it leads to";
    EXPECT_EQ(opened, std::vector<std::string>{page("Web/Corvane.htm")});

    // A label made a link and then a plain label again.
    CHyperLink label;
    HWND parent = frame->m_hWnd;
    ASSERT_TRUE(label.Create("someone@corvane.example", WS_CHILD | WS_VISIBLE, CRect(10, 10, 200, 30),
                             CWnd::FromHandle(parent)));
    label.SetLink(TRUE);
    EXPECT_EQ(label.GetLinkAddress(), "mailto:someone@corvane.example");
    label.SetLink(FALSE);
    EXPECT_EQ(label.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(20, 20)), HTTRANSPARENT)
        << "the mouse passes through to the window beneath";
    label.SetLink(TRUE, "mailto:team@corvane.example");
    EXPECT_EQ(label.GetLinkAddress(), "mailto:team@corvane.example") << "no second mailto:";
    EXPECT_EQ(label.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(20, 20)), HTCLIENT);
    label.DestroyWindow();
}

TEST_F(Links, LinkFailedLeadsToTheDownloadPage) {
    DeclareEditorResources();
    std::string caption;
    pm::setDialogHook([&](HWND d) {
        char text[64] = {};
        ::GetWindowTextA(d, text, sizeof text);
        caption = text;
        pm::afxtest::pump();
        pm::afxtest::savePng(d, "penmere_link_failed");
        clickItem(d, IDC_LINK_DOWNLOAD);
        ::SendMessage(d, WM_COMMAND, IDOK, 0);
    });
    CLinkFailedDlg dlg;
    dlg.DoModal();
    EXPECT_EQ(caption, "Corvane Sarrowby");
    EXPECT_EQ(opened, std::vector<std::string>{page("Web/Download.htm")});
}

TEST_F(Links, ChangeWorkingDirectoryTakesTheFolderShownNotTheOneHighlighted) {
    const std::string shown = programFile("Elsewhere");
    std::filesystem::create_directories(shown + "/highlighted");
    pm::test::writeFile(shown + "/shown.js", "");
    pm::test::writeFile(shown + "/highlighted/inner.js", "");
    start();
    pm::CommonDialogRequest asked;
    pm::setCommonDialogHook([&](const pm::CommonDialogRequest& request) {
        asked = request;
        pm::CommonDialogAnswer answer;
        answer.accepted = true;
        answer.paths = {shown + "/highlighted"};
        answer.shownFolder = shown;
        return answer;
    });
    command(ID_WORKDIR_CHANGE);
    EXPECT_EQ(asked.title, "Select  working folder");
    EXPECT_EQ(asked.acceptLabel, "Select");
    EXPECT_EQ(asked.folder, programFile("Projects/")) << "it opens at the working folder";
    EXPECT_EQ(std::string(frame->GetWorkingDir()), shown + "/");
    EXPECT_NE(pm::test::readFile(programFile("Settings.ini")).find("ProjectDir=" + shown + "\r\n"),
              std::string::npos)
        << "stored at once";
    CListBox& list = frame->m_wndInfoBar.m_wndWorkDir;
    ASSERT_EQ(list.GetCount(), 1);
    CString name;
    list.GetText(0, name);
    EXPECT_EQ(std::string(name), "shown.js") << "the list is filled from the new folder";

    pm::setCommonDialogHook([](const pm::CommonDialogRequest&) { return pm::CommonDialogAnswer{}; });
    command(ID_WORKDIR_CHANGE);
    EXPECT_EQ(std::string(frame->GetWorkingDir()), shown + "/") << "cancel changes nothing";
}
