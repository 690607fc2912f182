// The common dialogs answered by the hook: the Win32 buffer forms of file names, filter indexes,
// default extensions, custom colours, fonts, printer names, page-setup units, the Find and Replace
// dialogs' reports, extended errors, and the refusal of names that are no regular file.

#include "platform/win/commdlg.h"
#include "platform/win/winbase.h"
#include "platform/win/windlg.h"
#include "platform/win/tests/support/test_windows.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <sys/stat.h>

using pm::CommonDialogAnswer;
using pm::CommonDialogRequest;

namespace {

class CommonDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        owner = CreateWindowEx(0, pm::test::recordingClass(), "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50,
                               50, 400, 300, nullptr, nullptr, nullptr, nullptr);
    }
    void TearDown() override {
        pm::setCommonDialogHook(nullptr);
        DestroyWindow(owner);
        pm::test::pumpMessages();
    }
    void answer(CommonDialogAnswer a) {
        pm::setCommonDialogHook([this, a](const CommonDialogRequest& r) {
            seen = r;
            return a;
        });
    }
    OPENFILENAMEA fileRequest(DWORD flags) {
        OPENFILENAMEA ofn{};
        ofn.lStructSize = sizeof ofn;
        ofn.hwndOwner = owner;
        ofn.lpstrFilter =
            "SQL files (*.sql)\0*.sql\0All files\0*.*;*\0Web pages (*.htm;*.html)\0*.htm;*.html\0"
            "Scripts (*.js)\0*.js;*.vbs\0";
        ofn.nFilterIndex = 2;
        ofn.lpstrFile = buffer;
        ofn.nMaxFile = sizeof buffer;
        ofn.Flags = flags | OFN_NOCHANGEDIR;
        return ofn;
    }
    HWND owner = nullptr;
    CommonDialogRequest seen;
    char buffer[260] = "start.sql";
};

CommonDialogAnswer accepted(std::vector<std::string> paths, int filterIndex = 0) {
    CommonDialogAnswer a;
    a.accepted = true;
    a.paths = std::move(paths);
    a.filterIndex = filterIndex;
    return a;
}

} // namespace

TEST_F(CommonDialogs, OpenGivesThePathOffsetsAndFilterIndex) {
    answer(accepted({"/data/queries/report.sql"}, 0));
    OPENFILENAMEA ofn = fileRequest(OFN_FILEMUSTEXIST | OFN_HIDEREADONLY);
    ASSERT_TRUE(GetOpenFileName(&ofn));
    EXPECT_EQ(seen.kind, pm::CommonDialog::Open);
    // A description that ends with its patterns is not given them twice.
    EXPECT_EQ(seen.filters,
              (std::vector<std::string>{"SQL files (*.sql)", "All files (*.* *)", "Web pages (*.htm *.html)",
                                        "Scripts (*.js) (*.js *.vbs)"}));
    EXPECT_EQ(seen.filterIndex, 1);
    EXPECT_EQ(seen.fileName, "start.sql");
    EXPECT_TRUE(seen.mustExist);
    EXPECT_STREQ(buffer, "/data/queries/report.sql");
    EXPECT_EQ(ofn.nFileOffset, 14);
    EXPECT_EQ(ofn.nFileExtension, 21);
    EXPECT_EQ(ofn.nFilterIndex, 1u);
}

TEST_F(CommonDialogs, MultipleSelectionUsesTheFolderThenNamesForm) {
    answer(accepted({"/data/a.sql", "/data/b.sql"}));
    OPENFILENAMEA ofn = fileRequest(OFN_ALLOWMULTISELECT | OFN_EXPLORER);
    ASSERT_TRUE(GetOpenFileName(&ofn));
    EXPECT_TRUE(seen.multiple);
    EXPECT_EQ(std::string(buffer, 25), std::string("/data\0a.sql\0b.sql\0\0", 19) + std::string(6, '\0'));
    EXPECT_EQ(ofn.nFileOffset, 6);
}

TEST_F(CommonDialogs, SmallBufferFailsWithTheSizeNeeded) {
    answer(accepted({"/a/very/long/path/name.sql"}));
    OPENFILENAMEA ofn = fileRequest(0);
    ofn.nMaxFile = 10;
    EXPECT_FALSE(GetOpenFileName(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(FNERR_BUFFERTOOSMALL));
    WORD need = 0;
    std::memcpy(&need, buffer, sizeof need);
    EXPECT_EQ(need, 27);
}

TEST_F(CommonDialogs, SaveAddsTheDefaultExtensionOnlyWhenMissing) {
    struct Case {
        const char* chosen;
        const char* result;
    } cases[] = {{"/tmp/dump", "/tmp/dump.sql"},
                 {"/tmp/dump.txt", "/tmp/dump.txt"},
                 {"/tmp.d/dump", "/tmp.d/dump.sql"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chosen);
        answer(accepted({c.chosen}, 1));
        OPENFILENAMEA ofn = fileRequest(OFN_OVERWRITEPROMPT);
        ofn.lpstrDefExt = "sql";
        ASSERT_TRUE(GetSaveFileName(&ofn));
        EXPECT_TRUE(seen.overwritePrompt);
        EXPECT_STREQ(buffer, c.result);
        EXPECT_EQ(ofn.nFilterIndex, 2u);
    }
}

// A chosen name that no program may read or write (reading a named pipe waits for a writer, a file
// under /proc may wait for good) is refused with a box naming it, and the dialog is asked again with
// that name; the next good name is the answer.
TEST_F(CommonDialogs, ANameThatIsNoRegularFileIsRefusedAndAskedAgain) {
    const std::string folder = pm::test::outputFolder() + "/refused-names";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder + "/sub");
    const std::string pipe = folder + "/pipe.sql";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    struct Case {
        std::string chosen;
        bool save;
        std::string told;
    } const cases[] = {{pipe, false, pipe + " is a named pipe, not a regular file"},
                       {pipe, true, pipe + " is a named pipe, not a regular file"},
                       {"/proc/x.sql", true, "/proc/x.sql is a system file, not a regular file"},
                       {"/dev/null", false, "/dev/null is a device, not a regular file"},
                       {folder + "/sub", true, folder + "/sub is a folder, not a regular file"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chosen);
        std::vector<std::string> told;
        pm::setMessageBoxHook([&told](HWND, const std::string& text, const std::string&, UINT) {
            told.push_back(text);
            return IDOK;
        });
        std::vector<std::string> offered;
        pm::setCommonDialogHook([&](const CommonDialogRequest& r) {
            offered.push_back(r.fileName);
            return accepted({offered.size() == 1 ? c.chosen : folder + "/good.sql"});
        });
        OPENFILENAMEA ofn = fileRequest(0);
        std::strcpy(buffer, "start.sql");
        ASSERT_TRUE(c.save ? GetSaveFileName(&ofn) : GetOpenFileName(&ofn));
        pm::setMessageBoxHook(nullptr);
        EXPECT_EQ(told, std::vector<std::string>{c.told});
        EXPECT_EQ(offered, (std::vector<std::string>{"start.sql", c.chosen}));
        EXPECT_EQ(std::string(buffer), folder + "/good.sql");
    }
    EXPECT_TRUE(std::filesystem::is_fifo(pipe)) << "nothing opened or replaced the pipe";
    std::filesystem::remove_all(folder);
}

TEST_F(CommonDialogs, CancelLeavesNoErrorAndOffscreenWithoutHookCancels) {
    answer(CommonDialogAnswer{});
    OPENFILENAMEA ofn = fileRequest(0);
    EXPECT_FALSE(GetOpenFileName(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), 0u);
    pm::setCommonDialogHook(nullptr);
    EXPECT_FALSE(GetSaveFileName(&ofn));
    EXPECT_STREQ(buffer, "start.sql");
}

TEST_F(CommonDialogs, ShownFolderChooserTakesTheFolderShownNotTheOneHighlighted) {
    const std::filesystem::path shown = std::filesystem::temp_directory_path() / "pm_shown_folder_test";
    std::filesystem::create_directories(shown / "highlighted");
    const std::filesystem::path before = std::filesystem::current_path();
    CommonDialogAnswer a = accepted({(shown / "highlighted").string()});
    a.shownFolder = shown.string();
    answer(a);
    std::string folder = "/start/here";
    ASSERT_TRUE(pm::chooseShownFolder(owner, "Pick one", "Select", folder));
    EXPECT_EQ(seen.kind, pm::CommonDialog::Folder);
    EXPECT_EQ(seen.folder, "/start/here");
    EXPECT_EQ(seen.title, "Pick one");
    EXPECT_EQ(seen.acceptLabel, "Select");
    EXPECT_EQ(folder, shown.string());
    EXPECT_EQ(std::filesystem::current_path(), shown) << "the current directory follows the shown folder";

    a.shownFolder = (shown / "gone").string();
    answer(a);
    folder = "/start/here";
    EXPECT_FALSE(pm::chooseShownFolder(owner, "Pick one", "Select", folder)) << "a folder that is not there";
    EXPECT_EQ(folder, "/start/here");
    answer(CommonDialogAnswer{});
    EXPECT_FALSE(pm::chooseShownFolder(owner, "Pick one", "Select", folder)) << "cancelled";
    EXPECT_EQ(folder, "/start/here");
    std::filesystem::current_path(before);
    std::filesystem::remove_all(shown);
}

TEST_F(CommonDialogs, ChooseColorKeepsCustomColours) {
    COLORREF custom[16];
    for (COLORREF& c : custom)
        c = RGB(255, 255, 255);
    CommonDialogAnswer a;
    a.accepted = true;
    a.colour = RGB(10, 20, 30);
    a.customColours.assign(16, RGB(255, 255, 255));
    a.customColours[3] = RGB(1, 2, 3);
    answer(a);
    CHOOSECOLOR cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = owner;
    cc.rgbResult = RGB(200, 0, 0);
    cc.lpCustColors = custom;
    cc.Flags = CC_FULLOPEN | CC_RGBINIT;
    ASSERT_TRUE(ChooseColor(&cc));
    EXPECT_EQ(seen.colour, RGB(200, 0, 0));
    EXPECT_EQ(seen.customColours.size(), 16u);
    EXPECT_EQ(cc.rgbResult, RGB(10, 20, 30));
    EXPECT_EQ(custom[3], RGB(1, 2, 3));
    EXPECT_EQ(custom[4], RGB(255, 255, 255));
}

TEST_F(CommonDialogs, ChooseFontFillsTheLogFontAndPointSize) {
    CommonDialogAnswer a;
    a.accepted = true;
    a.pointSize10 = 100;
    a.font.lfHeight = -13;
    a.font.lfWeight = FW_BOLD;
    std::strcpy(a.font.lfFaceName, "Courier New");
    answer(a);
    LOGFONTA lf{};
    std::strcpy(lf.lfFaceName, "Arial");
    CHOOSEFONT cf{};
    cf.lStructSize = sizeof cf;
    cf.hwndOwner = owner;
    cf.lpLogFont = &lf;
    cf.Flags = CF_SCREENFONTS | CF_FIXEDPITCHONLY | CF_NOSTYLESEL | CF_INITTOLOGFONTSTRUCT;
    ASSERT_TRUE(ChooseFont(&cf));
    EXPECT_TRUE(seen.fixedPitchOnly);
    EXPECT_STREQ(seen.font.lfFaceName, "Arial");
    EXPECT_STREQ(lf.lfFaceName, "Courier New");
    EXPECT_EQ(cf.iPointSize, 100);
    EXPECT_EQ(cf.nFontType & BOLD_FONTTYPE, BOLD_FONTTYPE);
}

TEST_F(CommonDialogs, PrintDlgGivesPrinterNamesAndRange) {
    CommonDialogAnswer a;
    a.accepted = true;
    a.printer = "Office";
    a.printRange = PD_PAGENUMS;
    a.fromPage = 2;
    a.toPage = 5;
    a.copies = 3;
    answer(a);
    PRINTDLG pd{};
    pd.lStructSize = sizeof pd;
    pd.hwndOwner = owner;
    pd.nMinPage = 1;
    pd.nMaxPage = 9;
    ASSERT_TRUE(PrintDlg(&pd));
    EXPECT_EQ(seen.maxPage, 9);
    EXPECT_EQ(pd.Flags & PD_PAGENUMS, static_cast<DWORD>(PD_PAGENUMS));
    EXPECT_EQ(pd.nFromPage, 2);
    EXPECT_EQ(pd.nToPage, 5);
    EXPECT_EQ(pd.nCopies, 3);
    ASSERT_TRUE(pd.hDevNames);
    auto* names = static_cast<const DEVNAMES*>(GlobalLock(pd.hDevNames));
    EXPECT_STREQ(reinterpret_cast<const char*>(names) + names->wDeviceOffset, "Office");
    GlobalUnlock(pd.hDevNames);
    GlobalFree(pd.hDevNames);
}

TEST_F(CommonDialogs, PageSetupMarginsInEitherUnit) {
    CommonDialogAnswer a;
    a.accepted = true;
    a.paperWidthMm = 215.9;
    a.paperHeightMm = 279.4;
    a.marginMm[0] = 25.4;
    a.marginMm[1] = 12.7;
    a.marginMm[2] = 19.05;
    a.marginMm[3] = 10;
    answer(a);
    struct Case {
        DWORD unit;
        RECT margins;
        POINT paper;
    } cases[] = {{PSD_INTHOUSANDTHSOFINCHES, {1000, 500, 750, 394}, {8500, 11000}},
                 {PSD_INHUNDREDTHSOFMILLIMETERS, {2540, 1270, 1905, 1000}, {21590, 27940}}};
    for (const Case& c : cases) {
        PAGESETUPDLG psd{};
        psd.lStructSize = sizeof psd;
        psd.hwndOwner = owner;
        psd.Flags = PSD_MARGINS | c.unit;
        psd.rtMargin = RECT{1000, 1000, 1000, 1000};
        ASSERT_TRUE(PageSetupDlg(&psd));
        EXPECT_TRUE(seen.hasMargins);
        EXPECT_EQ(psd.rtMargin.left, c.margins.left);
        EXPECT_EQ(psd.rtMargin.top, c.margins.top);
        EXPECT_EQ(psd.rtMargin.right, c.margins.right);
        EXPECT_EQ(psd.rtMargin.bottom, c.margins.bottom);
        EXPECT_EQ(psd.ptPaperSize.x, c.paper.x);
        EXPECT_EQ(psd.ptPaperSize.y, c.paper.y);
        if (psd.hDevNames) GlobalFree(psd.hDevNames);
    }
}

TEST_F(CommonDialogs, FindTextChecksItsBuffers) {
    FINDREPLACE fr{};
    fr.lStructSize = sizeof fr;
    fr.hwndOwner = owner;
    EXPECT_EQ(FindText(&fr), nullptr);
    EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(FRERR_BUFFERLENGTHZERO));
    fr.lStructSize = 0;
    EXPECT_EQ(FindText(&fr), nullptr);
    EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(CDERR_STRUCTSIZE));
}

namespace {

struct Report {
    DWORD flags;
    std::string what, with;
};
std::vector<Report> g_reports;

LRESULT CALLBACK findOwnerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    static const UINT findMsg = RegisterWindowMessage(FINDMSGSTRING);
    if (msg == findMsg) {
        auto* fr = reinterpret_cast<FINDREPLACE*>(lParam);
        g_reports.push_back({fr->Flags, fr->lpstrFindWhat, fr->lpstrReplaceWith ? fr->lpstrReplaceWith : ""});
        return 0;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

} // namespace

TEST_F(CommonDialogs, ReplaceReportsEachButtonAndTheEnd) {
    WNDCLASS probe{};
    ASSERT_TRUE(GetClassInfo(nullptr, "EDIT", &probe) && GetClassInfo(nullptr, "BUTTON", &probe))
        << "the standard EDIT and BUTTON controls are registered";
    SetWindowLongPtr(owner, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(findOwnerProc));
    g_reports.clear();
    char what[80] = "alpha", with[80] = "beta";
    FINDREPLACE fr{};
    fr.lStructSize = sizeof fr;
    fr.hwndOwner = owner;
    fr.Flags = FR_MATCHCASE;
    fr.lpstrFindWhat = what;
    fr.wFindWhatLen = sizeof what;
    fr.lpstrReplaceWith = with;
    fr.wReplaceWithLen = sizeof with;
    HWND dialog = ReplaceText(&fr);
    ASSERT_TRUE(dialog);
    pm::test::pumpMessages();
    pm::test::saveWindowPng(dialog, pm::test::outputFolder() + "/dlg_replace.png");
    SetDlgItemText(dialog, 1153, "gamma");
    for (int id : {IDOK, 1024, 1025, IDCANCEL})
        SendMessage(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
    ASSERT_EQ(g_reports.size(), 4u);
    EXPECT_EQ(g_reports[0].flags, static_cast<DWORD>(FR_FINDNEXT | FR_MATCHCASE | FR_DOWN));
    EXPECT_EQ(g_reports[1].flags & (FR_REPLACE | FR_REPLACEALL), static_cast<DWORD>(FR_REPLACE));
    EXPECT_EQ(g_reports[2].flags & (FR_REPLACE | FR_REPLACEALL), static_cast<DWORD>(FR_REPLACEALL));
    EXPECT_EQ(g_reports[3].flags & FR_DIALOGTERM, static_cast<DWORD>(FR_DIALOGTERM));
    EXPECT_EQ(g_reports[0].what, "alpha");
    EXPECT_EQ(g_reports[1].with, "gamma");
    EXPECT_FALSE(IsWindow(dialog));
}
