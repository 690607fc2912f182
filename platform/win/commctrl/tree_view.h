#pragma once
// "SysTreeView32": the items live in a TreeModel; the control adds selection, expansion with its
// notifications, scrolling by rows from an anchor item, painting of the rows shown, the keyboard,
// the mouse and label editing in an EDIT child.

#include "platform/win/commctrl/common_classes.h"
#include "platform/win/commctrl/tree_view_model.h"
#include "platform/win/controls/control.h"

#include <string>

namespace pm::cc {

class TreeView final : public ctl::Control {
public:
    TreeView(HWND hwnd, const CREATESTRUCT& cs);
    LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    // ---- Items (tree_view.cpp)
    TreeNode* parentOf(HTREEITEM handle) const; // TVI_ROOT and NULL: the hidden root
    LRESULT insertItem(const TVINSERTSTRUCT* insert);
    TreeNode* sortedAfter(TreeNode* parent, const std::string& text) const;
    LRESULT deleteItem(HTREEITEM handle);
    LRESULT getItem(TVITEM* item) const;
    LRESULT setItem(const TVITEM* item);
    std::string nodeText(const TreeNode* node) const;
    int nodeImage(const TreeNode* node, bool selected) const;
    bool hasChildren(const TreeNode* node) const;
    // TVN_GETDISPINFO for the fields in mask.
    TVITEM askDispInfo(const TreeNode* node, UINT mask, char* buffer, int size) const;
    TreeNode* nextItem(TreeNode* node, UINT code) const;
    LRESULT sortChildren(HTREEITEM handle, bool recurse, PFNTVCOMPARE compare, LPARAM data);

    // ---- Expansion and selection
    // Expands, collapses or toggles; with `notify` TVN_ITEMEXPANDING first (which may refuse) and
    // TVN_ITEMEXPANDED after. False when nothing changed.
    bool expand(TreeNode* node, UINT code, bool notify);
    // Expands every collapsed ancestor, outermost first, with notifications; true when any was.
    bool expandParents(TreeNode* node);
    // Makes node the caret with TVN_SELCHANGING (which may refuse) and TVN_SELCHANGED.
    bool select(TreeNode* node, UINT action);
    LRESULT selectItem(UINT code, HTREEITEM handle);
    bool ensureVisible(TreeNode* node);
    void fillItem(TVITEM& item, const TreeNode* node) const;
    LRESULT notifyTree(UINT code, UINT action, const TreeNode* oldNode, const TreeNode* newNode,
                       POINT drag = POINT{0, 0}) const;
    void clickNotify(UINT code) const;

    // ---- Geometry and painting (tree_view_paint.cpp)
    int itemHeight() const;
    int fullRows() const;
    int topRow() const;
    TreeNode* topNode() const;
    void setTopRow(int row);
    // Moves the pixels of the client area by (dx, dy) and invalidates what they uncover.
    void scrollRows(int dx, int dy) const;
    // Rows came or went: with topRowKept the top item's row is still known (or was corrected).
    void structureChanged(bool topRowKept = false);
    int columnOf(const TreeNode* node) const; // the indent columns left of the item's images
    int imagesWidth() const;
    int labelWidth(const TreeNode* node) const;
    RECT labelRect(const TreeNode* node, int row) const;
    LRESULT itemRect(RECT* rc, bool textOnly) const;
    TreeNode* hitTest(POINT pt, UINT* flags) const;
    void updateScrollBars();
    void onScroll(bool vertical, int code);
    void setScrollX(int x);
    void invalidateNode(const TreeNode* node) const;
    void paint();
    LRESULT customDraw(HDC dc, DWORD stage, const RECT& rc, const TreeNode* node, COLORREF& text,
                       COLORREF& back) const;
    void drawRow(HDC dc, TreeNode* node, int y, DWORD drawFlags);
    void drawLines(HDC dc, const TreeNode* node, int y) const;
    void drawButton(HDC dc, int cx, int cy, bool expanded) const;
    COLORREF textColour() const;
    COLORREF backColour() const;

    // ---- Keyboard, mouse and label editing (tree_view_input.cpp)
    static bool held(int vk);
    void keyDown(WPARAM vk);
    void expandAll(TreeNode* node);
    void mouseDown(POINT pt, bool right);
    void mouseMove(POINT pt);
    void mouseUp(POINT pt, bool right);
    void doubleClick(POINT pt);
    HWND editLabel(TreeNode* node);
    void endEdit(bool cancel);
    static LRESULT CALLBACK editProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    TreeModel m_model;
    TreeNode* m_caret = nullptr;
    TreeNode* m_drop = nullptr;
    mutable TreeNode* m_top = nullptr; // the first row shown
    mutable int m_topRow = 0;
    mutable bool m_topRowKnown = true;
    int m_scrollX = 0;
    int m_widest = 0; // the widest row painted so far, for the horizontal scroll bar
    int m_indent = 19;
    int m_itemHeight = 0;         // 0: from the font and images
    mutable int m_autoHeight = 0; // the height from the font and images, once measured
    HIMAGELIST m_images = nullptr;
    HIMAGELIST m_stateImages = nullptr;
    COLORREF m_text = CLR_DEFAULT;
    COLORREF m_back = CLR_DEFAULT;
    bool m_updatingBars = false;
    // A press waiting to become a click or a drag.
    bool m_pressed = false;
    bool m_pressRight = false;
    TreeNode* m_pressNode = nullptr;
    POINT m_pressAt{0, 0};
    bool m_editPending = false; // a click on the caret's label starts editing after a pause
    HWND m_edit = nullptr;
    TreeNode* m_editNode = nullptr;
    bool m_ending = false;
};

} // namespace pm::cc
