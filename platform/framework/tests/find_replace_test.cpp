// The modeless find dialog: its owner hears of it through the registered message, finds the dialog
// object from the message, and the object deletes itself when the dialog closes.

#include "platform/framework/tests/support/framework_test.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const UINT findMessage = CFindReplaceDialog::GetFindReplaceMsg();

class COwner : public CWnd {
public:
    std::vector<std::string> events;
    CFindReplaceDialog* m_pDialog = nullptr;
    afx_msg LRESULT OnFindReplace(WPARAM, LPARAM lParam) {
        CFindReplaceDialog* pDialog = CFindReplaceDialog::GetNotifier(lParam);
        EXPECT_EQ(pDialog, m_pDialog);
        if (pDialog->IsTerminating())
            events.push_back("closing");
        else if (pDialog->FindNext())
            events.push_back("find " + std::string(pDialog->GetFindString()) +
                             (pDialog->MatchCase() ? " case" : ""));
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(COwner, CWnd)
    ON_REGISTERED_MESSAGE(findMessage, OnFindReplace)
END_MESSAGE_MAP()

} // namespace

TEST(FindReplaceDialog, TalksToItsOwnerAndGoesAwayWithItsWindow) {
    COwner owner;
    ASSERT_TRUE(owner.CreateEx(0, AFX_WND, "owner", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr));
    auto* dialog = new CFindReplaceDialog;
    owner.m_pDialog = dialog;
    ASSERT_TRUE(dialog->Create(TRUE, "needle", nullptr, FR_DOWN | FR_MATCHCASE, &owner));
    HWND hDialog = dialog->m_hWnd;
    ASSERT_TRUE(::IsWindow(hDialog));
    EXPECT_EQ(CWnd::FromHandlePermanent(hDialog), dialog);

    ::SendMessage(hDialog, WM_COMMAND, IDOK, 0);
    pm::afxtest::pump();
    ASSERT_FALSE(owner.events.empty());
    EXPECT_EQ(owner.events.front(), "find needle case");

    ::SendMessage(hDialog, WM_COMMAND, IDCANCEL, 0);
    pm::afxtest::pump();
    EXPECT_FALSE(::IsWindow(hDialog));
    EXPECT_EQ(owner.events.back(), "closing");
    EXPECT_EQ(CWnd::FromHandlePermanent(hDialog), nullptr);
    owner.DestroyWindow();
}
