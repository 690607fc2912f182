// The shell folder tree over a namespace of the test's own: what the first level shows, selecting
// a path, renaming by label edit, re-reading with open branches kept, and the context commands.

#include "docking/CDKFolderPickerDialog.h"
#include "docking/CDKShellFolderTree.h"

#include "platform/framework/tests/support/framework_test.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

// A file system in memory: paths to "is a folder".
class FakeNamespace : public CDKShellNamespace {
public:
    std::map<std::string, bool> m_entries;
    std::vector<std::string> m_opened;

    CString GetDesktopPath() const override { return "/home/u"; }
    BOOL IsFolder(const CString& strPath) const override {
        auto it = m_entries.find(std::string(strPath));
        return it != m_entries.end() && it->second;
    }
    BOOL EnumChildren(const CString& strFolder, std::vector<CDKShellItem>& items) const override {
        if (!IsFolder(strFolder)) return FALSE;
        for (const auto& [path, folder] : m_entries) {
            if (ParentOf(path) != std::string(strFolder)) continue;
            CDKShellItem item;
            item.m_strPath = path.c_str();
            item.m_strName = path.substr(path.rfind('/') + 1).c_str();
            item.m_dwAttributes = DK_SHELL_FILESYSTEM | DK_SHELL_CANRENAME | (folder ? DK_SHELL_FOLDER : 0);
            if (folder && HasSubfolder(path)) item.m_dwAttributes |= DK_SHELL_HASSUBFOLDER;
            items.push_back(item);
        }
        return TRUE;
    }
    CString Rename(const CString& strPath, const CString& strNewName) override {
        const std::string from(strPath);
        const std::string to = ParentOf(from) + "/" + std::string(strNewName);
        if (m_entries.count(to)) return CString();
        std::map<std::string, bool> moved;
        for (const auto& [path, folder] : m_entries) {
            const bool under = path == from || path.compare(0, from.size() + 1, from + "/") == 0;
            moved[under ? to + path.substr(from.size()) : path] = folder;
        }
        m_entries = moved;
        return to.c_str();
    }
    CString CreateFolder(const CString& strFolder) override {
        const std::string path = std::string(strFolder) + "/New Folder";
        if (m_entries.count(path)) return CString();
        m_entries[path] = true;
        return path.c_str();
    }
    BOOL OpenItem(const CString& strPath) override {
        m_opened.emplace_back(strPath);
        return TRUE;
    }

private:
    static std::string ParentOf(const std::string& path) { return path.substr(0, path.rfind('/')); }
    bool HasSubfolder(const std::string& folder) const {
        for (const auto& [path, isFolder] : m_entries)
            if (isFolder && ParentOf(path) == folder) return true;
        return false;
    }
};

using Labels = std::vector<std::string>;

Labels ChildLabels(const CTreeCtrl& tree, HTREEITEM hParent) {
    Labels labels;
    for (HTREEITEM h = tree.GetChildItem(hParent); h; h = tree.GetNextSiblingItem(h))
        labels.emplace_back(tree.GetItemText(h));
    return labels;
}

class ShellFolderTreeTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto fake = std::make_unique<FakeNamespace>();
        m_fs = fake.get();
        for (const char* folder :
             {"/home/u", "/home/u/docs", "/home/u/docs/letters", "/home/u/docs/letters/old", "/home/u/Music",
              "/home/u/apps", "/home/u/apps/tools"})
            m_fs->m_entries[folder] = true;
        for (const char* file : {"/home/u/notes.txt", "/home/u/docs/cv.txt", "/home/u/docs/photo.png"})
            m_fs->m_entries[file] = false;
        m_tree.SetNamespace(std::move(fake));
        ASSERT_TRUE(
            m_parent.CreateEx(0, AFX_WND, "picker", WS_POPUP | WS_VISIBLE, 0, 0, 240, 300, nullptr, nullptr));
        ASSERT_TRUE(m_tree.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASLINES | TVS_HASBUTTONS |
                                      TVS_LINESATROOT | TVS_EDITLABELS | TVS_SHOWSELALWAYS,
                                  CRect(0, 0, 240, 300), &m_parent, 1001));
        ASSERT_TRUE(m_tree.FillTree());
    }
    void TearDown() override { m_parent.DestroyWindow(); }

    std::string Selected() const { return std::string(m_tree.GetPathFromItem(m_tree.GetSelectedItem())); }
    bool IsExpanded(const char* path) {
        m_tree.SelectPath(path, FALSE);
        return (m_tree.GetItemState(m_tree.GetSelectedItem(), TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
    }
    // Renames the selected item the way the user does: edit its label, type, press Enter.
    void RenameSelected(const char* name) {
        HWND edit = reinterpret_cast<HWND>(
            m_tree.SendMessage(TVM_EDITLABEL, 0, reinterpret_cast<LPARAM>(m_tree.GetSelectedItem())));
        ASSERT_NE(edit, nullptr);
        ::SetWindowText(edit, name);
        m_tree.SendMessage(TVM_ENDEDITLABELNOW, FALSE);
    }

    CWnd m_parent;
    CDKShellFolderTree m_tree;
    FakeNamespace* m_fs = nullptr;
};

TEST_F(ShellFolderTreeTest, TheDesktopRootHoldsTheDesktopsFoldersInOrder) {
    HTREEITEM hRoot = m_tree.GetRootItem();
    EXPECT_EQ(std::string(m_tree.GetItemText(hRoot)), "Desktop");
    EXPECT_EQ(m_tree.GetPathFromItem(hRoot), "") << "the root has no record";
    EXPECT_EQ(ChildLabels(m_tree, hRoot), Labels({"apps", "docs", "Music"}))
        << "folders only, regardless of case";

    m_tree.m_bDesktopRoot = FALSE;
    m_tree.m_bShowFiles = TRUE;
    ASSERT_TRUE(m_tree.FillTree());
    EXPECT_EQ(ChildLabels(m_tree, TVI_ROOT), Labels({"apps", "docs", "Music", "notes.txt"}));
    EXPECT_FALSE(m_tree.FillTree("/home/u/notes.txt")) << "not a folder";
}

TEST_F(ShellFolderTreeTest, SelectingAPathOpensTheBranchesOnTheWay) {
    ASSERT_TRUE(m_tree.SelectPath("/home/u/docs/letters/old", FALSE));
    EXPECT_EQ(Selected(), "/home/u/docs/letters/old");
    EXPECT_TRUE(IsExpanded("/home/u/docs"));
    EXPECT_TRUE(m_tree.SelectPath("/home/u/docs/", TRUE)) << "a trailing separator";
    EXPECT_EQ(Selected(), "/home/u/docs");
    EXPECT_FALSE(m_tree.SelectPath("/home/u/nothing", FALSE));
    EXPECT_FALSE(m_tree.SelectPath("/elsewhere/docs", FALSE));
    EXPECT_TRUE(m_tree.SelectPath("", FALSE));
}

TEST_F(ShellFolderTreeTest, ALabelEditRenamesTheFolderAndTheItemsBelowFollow) {
    ASSERT_TRUE(m_tree.SelectPath("/home/u/docs/letters/old", FALSE));
    ASSERT_TRUE(m_tree.SelectPath("/home/u/docs", FALSE));
    RenameSelected("papers");
    EXPECT_EQ(std::string(m_tree.GetItemText(m_tree.GetSelectedItem())), "papers");
    EXPECT_EQ(Selected(), "/home/u/papers");
    EXPECT_TRUE(m_fs->IsFolder("/home/u/papers/letters/old"));
    ASSERT_TRUE(m_tree.SelectPath("/home/u/papers/letters/old", FALSE));
    EXPECT_EQ(Selected(), "/home/u/papers/letters/old") << "the open branch below follows";

    // A name that is taken is refused, and the label stays.
    ASSERT_TRUE(m_tree.SelectPath("/home/u/Music", FALSE));
    RenameSelected("apps");
    EXPECT_EQ(std::string(m_tree.GetItemText(m_tree.GetSelectedItem())), "Music");
    EXPECT_EQ(Selected(), "/home/u/Music");
}

TEST_F(ShellFolderTreeTest, ReReadingKeepsOpenBranchesAndTheSelection) {
    ASSERT_TRUE(m_tree.SelectPath("/home/u/docs/letters", TRUE));
    ASSERT_TRUE(m_tree.SelectPath("/home/u/apps/tools", FALSE));
    m_fs->m_entries["/home/u/docs/drafts"] = true;
    m_fs->m_entries.erase("/home/u/Music");
    ASSERT_TRUE(m_tree.RefreshItem(TVI_ROOT));
    EXPECT_EQ(Selected(), "/home/u/apps/tools");
    EXPECT_EQ(ChildLabels(m_tree, m_tree.GetRootItem()), Labels({"apps", "docs"}));
    EXPECT_TRUE(IsExpanded("/home/u/docs/letters"));
    ASSERT_TRUE(m_tree.SelectPath("/home/u/docs", FALSE));
    EXPECT_EQ(ChildLabels(m_tree, m_tree.GetSelectedItem()), Labels({"drafts", "letters"}));

    // A closed branch is only marked to be read when it opens.
    m_tree.Expand(m_tree.GetSelectedItem(), TVE_COLLAPSE);
    m_fs->m_entries["/home/u/docs/zzz"] = true;
    ASSERT_TRUE(m_tree.RefreshItem(m_tree.GetSelectedItem()));
    m_tree.Expand(m_tree.GetSelectedItem(), TVE_EXPAND);
    EXPECT_EQ(ChildLabels(m_tree, m_tree.GetSelectedItem()), Labels({"drafts", "letters", "zzz"}));
}

TEST_F(ShellFolderTreeTest, ContextCommandsMakeFoldersAndOpenItems) {
    ASSERT_TRUE(m_tree.SelectPath("/home/u/Music", FALSE));
    EXPECT_TRUE(m_tree.InvokeCommand(m_tree.GetSelectedItem(), DK_SHELLCMD_NEWFOLDER));
    EXPECT_EQ(Selected(), "/home/u/Music/New Folder");
    EXPECT_FALSE(m_tree.InvokeCommand(m_tree.GetParentItem(m_tree.GetSelectedItem()), DK_SHELLCMD_NEWFOLDER))
        << "the name is taken";
    EXPECT_TRUE(m_tree.InvokeCommand(m_tree.GetSelectedItem(), DK_SHELLCMD_OPEN));
    EXPECT_EQ(m_fs->m_opened, std::vector<std::string>({"/home/u/Music/New Folder"}));
    EXPECT_FALSE(m_tree.InvokeCommand(m_tree.GetRootItem(), DK_SHELLCMD_OPEN))
        << "the Desktop root has no record";
}

TEST_F(ShellFolderTreeTest, ADoubleClickOpensAFileButNotAFolder) {
    m_tree.m_bShowFiles = TRUE;
    ASSERT_TRUE(m_tree.FillTree());
    auto doubleClick = [&](const char* path) {
        ASSERT_TRUE(m_tree.SelectPath(path, FALSE));
        CRect rect;
        m_tree.GetItemRect(m_tree.GetSelectedItem(), &rect, TRUE);
        CPoint point = rect.CenterPoint();
        m_tree.ClientToScreen(&point);
        ::SetCursorPos(point.x, point.y);
        NMHDR nm{m_tree.m_hWnd, 1001, static_cast<UINT>(NM_DBLCLK)};
        m_parent.SendMessage(WM_NOTIFY, 1001, reinterpret_cast<LPARAM>(&nm));
    };
    doubleClick("/home/u/notes.txt");
    doubleClick("/home/u/docs");
    EXPECT_EQ(m_fs->m_opened, std::vector<std::string>({"/home/u/notes.txt"}));
}

class NoPictures : public CDKShellFolderTree {
public:
    BOOL IncludeFile(LPCSTR lpszName) override { return CString(lpszName).Right(4) != ".png"; }
};

TEST_F(ShellFolderTreeTest, ShownFilesPassTheFileFilter) {
    NoPictures tree;
    auto fake = std::make_unique<FakeNamespace>();
    fake->m_entries = m_fs->m_entries;
    tree.SetNamespace(std::move(fake));
    tree.m_bShowFiles = TRUE;
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), &m_parent, 1002));
    ASSERT_TRUE(tree.FillTree());
    ASSERT_TRUE(tree.SelectPath("/home/u/docs", TRUE));
    EXPECT_EQ(ChildLabels(tree, tree.GetSelectedItem()), Labels({"letters", "cv.txt"}));
    tree.DestroyWindow();
}

TEST_F(ShellFolderTreeTest, ThePickersPathFollowsTheTreeAndSelectsItWhenTyped) {
    CDKFolderPickerDialog dialog;
    auto fake = std::make_unique<FakeNamespace>();
    fake->m_entries = m_fs->m_entries;
    dialog.m_tree.SetNamespace(std::move(fake));
    dialog.m_strSelectedPath = "/home/u/docs/letters";
    ASSERT_TRUE(dialog.Create("CDKFolderPickerDialog", &m_parent));
    dialog.ShowWindow(SW_SHOW);
    CTreeCtrl& tree = dialog.m_tree;
    EXPECT_EQ(std::string(tree.GetItemText(tree.GetSelectedItem())), "letters");
    CString shown;
    dialog.GetDlgItemText(IDC_FOLDERPICKER_PATH, shown);
    EXPECT_EQ(shown, "/home/u/docs/letters");
    pm::afxtest::pump();
    EXPECT_TRUE(pm::afxtest::savePng(dialog.m_hWnd, "folder_picker"));

    // The user picks another folder in the tree: the path follows.
    dialog.m_tree.SelectPath("/home/u/apps/tools", FALSE);
    dialog.GetDlgItemText(IDC_FOLDERPICKER_PATH, shown);
    EXPECT_EQ(shown, "/home/u/apps/tools");

    // A typed path is selected with the Select button.
    dialog.SetDlgItemText(IDC_FOLDERPICKER_PATH, "/home/u/Music");
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_FOLDERPICKER_SELECT, BN_CLICKED),
                       reinterpret_cast<LPARAM>(dialog.GetDlgItem(IDC_FOLDERPICKER_SELECT)->m_hWnd));
    EXPECT_EQ(std::string(dialog.m_tree.GetPathFromItem(tree.GetSelectedItem())), "/home/u/Music");

    // Show files: the tree is read again with files, the selection kept.
    dialog.CheckDlgButton(IDC_FOLDERPICKER_SHOWFILES, BST_CHECKED);
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_FOLDERPICKER_SHOWFILES, BN_CLICKED),
                       reinterpret_cast<LPARAM>(dialog.GetDlgItem(IDC_FOLDERPICKER_SHOWFILES)->m_hWnd));
    EXPECT_EQ(ChildLabels(tree, tree.GetRootItem()), Labels({"apps", "docs", "Music", "notes.txt"}));
    EXPECT_EQ(std::string(dialog.m_tree.GetPathFromItem(tree.GetSelectedItem())), "/home/u/Music");
    dialog.DestroyWindow();
}

} // namespace
