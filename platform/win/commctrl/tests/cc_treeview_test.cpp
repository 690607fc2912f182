// Tree view: the item model's rows, insertion positions and every TVGN_ code, expansion with
// TVIS_EXPANDEDONCE and callbacks, selection of hidden items expanding their parents first,
// keyboard, mouse, label editing, sorting, deletion, custom draw and painting only shown rows.
#include "platform/win/commctrl.h"
#include "platform/win/commctrl/tree_view_model.h"
#include "platform/win/windows.h"
#include "platform/win/tests/support/test_windows.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

std::vector<std::string> g_trace;
std::map<HTREEITEM, std::string> g_names;
std::vector<std::string> g_stages;
UINT g_refuse = 0;      // this notification code is answered TRUE
LRESULT g_prepaint = 0; // the answer to CDDS_PREPAINT
int g_asked = 0;        // TVN_GETDISPINFO calls
std::function<void(HWND, HTREEITEM)> g_onExpanding;
std::function<void(HWND, HTREEITEM)> g_onDeleted;

std::string nameOf(HTREEITEM item) {
    if (!item) return "-";
    auto it = g_names.find(item);
    return it == g_names.end() ? "?" : it->second;
}

std::string codeName(UINT code) {
    switch (code) {
    case TVN_SELCHANGING:
        return "selchanging";
    case TVN_SELCHANGED:
        return "selchanged";
    case TVN_ITEMEXPANDING:
        return "expanding";
    case TVN_ITEMEXPANDED:
        return "expanded";
    case TVN_DELETEITEM:
        return "delete";
    case TVN_BEGINLABELEDIT:
        return "beginedit";
    case TVN_ENDLABELEDIT:
        return "endedit";
    case TVN_BEGINDRAG:
        return "begindrag";
    case TVN_KEYDOWN:
        return "keydown";
    case static_cast<UINT>(NM_CLICK):
        return "click";
    case static_cast<UINT>(NM_DBLCLK):
        return "dblclick";
    case static_cast<UINT>(NM_RCLICK):
        return "rclick";
    default:
        return "";
    }
}

LRESULT CALLBACK parentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CONTEXTMENU) g_trace.push_back("contextmenu");
    if (msg != WM_NOTIFY) return DefWindowProc(hwnd, msg, wParam, lParam);
    auto* nm = reinterpret_cast<NMHDR*>(lParam);
    if (nm->code == TVN_GETDISPINFO) {
        auto* di = reinterpret_cast<NMTVDISPINFO*>(lParam);
        ++g_asked;
        if (di->item.mask & TVIF_CHILDREN) di->item.cChildren = 1;
        if (di->item.mask & TVIF_TEXT) std::snprintf(di->item.pszText, 16, "lazy");
        return 0;
    }
    if (nm->code == static_cast<UINT>(NM_CUSTOMDRAW)) {
        auto* cd = reinterpret_cast<NMTVCUSTOMDRAW*>(lParam);
        DWORD stage = cd->nmcd.dwDrawStage;
        std::string item = nameOf(reinterpret_cast<HTREEITEM>(cd->nmcd.dwItemSpec));
        g_stages.push_back(stage == CDDS_PREPAINT       ? "pre"
                           : stage == CDDS_POSTPAINT    ? "post"
                           : stage == CDDS_ITEMPREPAINT ? "item:" + item + ":" + std::to_string(cd->iLevel)
                                                        : "itempost:" + item);
        if (stage == CDDS_PREPAINT) return g_prepaint;
        return stage == CDDS_ITEMPREPAINT ? CDRF_NOTIFYPOSTPAINT : 0;
    }
    std::string name = codeName(nm->code);
    if (name.empty()) return 0;
    if (nm->code == TVN_BEGINLABELEDIT || nm->code == TVN_ENDLABELEDIT) {
        auto* di = reinterpret_cast<NMTVDISPINFO*>(lParam);
        g_trace.push_back(name + ":" + nameOf(di->item.hItem) + ":" +
                          (di->item.pszText ? di->item.pszText : "(null)"));
    } else if (nm->code == TVN_KEYDOWN || nm->code >= static_cast<UINT>(NM_RCLICK)) {
        g_trace.push_back(name);
    } else {
        auto* tv = reinterpret_cast<NMTREEVIEW*>(lParam);
        HTREEITEM item = nm->code == TVN_DELETEITEM ? tv->itemOld.hItem : tv->itemNew.hItem;
        g_trace.push_back(name + ":" + nameOf(item));
        if (nm->code == TVN_ITEMEXPANDING && g_onExpanding) g_onExpanding(nm->hwndFrom, item);
        if (nm->code == TVN_DELETEITEM && g_onDeleted) g_onDeleted(nm->hwndFrom, item);
    }
    return nm->code == g_refuse;
}

class TreeView : public ::testing::Test {
protected:
    void SetUp() override {
        InitCommonControls();
        parent = pm::test::createParent(parentProc, 300, 260);
        g_trace.clear();
        g_names.clear();
        g_stages.clear();
        g_refuse = 0;
        g_prepaint = 0;
        g_asked = 0;
        g_onExpanding = nullptr;
        g_onDeleted = nullptr;
    }
    void TearDown() override {
        DestroyWindow(parent);
        g_onExpanding = nullptr;
        g_onDeleted = nullptr;
    }
    HWND make(DWORD style = TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT) {
        return CreateWindowEx(0, WC_TREEVIEW, "", WS_CHILD | WS_VISIBLE | style, 0, 0, 300, 260, parent,
                              reinterpret_cast<HMENU>(9), nullptr, nullptr);
    }
    static HTREEITEM add(HWND tree, HTREEITEM under, const char* text, HTREEITEM after = TVI_LAST,
                         LPARAM param = 0) {
        TVINSERTSTRUCT ins{};
        ins.hParent = under;
        ins.hInsertAfter = after;
        ins.item.mask = TVIF_TEXT | TVIF_PARAM;
        ins.item.pszText = const_cast<LPSTR>(text);
        ins.item.lParam = param;
        HTREEITEM item = TreeView_InsertItem(tree, &ins);
        g_names[item] = text;
        return item;
    }
    // Root "a" with children a1, a2 (a2 with a21), root "b" with b1, root "c".
    HWND sample(DWORD style = TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT) {
        HWND tree = make(style);
        HTREEITEM a = add(tree, TVI_ROOT, "a");
        add(tree, a, "a1");
        HTREEITEM a2 = add(tree, a, "a2");
        add(tree, a2, "a21");
        HTREEITEM b = add(tree, TVI_ROOT, "b");
        add(tree, b, "b1");
        add(tree, TVI_ROOT, "c");
        g_trace.clear();
        return tree;
    }
    static HTREEITEM named(const std::string& name) {
        for (auto& [item, n] : g_names)
            if (n == name) return item;
        return nullptr;
    }
    static std::string text(HWND tree, HTREEITEM item) {
        char buffer[64] = {};
        TVITEM it{};
        it.mask = TVIF_TEXT;
        it.hItem = item;
        it.pszText = buffer;
        it.cchTextMax = 64;
        return TreeView_GetItem(tree, &it) ? buffer : "(bad)";
    }
    static UINT state(HWND tree, HTREEITEM item) {
        return static_cast<UINT>(SendMessage(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), ~0));
    }
    static RECT labelRect(HWND tree, HTREEITEM item) {
        RECT rc{};
        TreeView_GetItemRect(tree, item, &rc, TRUE);
        return rc;
    }
    HWND parent = nullptr;
};

// ---- The model alone ----

TEST(TreeModel, RowsMatchAWalkOfTheShownItems) {
    for (unsigned seed : {1u, 2u, 3u}) {
        SCOPED_TRACE(seed);
        pm::cc::TreeModel model;
        std::mt19937 random(seed);
        std::vector<pm::cc::TreeNode*> nodes{model.root()};
        for (int k = 0; k < 300; ++k) {
            pm::cc::TreeNode* parent = nodes[random() % nodes.size()];
            pm::cc::TreeNode* after = random() % 3 == 0 ? nullptr : parent->last;
            nodes.push_back(model.insert(parent, after));
            if (random() % 4 == 0)
                model.setExpanded(nodes[random() % (nodes.size() - 1) + 1], random() % 2 == 0);
        }
        model.remove(nodes[5], [](pm::cc::TreeNode&) {});
        std::vector<pm::cc::TreeNode*> shown;
        std::function<void(pm::cc::TreeNode*)> walk = [&](pm::cc::TreeNode* n) {
            for (pm::cc::TreeNode* c = n->first; c; c = c->next) {
                shown.push_back(c);
                if (c->expanded()) walk(c);
            }
        };
        walk(model.root());
        ASSERT_EQ(model.rows(), static_cast<int>(shown.size()));
        for (int row = 0; row < model.rows(); ++row) {
            ASSERT_EQ(model.nodeAt(row), shown[static_cast<std::size_t>(row)]) << row;
            ASSERT_EQ(model.rowOf(shown[static_cast<std::size_t>(row)]), row);
            std::size_t k = static_cast<std::size_t>(row);
            if (row + 1 < model.rows()) {
                ASSERT_EQ(model.nextShown(shown[k]), shown[k + 1]);
            }
            if (row > 0) {
                ASSERT_EQ(model.previousShown(shown[k]), shown[k - 1]);
            }
        }
        EXPECT_EQ(model.lastShown(), shown.empty() ? nullptr : shown.back());
        std::vector<pm::cc::TreeNode*> all; // every item, in the order items show in
        std::function<void(pm::cc::TreeNode*)> every = [&](pm::cc::TreeNode* n) {
            for (pm::cc::TreeNode* c = n->first; c; c = c->next)
                all.push_back(c), every(c);
        };
        every(model.root());
        for (int k = 0; k < 2000; ++k) {
            std::size_t x = random() % all.size(), y = random() % all.size();
            ASSERT_EQ(pm::cc::TreeModel::precedes(all[x], all[y]), x < y) << x << " " << y;
        }
        EXPECT_EQ(model.nodeAt(model.rows()), nullptr);
    }
}

TEST(TreeModel, RemovedHandlesGoStale) {
    pm::cc::TreeModel model;
    pm::cc::TreeNode* a = model.insert(model.root(), nullptr);
    pm::cc::TreeNode* child = model.insert(a, nullptr);
    HTREEITEM ha = a->handle, hc = child->handle;
    std::vector<HTREEITEM> gone;
    model.remove(a, [&](pm::cc::TreeNode& n) { gone.push_back(n.handle); });
    EXPECT_EQ(gone, (std::vector<HTREEITEM>{hc, ha}));
    EXPECT_EQ(model.find(ha), nullptr);
    EXPECT_EQ(model.find(hc), nullptr);
    EXPECT_EQ(model.count(), 0);
    pm::cc::TreeNode* again = model.insert(model.root(), nullptr);
    EXPECT_NE(again->handle, ha);
    EXPECT_EQ(model.find(TVI_ROOT), nullptr);
}

// ---- The control ----

TEST_F(TreeView, InsertPositionsAndNextItemCodes) {
    HWND tree = make();
    HTREEITEM m = add(tree, TVI_ROOT, "m");
    add(tree, TVI_ROOT, "z");
    add(tree, TVI_ROOT, "a", TVI_FIRST);
    add(tree, TVI_ROOT, "n", m);
    add(tree, TVI_ROOT, "b", TVI_SORT);
    add(tree, m, "m2");
    add(tree, m, "m1", TVI_FIRST);
    std::vector<std::string> roots;
    for (HTREEITEM i = TreeView_GetRoot(tree); i; i = TreeView_GetNextSibling(tree, i))
        roots.push_back(text(tree, i));
    EXPECT_EQ(roots, (std::vector<std::string>{"a", "b", "m", "n", "z"}));
    EXPECT_EQ(TreeView_GetCount(tree), 7u);

    TreeView_Expand(tree, m, TVE_EXPAND);
    TreeView_SelectItem(tree, named("m1"));
    struct Case {
        const char* from;
        UINT code;
        const char* expected;
    };
    const Case cases[] = {
        {nullptr, TVGN_ROOT, "a"},         {"m", TVGN_NEXT, "n"},         {"a", TVGN_PREVIOUS, "-"},
        {"m1", TVGN_PARENT, "m"},          {"m", TVGN_PARENT, "-"},       {"m", TVGN_CHILD, "m1"},
        {nullptr, TVGN_FIRSTVISIBLE, "a"}, {"m", TVGN_NEXTVISIBLE, "m1"}, {"m2", TVGN_NEXTVISIBLE, "n"},
        {"n", TVGN_PREVIOUSVISIBLE, "m2"}, {nullptr, TVGN_CARET, "m1"},   {nullptr, TVGN_LASTVISIBLE, "z"},
        {nullptr, TVGN_DROPHILITE, "-"},   {"b", TVGN_CHILD, "-"},
    };
    for (const Case& c : cases) {
        HTREEITEM from = c.from ? named(c.from) : nullptr;
        EXPECT_EQ(nameOf(TreeView_GetNextItem(tree, from, c.code)), c.expected)
            << (c.from ? c.from : "") << " " << c.code;
    }
    TreeView_Expand(tree, m, TVE_COLLAPSE);
    EXPECT_EQ(TreeView_GetNextItem(tree, named("m1"), TVGN_NEXTVISIBLE), nullptr);
    TreeView_Select(tree, named("b"), TVGN_DROPHILITE);
    EXPECT_EQ(nameOf(TreeView_GetNextItem(tree, nullptr, TVGN_DROPHILITE)), "b");
}

TEST_F(TreeView, SelectingAHiddenItemExpandsItsParentsFirst) {
    HWND tree = sample();
    TreeView_SelectItem(tree, named("a21"));
    EXPECT_EQ(g_trace, (std::vector<std::string>{"expanding:a", "expanded:a", "expanding:a2", "expanded:a2",
                                                 "selchanging:a21", "selchanged:a21"}));
    EXPECT_EQ(nameOf(TreeView_GetSelection(tree)), "a21");
    EXPECT_TRUE(state(tree, named("a")) & TVIS_EXPANDEDONCE);
    EXPECT_TRUE(state(tree, named("a21")) & TVIS_SELECTED);

    g_trace.clear();
    g_refuse = TVN_SELCHANGING;
    EXPECT_FALSE(TreeView_SelectItem(tree, named("b1")));
    EXPECT_EQ(g_trace, (std::vector<std::string>{"expanding:b", "expanded:b", "selchanging:b1"}));
    EXPECT_EQ(nameOf(TreeView_GetSelection(tree)), "a21");

    g_trace.clear();
    g_refuse = TVN_ITEMEXPANDING;
    TreeView_Expand(tree, named("a"), TVE_COLLAPSE); // expanded once: no notices, so nothing refuses
    EXPECT_EQ(g_trace, (std::vector<std::string>{"selchanging:a", "selchanged:a"}));
    EXPECT_EQ(nameOf(TreeView_GetSelection(tree)), "a"); // the caret leaves the collapsed branch
}

TEST_F(TreeView, ExpandingOnceFillsAndCollapseResetEmpties) {
    HWND tree = make();
    TVINSERTSTRUCT ins{};
    ins.hParent = TVI_ROOT;
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT | TVIF_CHILDREN;
    ins.item.pszText = const_cast<LPSTR>("db");
    ins.item.cChildren = I_CHILDRENCALLBACK;
    HTREEITEM db = TreeView_InsertItem(tree, &ins);
    g_names[db] = "db";
    int fills = 0;
    g_onExpanding = [&](HWND h, HTREEITEM item) {
        TVITEM it{};
        it.mask = TVIF_STATE;
        it.hItem = item;
        it.stateMask = TVIS_EXPANDEDONCE;
        TreeView_GetItem(h, &it);
        if (it.state & TVIS_EXPANDEDONCE) return;
        ++fills;
        add(h, item, "t1");
        add(h, item, "t2");
    };
    struct Step {
        UINT code;
        std::vector<std::string> trace;
        int children;
        bool expanded;
    };
    const Step steps[] = {
        {TVE_EXPAND, {"expanding:db", "expanded:db"}, 2, true},
        {TVE_COLLAPSE, {}, 2, false},
        {TVE_EXPAND, {}, 2, true},
        {TVE_COLLAPSE | TVE_COLLAPSERESET, {"delete:t1", "delete:t2"}, 0, false},
        {TVE_EXPAND, {"expanding:db", "expanded:db"}, 2, true},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.code);
        g_trace.clear();
        TreeView_Expand(tree, db, s.code);
        EXPECT_EQ(g_trace, s.trace);
        int n = 0;
        for (HTREEITEM c = TreeView_GetChild(tree, db); c; c = TreeView_GetNextSibling(tree, c))
            ++n;
        EXPECT_EQ(n, s.children);
        EXPECT_EQ((state(tree, db) & TVIS_EXPANDED) != 0, s.expanded);
    }
    EXPECT_EQ(fills, 2);

    HTREEITEM leaf = add(tree, TVI_ROOT, "leaf");
    g_trace.clear();
    TreeView_Expand(tree, leaf, TVE_EXPAND); // no children: nothing happens
    EXPECT_TRUE(g_trace.empty());
    g_refuse = TVN_ITEMEXPANDING;
    HTREEITEM more = add(tree, TVI_ROOT, "more");
    add(tree, more, "x");
    TreeView_Expand(tree, more, TVE_EXPAND);
    EXPECT_FALSE(state(tree, more) & TVIS_EXPANDED);
}

TEST_F(TreeView, Keyboard) {
    HWND tree = sample();
    SetFocus(tree);
    TreeView_SelectItem(tree, named("a"));
    TreeView_Expand(tree, named("a"), TVE_COLLAPSE);
    g_trace.clear();
    struct Step {
        WPARAM vk;
        const char* caret;
        bool aExpanded;
    };
    const Step steps[] = {
        {VK_RIGHT, "a", true},     {VK_RIGHT, "a1", true}, {VK_DOWN, "a2", true}, {VK_BACK, "a", true},
        {VK_LEFT, "a", false},     {VK_DOWN, "b", false},  {VK_UP, "a", false},   {VK_ADD, "a", true},
        {VK_SUBTRACT, "a", false}, {VK_END, "c", false},   {VK_HOME, "a", false}, {VK_MULTIPLY, "a", true},
        {VK_NEXT, "c", true},      {VK_PRIOR, "a", true},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.vk);
        SendMessage(tree, WM_KEYDOWN, s.vk, 0);
        EXPECT_EQ(nameOf(TreeView_GetSelection(tree)), s.caret);
        EXPECT_EQ((state(tree, named("a")) & TVIS_EXPANDED) != 0, s.aExpanded);
    }
    EXPECT_TRUE(state(tree, named("a2")) & TVIS_EXPANDED); // '*' expanded the whole branch
    ASSERT_FALSE(g_trace.empty());
    EXPECT_EQ(g_trace.front(), "keydown");
}

TEST_F(TreeView, MouseButtonsClicksAndDrags) {
    HWND tree = sample();
    RECT a = labelRect(tree, named("a"));
    TVHITTESTINFO info{POINT{a.left - 12, (a.top + a.bottom) / 2}, 0, nullptr};
    // The row holds, from the left: the button column, the label.
    struct Case {
        POINT pt;
        UINT flags;
    };
    const Case cases[] = {
        {{9, (a.top + a.bottom) / 2}, TVHT_ONITEMBUTTON},
        {{a.left + 2, a.top + 2}, TVHT_ONITEMLABEL},
        {{a.right + 20, a.top + 2}, TVHT_ONITEMRIGHT},
        {{20, 250}, TVHT_NOWHERE},
        {{20, -3}, TVHT_ABOVE},
    };
    for (const Case& c : cases) {
        info.pt = c.pt;
        TreeView_HitTest(tree, &info);
        EXPECT_EQ(info.flags, c.flags) << c.pt.x << "," << c.pt.y;
    }
    pm::test::click(tree, POINT{9, (a.top + a.bottom) / 2});
    pm::test::pumpMessages();
    EXPECT_TRUE(state(tree, named("a")) & TVIS_EXPANDED);

    g_trace.clear();
    RECT a1 = labelRect(tree, named("a1"));
    pm::test::click(tree, POINT{a1.left + 3, a1.top + 3});
    pm::test::pumpMessages();
    EXPECT_EQ(g_trace, (std::vector<std::string>{"click", "selchanging:a1", "selchanged:a1"}));

    g_trace.clear();
    RECT b = labelRect(tree, named("b"));
    pm::test::pressMouse(tree, POINT{b.left + 3, b.top + 3});
    pm::test::moveMouse(tree, POINT{b.left + 30, b.top + 30});
    pm::test::releaseMouse(tree, POINT{b.left + 30, b.top + 30});
    pm::test::pumpMessages();
    EXPECT_EQ(g_trace, (std::vector<std::string>{"begindrag:b"}));

    g_trace.clear();
    pm::test::doubleClick(tree, POINT{b.left + 3, b.top + 3});
    pm::test::pumpMessages();
    EXPECT_TRUE(state(tree, named("b")) & TVIS_EXPANDED);

    // A right click the receiver leaves alone becomes WM_CONTEXTMENU; a handled one does not.
    for (UINT refuse : {0u, static_cast<UINT>(NM_RCLICK)}) {
        g_trace.clear();
        g_refuse = refuse;
        pm::test::click(tree, POINT{b.left + 3, b.top + 3}, VK_RBUTTON);
        pm::test::pumpMessages();
        std::vector<std::string> expected{"rclick"};
        if (!refuse) expected.push_back("contextmenu");
        EXPECT_EQ(g_trace, expected);
    }
}

TEST_F(TreeView, EnsureVisibleExpandsAndScrolls) {
    HWND tree = sample();
    HTREEITEM deep = named("a21");
    EXPECT_FALSE(TreeView_EnsureVisible(tree, deep)); // parents were expanded
    EXPECT_EQ(g_trace,
              (std::vector<std::string>{"expanding:a", "expanded:a", "expanding:a2", "expanded:a2"}));
    HTREEITEM c = named("c");
    for (int i = 0; i < 40; ++i)
        add(tree, c, "child");
    HTREEITEM last = add(tree, c, "last");
    g_trace.clear();
    EXPECT_FALSE(TreeView_EnsureVisible(tree, last));
    EXPECT_TRUE(TreeView_EnsureVisible(tree, named("a")));
    EXPECT_EQ(nameOf(TreeView_GetNextItem(tree, nullptr, TVGN_FIRSTVISIBLE)), "a");
    EXPECT_TRUE(TreeView_EnsureVisible(tree, last));
    RECT rc{};
    ASSERT_TRUE(TreeView_GetItemRect(tree, last, &rc, FALSE));
    RECT client{};
    GetClientRect(tree, &client);
    EXPECT_LE(rc.bottom, client.bottom);
    EXPECT_GT(rc.bottom, client.bottom - rc.bottom + rc.top);
}

// Scrolling moves the rows already drawn (lines, buttons and selection with them) and paints
// only the uncovered band: the picture is the one a whole repaint gives.
TEST_F(TreeView, AScrolledTreeShowsWhatAWholeRepaintShows) {
    HWND tree = make(TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS);
    HTREEITEM chosen = nullptr;
    for (int i = 0; i < 12; ++i) {
        std::string name = "branch " + std::to_string(i) + std::string(static_cast<std::size_t>(i) * 3, 'x');
        HTREEITEM branch = add(tree, TVI_ROOT, name.c_str());
        for (int k = 0; k < 4; ++k) {
            HTREEITEM leaf = add(tree, branch, ("leaf with a long label " + std::to_string(k)).c_str());
            if (i == 2 && k == 1) chosen = leaf;
        }
        if (i % 3 != 1) TreeView_Expand(tree, branch, TVE_EXPAND);
    }
    TreeView_SelectItem(tree, chosen);
    SetFocus(tree);
    pm::test::expectScrollsRepaintWhole(tree, {{"line down", WM_VSCROLL, SB_LINEDOWN, 0},
                                               {"another line", WM_VSCROLL, SB_LINEDOWN, 0},
                                               {"page down", WM_VSCROLL, SB_PAGEDOWN, 0},
                                               {"line up", WM_VSCROLL, SB_LINEUP, 0},
                                               {"wheel", WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0},
                                               {"right", WM_HSCROLL, SB_LINEDOWN, 0},
                                               {"left", WM_HSCROLL, SB_LINEUP, 0}});
}

TEST_F(TreeView, LabelEditing) {
    HWND tree = sample(TVS_HASBUTTONS | TVS_EDITLABELS);
    HTREEITEM b = named("b");
    TreeView_SelectItem(tree, b);
    struct Case {
        const char* name;
        UINT refuse; // TVN_BEGINLABELEDIT refuses the edit; TVN_ENDLABELEDIT's TRUE keeps the text
        int key;
        const char* label;
        std::vector<std::string> trace;
    };
    const Case cases[] = {
        {"kept", TVN_ENDLABELEDIT, VK_RETURN, "bee", {"beginedit:b:b", "endedit:b:bee"}},
        {"not kept", 0, VK_RETURN, "bee", {"beginedit:bee:bee", "endedit:bee:bee2"}},
        {"cancelled", TVN_ENDLABELEDIT, VK_ESCAPE, "bee", {"beginedit:bee:bee", "endedit:bee:(null)"}},
        {"refused", TVN_BEGINLABELEDIT, 0, "bee", {"beginedit:bee:bee"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_names[b] = text(tree, b);
        g_trace.clear();
        g_refuse = c.refuse;
        HWND edit = TreeView_EditLabel(tree, b);
        if (c.key) {
            ASSERT_NE(edit, nullptr);
            EXPECT_EQ(reinterpret_cast<HWND>(SendMessage(tree, TVM_GETEDITCONTROL, 0, 0)), edit);
            SetWindowText(edit, g_names[b] == "b" ? "bee" : "bee2");
            pm::test::pressKey(edit, c.key);
            pm::test::pumpMessages();
            EXPECT_FALSE(IsWindow(edit));
        } else {
            EXPECT_EQ(edit, nullptr);
        }
        EXPECT_EQ(g_trace, c.trace);
        EXPECT_EQ(text(tree, b), c.label);
    }

    // A click on the selected item's label starts editing once the double-click time has passed.
    g_refuse = 0;
    SetFocus(tree);
    RECT rc = labelRect(tree, b);
    pm::test::click(tree, POINT{rc.left + 3, rc.top + 3});
    pm::test::pumpMessages();
    EXPECT_EQ(SendMessage(tree, TVM_GETEDITCONTROL, 0, 0), 0);
    SendMessage(tree, WM_TIMER, 1, 0);
    HWND edit = reinterpret_cast<HWND>(SendMessage(tree, TVM_GETEDITCONTROL, 0, 0));
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(SendMessage(tree, TVM_ENDEDITLABELNOW, TRUE, 0));
    EXPECT_FALSE(IsWindow(edit));
}

int CALLBACK byParamDescending(LPARAM a, LPARAM b, LPARAM) {
    return static_cast<int>(b - a);
}

TEST_F(TreeView, SortingChildren) {
    HWND tree = make();
    HTREEITEM top = add(tree, TVI_ROOT, "top");
    const char* names[] = {"delta", "Alpha", "charlie", "bravo"};
    for (int i = 0; i < 4; ++i)
        add(tree, top, names[i], TVI_LAST, i);
    auto children = [&] {
        std::vector<std::string> out;
        for (HTREEITEM c = TreeView_GetChild(tree, top); c; c = TreeView_GetNextSibling(tree, c))
            out.push_back(text(tree, c));
        return out;
    };
    ASSERT_TRUE(SendMessage(tree, TVM_SORTCHILDREN, 0, reinterpret_cast<LPARAM>(top)));
    EXPECT_EQ(children(), (std::vector<std::string>{"Alpha", "bravo", "charlie", "delta"}));
    TVSORTCB cb{top, byParamDescending, 0};
    ASSERT_TRUE(SendMessage(tree, TVM_SORTCHILDRENCB, 0, reinterpret_cast<LPARAM>(&cb)));
    EXPECT_EQ(children(), (std::vector<std::string>{"bravo", "charlie", "Alpha", "delta"}));
}

TEST_F(TreeView, DeletingMovesTheCaretAndStalesHandles) {
    HWND tree = sample();
    HTREEITEM a = named("a"), a2 = named("a2");
    TreeView_SelectItem(tree, named("a21"));
    g_trace.clear();
    ASSERT_TRUE(TreeView_DeleteItem(tree, a2));
    EXPECT_EQ(g_trace,
              (std::vector<std::string>{"delete:a21", "delete:a2", "selchanging:a1", "selchanged:a1"}));
    EXPECT_EQ(text(tree, a2), "(bad)");
    EXPECT_FALSE(TreeView_DeleteItem(tree, a2));
    EXPECT_FALSE(TreeView_SelectItem(tree, a2));
    EXPECT_EQ(TreeView_GetCount(tree), 5u);
    g_trace.clear();
    ASSERT_TRUE(TreeView_DeleteAllItems(tree));
    EXPECT_EQ(TreeView_GetCount(tree), 0u);
    EXPECT_EQ(g_trace.size(), 5u);
    EXPECT_EQ(TreeView_GetSelection(tree), nullptr);
    EXPECT_EQ(text(tree, a), "(bad)");

    // A receiver deleting more of the tree while told of a deletion.
    HWND nested = sample();
    HTREEITEM b = named("b");
    g_onDeleted = [&](HWND h, HTREEITEM item) {
        if (item == named("a21")) TreeView_DeleteItem(h, named("a")), TreeView_DeleteItem(h, b);
    };
    TreeView_SelectItem(nested, named("a21"));
    ASSERT_TRUE(TreeView_DeleteItem(nested, named("a2")));
    g_onDeleted = nullptr;
    EXPECT_EQ(TreeView_GetCount(nested), 1u);
    EXPECT_EQ(nameOf(TreeView_GetRoot(nested)), "c");
    DestroyWindow(nested);

    HWND other = sample();
    g_trace.clear();
    DestroyWindow(other);
    EXPECT_EQ(g_trace, (std::vector<std::string>{"delete:a1", "delete:a21", "delete:a2", "delete:a",
                                                 "delete:b1", "delete:b", "delete:c"}));
}

TEST_F(TreeView, CustomDrawStages) {
    HWND tree = sample();
    TreeView_Expand(tree, named("b"), TVE_EXPAND);
    struct Case {
        LRESULT prepaint;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {CDRF_DODEFAULT, {"pre"}},
        {CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT,
         {"pre", "item:a:0", "itempost:a", "item:b:0", "itempost:b", "item:b1:1", "itempost:b1", "item:c:0",
          "itempost:c", "post"}},
    };
    for (const Case& c : cases) {
        g_prepaint = c.prepaint;
        g_stages.clear();
        InvalidateRect(tree, nullptr, TRUE);
        UpdateWindow(tree);
        EXPECT_EQ(g_stages, c.expected);
    }
}

TEST_F(TreeView, ManyItemsPaintOnlyTheShownRows) {
    HWND tree = make();
    HTREEITEM big = add(tree, TVI_ROOT, "big");
    TVINSERTSTRUCT ins{};
    ins.hParent = big;
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT;
    ins.item.pszText = LPSTR_TEXTCALLBACK;
    HTREEITEM last = nullptr;
    for (int i = 0; i < 30000; ++i)
        last = TreeView_InsertItem(tree, &ins);
    add(tree, TVI_ROOT, "after");
    EXPECT_EQ(TreeView_GetCount(tree), 30002u);
    TreeView_Expand(tree, big, TVE_EXPAND);
    int page = static_cast<int>(SendMessage(tree, TVM_GETVISIBLECOUNT, 0, 0));
    ASSERT_GT(page, 5);
    g_asked = 0;
    InvalidateRect(tree, nullptr, TRUE);
    UpdateWindow(tree);
    EXPECT_LE(g_asked, 2 * (page + 1));
    TreeView_SelectItem(tree, last);
    g_asked = 0;
    InvalidateRect(tree, nullptr, TRUE);
    UpdateWindow(tree);
    EXPECT_LE(g_asked, 2 * (page + 1));
    EXPECT_EQ(nameOf(TreeView_GetNextItem(tree, nullptr, TVGN_LASTVISIBLE)), "after");
    SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(tree, SB_VERT, &si);
    EXPECT_EQ(si.nMax, 30001);
    EXPECT_EQ(si.nPos, 30001 - page);
    RECT rc{};
    ASSERT_TRUE(TreeView_GetItemRect(tree, last, &rc, FALSE));
    EXPECT_EQ(rc.top, (page - 1) * static_cast<int>(SendMessage(tree, TVM_GETITEMHEIGHT, 0, 0)));

    // Items arriving and going above or below the top row leave the top item where it is.
    HTREEITEM top = TreeView_GetNextItem(tree, nullptr, TVGN_FIRSTVISIBLE);
    ins.item.pszText = const_cast<LPSTR>("extra");
    ins.hInsertAfter = TVI_FIRST;
    HTREEITEM early = TreeView_InsertItem(tree, &ins);
    ins.hInsertAfter = TVI_LAST;
    TreeView_InsertItem(tree, &ins);
    EXPECT_EQ(TreeView_GetNextItem(tree, nullptr, TVGN_FIRSTVISIBLE), top);
    GetScrollInfo(tree, SB_VERT, &si);
    EXPECT_EQ(si.nPos, 30002 - page);
    TreeView_DeleteItem(tree, early);
    GetScrollInfo(tree, SB_VERT, &si);
    EXPECT_EQ(si.nPos, 30001 - page);
    ASSERT_TRUE(TreeView_GetItemRect(tree, top, &rc, FALSE));
    EXPECT_EQ(rc.top, 0);
}

TEST_F(TreeView, Picture) {
    HWND tree = sample(TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS);
    SetWindowLongPtr(tree, GWL_EXSTYLE, WS_EX_CLIENTEDGE);
    SetWindowPos(tree, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 2, 0);
    HDC screen = GetDC(nullptr);
    for (COLORREF colour : {RGB(220, 180, 40), RGB(40, 110, 200)}) {
        HDC dc = CreateCompatibleDC(screen);
        HBITMAP bm = CreateCompatibleBitmap(screen, 16, 16);
        HGDIOBJ old = SelectObject(dc, bm);
        RECT all{0, 0, 16, 16}, body{1, 3, 15, 14};
        HBRUSH white = CreateSolidBrush(RGB(255, 0, 255)), fillBrush = CreateSolidBrush(colour);
        FillRect(dc, &all, white);
        FillRect(dc, &body, fillBrush);
        DeleteObject(white);
        DeleteObject(fillBrush);
        SelectObject(dc, old);
        DeleteDC(dc);
        ImageList_AddMasked(images, bm, RGB(255, 0, 255));
        DeleteObject(bm);
    }
    ReleaseDC(nullptr, screen);
    TreeView_SetImageList(tree, images, TVSIL_NORMAL);
    for (auto& [item, name] : g_names) {
        TVITEM it{};
        it.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_HANDLE;
        it.hItem = item;
        it.iImage = it.iSelectedImage = name.size() == 1 ? 0 : 1;
        TreeView_SetItem(tree, &it);
    }
    TreeView_SelectItem(tree, named("a21"));
    TreeView_Expand(tree, named("b"), TVE_EXPAND);
    SetFocus(tree);
    pm::test::pumpMessages();
    EXPECT_TRUE(pm::test::saveWindowPng(parent, pm::test::outputFolder() + "/cc_treeview.png"));
    DestroyWindow(tree);
    ImageList_Destroy(images);
}

} // namespace
