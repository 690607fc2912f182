// The customisable tool bar: its stored layout in the profile and in archives, damaged layouts
// refused, child controls placed on their separators and hidden when their button goes, and a
// layout saved at once after a change when its section is remembered.

#include "docking/CCustToolBar.h"
#include "docking/ToolBarState.h"
#include "docking/tests/support/bar_frame.h"

#include "platform/framework/tests/support/framework_test.h"
#include "platform/win/tests/support/test_windows.h"
#include "platform/win/res/resources.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

const UINT kButtons[] = {0x8101, 0x8102, ID_SEPARATOR, 0x8103, ID_SEPARATOR, 0x8104};
const UINT kComboId = 0x8110; // a separator that carries a control
const UINT kBarId = 500;

class CTestApp : public CWinApp {
public:
    CTestApp() : CWinApp("CustomBarTest") {}
};

std::vector<int> Ids(const std::vector<TBBUTTON>& buttons) {
    std::vector<int> ids;
    for (const TBBUTTON& b : buttons)
        ids.push_back(b.idCommand);
    return ids;
}

class CustomisableToolBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_app = std::make_unique<CTestApp>();
        m_app->SetRegistryKey("Docking Tests");
        ASSERT_TRUE(m_app->InitApplication());
        m_frame = docking_test::MakeFrame();
        ASSERT_NE(m_frame, nullptr);
        ASSERT_TRUE(m_bar.Create(m_frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, kBarId));
        ASSERT_TRUE(m_bar.SetButtons(kButtons, 6));
        ASSERT_TRUE(m_bar.SetBitmap(pm::afxtest::makeButtonImages(4)));
        m_bar.SetButtonInfo(4, kComboId, TBBS_SEPARATOR, 60);
        ASSERT_TRUE(
            m_combo.CreateEx(0, AFX_WND, "", WS_CHILD | WS_BORDER, CRect(0, 0, 56, 18), &m_bar, kComboId));
        // What a load does: the pool is the loaded layout.
        m_bar.LoadToolBar(0, nullptr, 0);
        m_bar.SetButtons(kButtons, 6);
        m_bar.SetBitmap(pm::afxtest::makeButtonImages(4));
        m_bar.SetButtonInfo(4, kComboId, TBBS_SEPARATOR, 60);
        ::RegDeleteKey(HKEY_CURRENT_USER, "Software\\Docking Tests\\CustomBarTest\\Bars");
        m_frame->RecalcLayout();
        pm::afxtest::pump();
    }
    void TearDown() override {
        m_frame->DestroyWindow();
        pm::afxtest::pump();
        m_app.reset();
    }
    std::vector<TBBUTTON> Current() const {
        std::vector<TBBUTTON> buttons;
        m_bar.GetButtonRecords(buttons);
        return buttons;
    }
    std::vector<TBBUTTON> Without(int idCommand) const {
        std::vector<TBBUTTON> buttons = Current();
        buttons.erase(std::remove_if(buttons.begin(), buttons.end(),
                                     [&](const TBBUTTON& b) { return b.idCommand == idCommand; }),
                      buttons.end());
        return buttons;
    }
    void Store(const std::vector<BYTE>& data) {
        m_app->WriteProfileBinary("Bars", "ToolBar State(0x01F4)", const_cast<BYTE*>(data.data()),
                                  static_cast<UINT>(data.size()));
    }

    std::unique_ptr<CTestApp> m_app;
    docking_test::CBarFrame* m_frame = nullptr;
    CCustToolBar m_bar;
    CWnd m_combo;
};

TEST_F(CustomisableToolBarTest, TheLayoutRoundTripsThroughTheProfileUnderTheBarsId) {
    ASSERT_EQ(std::string(m_bar.GetStateValueName()), "ToolBar State(0x01F4)");
    const std::vector<int> loaded = Ids(Current());
    m_bar.SaveState("Bars");
    LPBYTE pData = nullptr;
    UINT nBytes = 0;
    ASSERT_TRUE(m_app->GetProfileBinary("Bars", "ToolBar State(0x01F4)", &pData, &nBytes));
    delete[] pData;
    EXPECT_EQ(nBytes, 4u + 20u * 6u);

    m_bar.SetButtonRecords(Without(0x8102));
    ASSERT_EQ(Current().size(), 5u);
    ASSERT_TRUE(m_bar.RestoreState("Bars", FALSE));
    EXPECT_EQ(Ids(Current()), loaded);
}

TEST_F(CustomisableToolBarTest, DamagedLayoutsAreRefusedAndTheBarStays) {
    const std::vector<BYTE> good = docking::EncodeToolBarState(Without(0x8101));
    struct Case {
        const char* what;
        std::vector<BYTE> data;
    } cases[] = {
        {"cut short", std::vector<BYTE>(good.begin(), good.end() - 1)},
        {"longer than its count",
         [&] {
             auto d = good;
             d.push_back(0);
             return d;
         }()},
        {"a negative count", {0xFF, 0xFF, 0xFF, 0xFF}},
        {"no count", {1, 0}},
        {"a huge count", {0, 0, 0, 0x10}},
    };
    const std::vector<int> before = Ids(Current());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Store(c.data);
        EXPECT_FALSE(m_bar.RestoreState("Bars", FALSE));
        EXPECT_EQ(Ids(Current()), before);
    }
    Store(good);
    EXPECT_TRUE(m_bar.RestoreState("Bars", FALSE));
    EXPECT_EQ(Current().size(), before.size() - 1);
}

TEST_F(CustomisableToolBarTest, ControlsSitOnTheirSeparatorsAndHideWhenTheirButtonGoes) {
    m_bar.RepositionControls();
    CRect rect;
    m_bar.GetItemRect(4, rect);
    CRect where;
    m_combo.GetWindowRect(&where);
    m_bar.ScreenToClient(&where);
    EXPECT_EQ(where.TopLeft(), rect.TopLeft());
    EXPECT_EQ(where.Size(), CSize(56, 18)) << "moved, not sized";
    EXPECT_TRUE(m_combo.IsWindowVisible());

    Store(docking::EncodeToolBarState(Without(static_cast<int>(kComboId))));
    ASSERT_TRUE(m_bar.RestoreState("Bars", FALSE));
    EXPECT_FALSE(m_combo.IsWindowVisible());
}

TEST_F(CustomisableToolBarTest, ARememberedSectionIsWrittenAtEveryChange) {
    Store(docking::EncodeToolBarState(Current()));
    ASSERT_TRUE(m_bar.RestoreState("Bars", TRUE));
    m_bar.SetButtonRecords(Without(0x8103));
    NMHDR nm{m_bar.m_hWnd, kBarId, static_cast<UINT>(TBN_TOOLBARCHANGE)};
    m_frame->SendMessage(WM_NOTIFY, kBarId, reinterpret_cast<LPARAM>(&nm));
    LPBYTE pData = nullptr;
    UINT nBytes = 0;
    ASSERT_TRUE(m_app->GetProfileBinary("Bars", "ToolBar State(0x01F4)", &pData, &nBytes));
    std::vector<TBBUTTON> stored;
    EXPECT_TRUE(docking::DecodeToolBarState(pData, nBytes, stored));
    delete[] pData;
    EXPECT_EQ(Ids(stored), Ids(Current()));
    EXPECT_EQ(stored.size(), 5u);
    pm::afxtest::pump();
    EXPECT_TRUE(pm::afxtest::savePng(m_bar.m_hWnd, "customisable_tool_bar"));
}

TEST_F(CustomisableToolBarTest, TheCustomisationDialogGetsThePoolAndResetsToItsStart) {
    pm::res::addString(0x8101, "Make the text bold\nBold");
    pm::res::addString(0x8102, "Make the text italic\nItalic\nItalic text");
    auto notify = [&](UINT code, NMTOOLBAR* pInfo = nullptr) {
        NMTOOLBAR local{};
        NMTOOLBAR& nm = pInfo ? *pInfo : local;
        nm.hdr = {m_bar.m_hWnd, kBarId, code};
        return m_frame->SendMessage(WM_NOTIFY, kBarId, reinterpret_cast<LPARAM>(&nm));
    };
    const std::vector<int> opened = Ids(Current());
    notify(static_cast<UINT>(TBN_BEGINADJUST));
    m_bar.SetButtonRecords(Without(0x8101));
    EXPECT_TRUE(notify(static_cast<UINT>(TBN_QUERYDELETE)));
    EXPECT_TRUE(notify(static_cast<UINT>(TBN_RESET)));
    EXPECT_EQ(Ids(Current()), opened) << "back to the layout the dialog opened with";
    notify(static_cast<UINT>(TBN_ENDADJUST));

    char text[32] = {};
    NMTOOLBAR info{};
    info.pszText = text;
    info.cchText = sizeof text;
    struct Case {
        int item;
        LRESULT answer;
        int command;
        const char* text;
    } cases[] = {{0, TRUE, 0x8101, "Bold"}, {1, TRUE, 0x8102, "Italic text"}, {6, FALSE, 0, ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        text[0] = 0;
        info.iItem = c.item;
        info.tbButton = TBBUTTON{};
        EXPECT_EQ(notify(static_cast<UINT>(TBN_GETBUTTONINFO), &info), c.answer);
        EXPECT_EQ(info.tbButton.idCommand, c.command);
        EXPECT_STREQ(text, c.text);
    }
}

TEST_F(CustomisableToolBarTest, ResetWithCtrlHeldGivesBackEveryButtonOfThePool) {
    auto notify = [&](UINT code) {
        NMTOOLBAR nm{};
        nm.hdr = {m_bar.m_hWnd, kBarId, code};
        return m_frame->SendMessage(WM_NOTIFY, kBarId, reinterpret_cast<LPARAM>(&nm));
    };
    const std::vector<int> pool = Ids(Current());
    m_bar.SetButtonRecords(Without(0x8101));
    const std::vector<int> opened = Ids(Current());
    ASSERT_NE(opened, pool);
    notify(static_cast<UINT>(TBN_BEGINADJUST));
    m_bar.SetButtonRecords(Without(0x8102));
    pm::test::holdKey(m_frame->m_hWnd, VK_CONTROL, true);
    pm::afxtest::pump();
    EXPECT_TRUE(notify(static_cast<UINT>(TBN_RESET)));
    EXPECT_EQ(Ids(Current()), pool) << "Ctrl: every button the bar was loaded with";
    pm::test::holdKey(m_frame->m_hWnd, VK_CONTROL, false);
    pm::afxtest::pump();
    EXPECT_TRUE(notify(static_cast<UINT>(TBN_RESET)));
    EXPECT_EQ(Ids(Current()), opened) << "without: the layout the dialog opened with";
    notify(static_cast<UINT>(TBN_ENDADJUST));
}

TEST_F(CustomisableToolBarTest, TheArchiveFormHoldsTheSameBlockBehindItsLength) {
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        m_bar.Serialize(ar);
    }
    EXPECT_EQ(file.GetLength(), 2u + 4u + 20u * 6u);
    const std::vector<int> saved = Ids(Current());
    m_bar.SetButtonRecords(Without(0x8104));
    file.SeekToBegin();
    {
        CArchive ar(&file, CArchive::load);
        m_bar.Serialize(ar);
    }
    EXPECT_EQ(Ids(Current()), saved);

    // A cut archive changes nothing.
    BYTE cut[] = {0x20, 0x00, 1, 0, 0, 0};
    CMemFile short_file(cut, sizeof cut);
    m_bar.SetButtonRecords(Without(0x8104));
    CArchive ar(&short_file, CArchive::load);
    m_bar.Serialize(ar);
    EXPECT_EQ(Current().size(), 5u);
}

} // namespace
