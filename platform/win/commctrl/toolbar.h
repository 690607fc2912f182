#pragma once
// "ToolbarWindow32": a row (or rows) of image buttons with optional texts, separators and drop-down
// buttons along the parent's edge. Private to platform/win.

#include "platform/win/commctrl/common_classes.h"
#include "platform/win/controls/control.h"

#include <cstdint>
#include <string>
#include <vector>

namespace pm::cc {

constexpr int kSeparator = 8;      // width of a separator without its own width
constexpr int kArrow = 14;         // width of a drop-down arrow part
constexpr SIZE kButtonExtra{7, 7}; // a button is this much larger than its image
constexpr int kTextPad = 6;        // room beside a button's text
constexpr UINT_PTR kHotTimer = 1;
constexpr UINT kHotPoll = 100;

// A bar's button as TB_SAVERESTORE keeps it in the registry.
struct SavedButton {
    int command = 0;
    BYTE state = 0;
    BYTE style = 0;
};
std::vector<BYTE> writeSavedButtons(const std::vector<TBBUTTON>& buttons);
// False when the bytes are not a kept bar: a wrong tag, or a count the length cannot hold.
bool readSavedButtons(const BYTE* data, std::size_t size, std::vector<SavedButton>& out);

class CustomizeDialog;

class Toolbar final : public ctl::Control {
    friend class CustomizeDialog;

public:
    Toolbar(HWND hwnd, const CREATESTRUCT&) : Control(hwnd) {}

    LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    // What a button has beyond its TBBUTTON: a text of its own and a width set by TB_SETBUTTONINFO.
    struct Extra {
        bool ownText = false;
        std::string text;
        int cx = 0;
    };

    int count() const { return static_cast<int>(m_buttons.size()); }
    bool valid(int i) const { return i >= 0 && i < count(); }
    TBBUTTON& at(int i) { return m_buttons[static_cast<std::size_t>(i)]; }
    const TBBUTTON& at(int i) const { return m_buttons[static_cast<std::size_t>(i)]; }
    const RECT& rectOf(int i) const { return m_rects[static_cast<std::size_t>(i)]; }
    static bool separator(const TBBUTTON& b) { return b.fsStyle & BTNS_SEP; }
    bool splitArrow(const TBBUTTON& b) const {
        return (b.fsStyle & BTNS_DROPDOWN) && (m_exStyle & TBSTYLE_EX_DRAWDDARROWS);
    }
    bool listStyle() const { return style() & TBSTYLE_LIST; }
    // Where notifications go: the parent, or the window TB_SETPARENT named.
    HWND notifyTarget() const;
    LRESULT sendNotify(NMHDR& hdr) const;

    // Texts (toolbar_text.cpp).
    std::string textOf(int i) const;
    bool showsText(int i) const;
    HFONT textFont() const;
    SIZE measure(const std::string& text) const;
    void measureTexts() const;
    LRESULT addStrings(WPARAM wParam, LPARAM lParam);
    LRESULT buttonText(int command, LPSTR out) const;
    LRESULT buttonInfo(UINT msg, WPARAM wParam, TBBUTTONINFOA* info);
    LRESULT addBitmap(int images, const TBADDBITMAP* add);
    void drawContent(HDC dc, int i, RECT body, int imageRight, int shift, bool hot) const;

    SIZE buttonSize() const;
    int widthOf(int i) const;
    void layout() const;
    int indexOf(int command) const;
    int hitTest(POINT pt) const;
    void placeInParent();
    LRESULT insert(int i, const TBBUTTON* b, int n);
    void erase(int i);
    bool move(int from, int to);
    LRESULT setStateBit(int command, BYTE bit, bool on);
    // TBN_DROPDOWN for button i, drawn pressed meanwhile; the parent's answer (TBDDRET_*).
    LRESULT notifyDropDown(int i);
    // WM_NOTIFY with an NMTOOLBAR for button i; the parent's answer.
    LRESULT notifyButton(UINT code, int i) const;
    // CCS_ADJUSTABLE: Shift+drag (Alt+drag with TBSTYLE_ALTDRAG) moves a button, or deletes it
    // when dropped outside the bar; dropped on another adjustable bar it moves there.
    bool moveModifier() const;
    void finishMove(POINT pt);
    // The index a button dropped at pt (client) takes.
    int dropIndex(POINT pt) const;
    // The adjustable tool bar other than this one under a screen point, or null.
    Toolbar* otherAdjustableBarAt(POINT screen) const;
    // Inserts a copy of button i of `from` (its text and image with it) where `screen` falls;
    // false when this bar's parent refuses it.
    bool takeButton(const Toolbar& from, int i, POINT screen);
    void notifyChange() const;
    void click(int i);
    void mouseDown(POINT pt);
    void mouseMove(POINT pt);
    void mouseUp(POINT pt);
    // TBN_HOTITEMCHANGE first; the parent may keep the old hot button.
    void setHot(int i, DWORD how = HICF_MOUSE);
    // TBN_BEGINDRAG and TBN_ENDDRAG around a press of button i.
    void notifyDrag(UINT code, int i) const;
    void paint();
    void eraseBackground(HDC dc) const;
    // NM_CUSTOMDRAW for one stage; the parent's CDRF_/TBCDRF_ answer.
    LRESULT customDraw(DWORD stage, HDC dc, const RECT& rc, int i) const;
    void drawButton(HDC dc, int i, LRESULT flags) const;
    void drawImage(HDC dc, const TBBUTTON& b, int x, int y, bool hot) const;
    void drawInsertMark(HDC dc) const;

    // Tooltips (TBSTYLE_TOOLTIPS): one tool per button, texts asked of the parent.
    void createTips();
    void syncTips() const;
    void relayToTips(UINT msg, WPARAM wParam, LPARAM lParam) const;

    // Customising (toolbar_customize.cpp).
    LRESULT saveRestore(bool save, const TBSAVEPARAMSA* params);
    void customize();

    std::vector<TBBUTTON> m_buttons;
    std::vector<Extra> m_extra; // beside m_buttons
    std::vector<std::string> m_strings;
    mutable std::vector<RECT> m_rects;
    mutable bool m_dirty = true;
    mutable int m_rows = 1;
    mutable SIZE m_text{0, 0}; // widest text and text-area height of the last layout
    SIZE m_bitmap{16, 15};
    SIZE m_button{0, 0}; // 0: the image size plus the button's border
    int m_indent = 0;
    int m_maxTextRows = 1;
    int m_minWidth = 0, m_maxWidth = 0;
    DWORD m_exStyle = 0;
    HIMAGELIST m_images = nullptr, m_hotImages = nullptr, m_disabledImages = nullptr;
    bool m_ownImages = false; // made by TB_ADDBITMAP
    HWND m_notify = nullptr;
    HWND m_tips = nullptr;
    mutable std::vector<UINT_PTR> m_tipIds;
    TBINSERTMARK m_mark{-1, 0};
    COLORREF m_markColour = RGB(0, 0, 0);
    int m_pressed = -1;
    bool m_pressedIn = false;
    int m_hot = -1;
    int m_moving = -1;
};

} // namespace pm::cc
