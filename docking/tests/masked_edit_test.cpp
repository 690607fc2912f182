// Masked edits: keys, typing, deleting and pasting against a phone-number mask, the fixed left and
// right texts, text set from outside, and the numeric controls.

#include "docking/CDKCurrencyEdit.h"
#include "docking/CDKEdit.h"
#include "docking/CDKNumericEdit.h"

#include "platform/framework/tests/support/framework_test.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>

namespace {

constexpr const char* kPhone = "(###) ###-####";

// Counts refused keys instead of beeping.
template <typename Base> class Counting : public Base {
public:
    int m_nErrors = 0;
    void OnValidationError() override { ++m_nErrors; }
};

void PutOnClipboard(const std::string& text) {
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    std::memcpy(::GlobalLock(h), text.c_str(), text.size() + 1);
    ::GlobalUnlock(h);
    ::SetClipboardData(CF_TEXT, h);
    ::CloseClipboard();
}

class MaskedEditTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(
            m_parent.CreateEx(0, AFX_WND, "form", WS_POPUP | WS_VISIBLE, 0, 0, 300, 100, nullptr, nullptr));
    }
    void TearDown() override { m_parent.DestroyWindow(); }

    template <typename Edit> void Make(Edit& edit, DWORD dwStyle = 0) {
        ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | dwStyle, CRect(0, 0, 280, 24),
                                &m_parent, 7));
    }
    static std::string Text(CWnd& edit) {
        CString text;
        edit.GetWindowText(text);
        return std::string(text);
    }
    static int Caret(CEdit& edit) {
        int nStart = 0, nEnd = 0;
        edit.GetSel(nStart, nEnd);
        return nEnd;
    }
    static void Type(CWnd& edit, const std::string& chars) {
        for (char ch : chars)
            edit.SendMessage(WM_CHAR, static_cast<unsigned char>(ch), 1);
    }
    static void Key(CWnd& edit, UINT vk) { edit.SendMessage(WM_KEYDOWN, vk, 1); }

    CWnd m_parent;
};

TEST_F(MaskedEditTest, TypingFillsThePlacesAndStepsOverLiterals) {
    Counting<CDKEdit> edit;
    Make(edit);
    edit.SetMask(kPhone);
    EXPECT_EQ(Text(edit), "(___) ___-____");
    edit.SetSel(0, 0);
    Type(edit, "5");
    EXPECT_EQ(edit.m_nErrors, 1) << "the caret was on a literal";
    EXPECT_EQ(Caret(edit), 1) << "and moves to the first place";
    Type(edit, "555");
    EXPECT_EQ(Caret(edit), 6) << "after the third digit the caret skips \") \"";
    Type(edit, "x");
    EXPECT_EQ(edit.m_nErrors, 2) << "a letter in a digit place";
    Type(edit, "1234567");
    EXPECT_EQ(Text(edit), "(555) 123-4567");
    EXPECT_EQ(std::string(edit.GetInputText()), "(555) 123-4567") << "the literals belong to the input";
    Type(edit, "8");
    EXPECT_EQ(edit.m_nErrors, 3) << "no place left";
    EXPECT_EQ(Text(edit), "(555) 123-4567");
}

struct EditCase {
    const char* what;
    const char* before;   // the phone number's digits, set from outside
    int selStart, selEnd; // selection before the action
    bool overwrite;
    const char* chars; // typed characters ("\b" backspace), or empty for a key
    UINT key;          // a key pressed instead
    const char* after;
    int caretAfter;
};

TEST_F(MaskedEditTest, KeysDeleteAndTypeAgainstTheMask) {
    const EditCase cases[] = {
        {"insert shifts right up to a free place", "555123", 1, 1, false, "9", 0, "(955) 512-3___", 2},
        {"insert with every place full is refused", "5551234567", 1, 1, false, "9", 0, "(555) 123-4567", 1},
        {"overwrite replaces", "5551234567", 1, 1, true, "9", 0, "(955) 123-4567", 2},
        {"typing over a selection", "5551234567", 1, 4, false, "8", 0, "(8__) 123-4567", 2},
        {"backspace over a literal clears the digit before it", "5551234567", 6, 6, false, "\b", 0,
         "(55_) 123-4567", 3},
        {"backspace at the first place does nothing", "5551234567", 1, 1, false, "\b", 0, "(555) 123-4567",
         1},
        {"delete on a literal deletes the next digit", "5551234567", 4, 4, false, "", VK_DELETE,
         "(555) _23-4567", 6},
        {"delete of a selection", "5551234567", 2, 8, false, "", VK_DELETE, "(5__) __3-4567", 2},
        {"delete past the last place does nothing", "5551234567", 14, 14, false, "", VK_DELETE,
         "(555) 123-4567", 14},
        {"left steps over literals", "5551234567", 6, 6, false, "", VK_LEFT, "(555) 123-4567", 3},
        {"right steps over literals", "5551234567", 3, 3, false, "", VK_RIGHT, "(555) 123-4567", 6},
        {"home goes to the first place", "5551234567", 8, 8, false, "", VK_HOME, "(555) 123-4567", 1},
        {"end stays after the last place", "5551234567", 3, 3, false, "", VK_END, "(555) 123-4567", 14},
    };
    for (const EditCase& c : cases) {
        SCOPED_TRACE(c.what);
        Counting<CDKEdit> edit;
        Make(edit);
        edit.SetMask(kPhone);
        edit.SetWindowText(c.before);
        edit.SetInsertMode(!c.overwrite);
        edit.SetSel(c.selStart, c.selEnd);
        if (c.key) {
            Key(edit, c.key);
        } else {
            Type(edit, c.chars);
        }
        EXPECT_EQ(Text(edit), c.after);
        EXPECT_EQ(Caret(edit), c.caretAfter);
        edit.DestroyWindow();
    }
}

TEST_F(MaskedEditTest, InsertTogglesTheModeAndReadOnlyControlsKeepTheirText) {
    CDKEdit edit;
    Make(edit);
    edit.SetMask(kPhone);
    EXPECT_EQ(edit.GetInsertMode(), 1);
    Key(edit, VK_INSERT);
    EXPECT_EQ(edit.GetInsertMode(), 0);
    edit.SetReadOnly(TRUE);
    edit.SetSel(1, 1);
    Type(edit, "5");
    EXPECT_EQ(Text(edit), "(___) ___-____");
}

TEST_F(MaskedEditTest, FocusOverTheWholeTextAndClicksOnALiteralPutTheCaretOnTheFirstPlace) {
    CDKEdit edit;
    Make(edit);
    edit.SetMask(kPhone);
    const int length = edit.GetWindowTextLength();
    auto selection = [&] {
        int nStart = 0, nEnd = 0;
        edit.GetSel(nStart, nEnd);
        return std::make_pair(nStart, nEnd);
    };
    edit.SetSel(0, -1);
    edit.SetFocus();
    EXPECT_EQ(selection(), std::make_pair(1, 1));
    // A part of the text selected stays selected.
    m_parent.SetFocus();
    edit.SetSel(0, length - 1);
    edit.SetFocus();
    EXPECT_EQ(selection(), std::make_pair(0, length - 1));
    // A click on the "(" before the first place.
    edit.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 10));
    edit.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(1, 10));
    EXPECT_EQ(selection(), std::make_pair(1, 1));
}

TEST_F(MaskedEditTest, PastingHandsTheWholeTextToTheModelWithoutDoublingTheFixedTexts) {
    CDKEdit phone;
    Make(phone);
    phone.SetMask(kPhone);
    phone.SetSel(1, 1);
    PutOnClipboard("5551234567");
    phone.SendMessage(WM_PASTE);
    EXPECT_EQ(Text(phone), "(555) 123-4567") << "digits poured round the literals";

    CDKEdit amount;
    ASSERT_TRUE(amount.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, CRect(0, 30, 280, 54), &m_parent, 8));
    amount.SetFixedTexts("Tel: ", " ext");
    amount.SetWindowText("123");
    EXPECT_EQ(Text(amount), "Tel: 123 ext");
    PutOnClipboard("456");
    amount.SetSel(5, 8);
    amount.SendMessage(WM_PASTE);
    EXPECT_EQ(Text(amount), "Tel: 456 ext") << "over a selection";
    amount.SetSel(8, 8);
    amount.SendMessage(WM_PASTE);
    EXPECT_EQ(Text(amount), "Tel: 456456 ext") << "with an empty selection";
    EXPECT_EQ(std::string(amount.GetInputText()), "456456");
}

// The edit control cuts and pastes on these keys by itself; the model must follow.
TEST_F(MaskedEditTest, ShiftDeleteIsTheEditsOwnCutAndTheModelFollows) {
    CDKEdit edit;
    Make(edit);
    edit.SetMask(kPhone);
    edit.SetWindowText("5551234567");
    edit.SetFocus();
    edit.SetSel(1, 4);
    pm::afxtest::pressKey(edit.m_hWnd, VK_DELETE, true);
    pm::afxtest::pump();
    EXPECT_EQ(Text(edit), "(___) 123-4567");
    ASSERT_TRUE(::OpenClipboard(nullptr));
    HANDLE h = ::GetClipboardData(CF_TEXT);
    const std::string cut = h ? static_cast<const char*>(::GlobalLock(h)) : "";
    if (h) ::GlobalUnlock(h);
    ::CloseClipboard();
    EXPECT_EQ(cut, "555");
    EXPECT_EQ(std::string(edit.GetInputText()), "(___) 123-4567");

    // Shift+Insert and Ctrl+V paste through the model too.
    edit.SetSel(1, 1);
    pm::afxtest::pressKey(edit.m_hWnd, VK_INSERT, true);
    pm::afxtest::pump();
    EXPECT_EQ(Text(edit), "(555) 123-4567");
    edit.SetSel(6, 9);
    pm::afxtest::pressKey(edit.m_hWnd, 'X', false, true);
    pm::afxtest::pump();
    EXPECT_EQ(Text(edit), "(555) ___-4567");
    edit.SetSel(6, 6);
    pm::afxtest::pressKey(edit.m_hWnd, 'V', false, true);
    pm::afxtest::pump();
    EXPECT_EQ(Text(edit), "(555) 123-4567");
}

TEST_F(MaskedEditTest, TextSetFromOutsideGoesThroughTheModelAndRoundTrips) {
    CDKEdit edit;
    Make(edit);
    edit.SetFixedTexts("Tel: ", "");
    edit.SetMask(kPhone);
    edit.SetWindowText("555-123-4567");
    EXPECT_EQ(Text(edit), "Tel: (555) 123-4567");
    edit.SetWindowText(edit.GetText());
    EXPECT_EQ(Text(edit), "Tel: (555) 123-4567");
    edit.SetWindowText("12");
    EXPECT_EQ(Text(edit), "Tel: (12_) ___-____") << "the old input is emptied first";
}

TEST_F(MaskedEditTest, NumberStyleLeavesLettersToTheDefaultBehaviour) {
    Counting<CDKEdit> edit;
    Make(edit, ES_NUMBER);
    edit.SetSel(0, 0);
    Type(edit, "4a2");
    EXPECT_EQ(Text(edit), "42");
    EXPECT_EQ(edit.m_nErrors, 0);
}

TEST_F(MaskedEditTest, NumericControlsAcceptNumbersAndFlagNegativeOnes) {
    Counting<CDKNumericEdit> number;
    Make(number);
    number.SetSel(0, 0);
    Type(number, "-12.5.-3");
    EXPECT_EQ(Text(number), "-12.53");
    EXPECT_EQ(number.m_nErrors, 2) << "a second point and a minus inside";
    EXPECT_TRUE(number.IsNegative());
    number.SetSel(0, 1);
    Key(number, VK_DELETE);
    EXPECT_FALSE(number.IsNegative());

    Counting<CDKCurrencyEdit> money;
    ASSERT_TRUE(money.Create(WS_CHILD | WS_VISIBLE, CRect(0, 30, 280, 54), &m_parent, 8));
    money.SetSel(0, 0);
    Type(money, "3.999");
    EXPECT_EQ(Text(money), "3.99");
    EXPECT_EQ(money.m_nErrors, 1);
}

TEST_F(MaskedEditTest, APasteThatIsNotANumberIsRefusedAndTheValueKept) {
    Counting<CDKNumericEdit> number;
    Make(number);
    number.SetSel(0, 0);
    Type(number, "12");
    Counting<CDKCurrencyEdit> money;
    ASSERT_TRUE(money.Create(WS_CHILD | WS_VISIBLE, CRect(0, 30, 280, 54), &m_parent, 8));
    money.SetSel(0, 0);
    Type(money, "2.25");
    struct Case {
        CDKEdit* edit;
        const char* pasted;
        int selStart, selEnd;
        const char* after;
        bool refused;
    };
    const Case cases[] = {
        {&number, "abc", 2, 2, "12", true},   // a word
        {&number, "-3", 1, 1, "12", true},    // a minus inside
        {&money, "1.5", 4, 4, "2.25", true},  // a second point
        {&money, "9", 4, 4, "2.25", true},    // a third decimal
        {&number, "34", 2, 2, "1234", false}, // a number is taken
        {&money, "1", 0, 4, "1", false},      // over the whole value
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pasted);
        const int errors = number.m_nErrors + money.m_nErrors;
        PutOnClipboard(c.pasted);
        c.edit->SetSel(c.selStart, c.selEnd);
        c.edit->SendMessage(WM_PASTE);
        EXPECT_EQ(Text(*c.edit), c.after);
        EXPECT_EQ(std::string(c.edit->GetInputText()), c.after);
        EXPECT_EQ(number.m_nErrors + money.m_nErrors - errors, c.refused ? 1 : 0) << "a refusal beeps";
    }
}

TEST_F(MaskedEditTest, ColoursFollowTheStateAndNegativeNumbersHaveTheirOwn) {
    CDKNumericEdit edit;
    Make(edit);
    edit.SetColors(RGB(0, 0, 128), RGB(255, 255, 224));
    edit.SetReadOnlyColors(RGB(64, 64, 64), RGB(224, 224, 224));
    edit.SetNegativeColor(RGB(200, 0, 0));
    // What the edit answers when it is painted: the parent reflects the request to it.
    auto colours = [&] {
        CClientDC dc(&edit);
        HBRUSH hBrush = reinterpret_cast<HBRUSH>(m_parent.SendMessage(
            WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc.m_hDC), reinterpret_cast<LPARAM>(edit.m_hWnd)));
        LOGBRUSH lb{};
        ::GetObject(hBrush, sizeof lb, &lb);
        return std::make_pair(dc.GetTextColor(), lb.lbColor);
    };
    EXPECT_EQ(colours(), std::make_pair(RGB(0, 0, 128), RGB(255, 255, 224)));
    edit.SetWindowText("-5");
    EXPECT_EQ(colours().first, RGB(200, 0, 0)) << "negative";
    edit.SetWindowText("5");
    edit.SetReadOnly(TRUE);
    EXPECT_EQ(colours(), std::make_pair(RGB(64, 64, 64), RGB(224, 224, 224)));
    edit.EnableWindow(FALSE);
    EXPECT_EQ(colours(), std::make_pair(::GetSysColor(COLOR_GRAYTEXT), ::GetSysColor(COLOR_BTNFACE)));
}

} // namespace
