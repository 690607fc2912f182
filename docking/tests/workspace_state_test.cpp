// Workspace state: the stored bytes, refusing damaged or foreign state, and a round trip that brings
// back the main window's placement and its MDI children with their documents.

#include "cmake/test_files.h"
#include "docking/CDKChildFrameState.h"
#include "docking/CDKSplitterColRowState.h"
#include "docking/CDKWorkspaceState.h"
#include "platform/framework/CArchive.h"
#include "platform/framework/CDockState.h"
#include "platform/framework/CFile.h"
#include "platform/framework/CSplitterWnd.h"
#include "platform/framework/tests/support/framework_test.h"
#include "platform/win/res/resources.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>

namespace {

const UINT IDR_NOTES = 410;

class CNotesDoc : public CDocument {
    DECLARE_DYNCREATE(CNotesDoc)
public:
    BOOL OnOpenDocument(LPCSTR) override { return TRUE; }
};
IMPLEMENT_DYNCREATE(CNotesDoc, CDocument)

class CNotesView : public CView {
    DECLARE_DYNCREATE(CNotesView)
public:
    void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(CNotesView, CView)

class CNotesChild : public CMDIChildWnd {
    DECLARE_DYNCREATE(CNotesChild)
};
IMPLEMENT_DYNCREATE(CNotesChild, CMDIChildWnd)

// A child frame split in two rows.
class CSplitChild : public CMDIChildWnd {
    DECLARE_DYNCREATE(CSplitChild)
public:
    BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) override {
        return m_wndSplitter.CreateStatic(this, 2, 1) &&
               m_wndSplitter.CreateView(0, 0, RUNTIME_CLASS(CNotesView), CSize(100, 100), pContext) &&
               m_wndSplitter.CreateView(1, 0, RUNTIME_CLASS(CNotesView), CSize(100, 100), pContext);
    }
    CSplitterWnd m_wndSplitter;
};
IMPLEMENT_DYNCREATE(CSplitChild, CMDIChildWnd)

class CNotesApp : public CWinApp {
public:
    BOOL InitInstance() override {
        pm::res::addMenu(IDR_NOTES, {{{"&Window", 0, MF_POPUP, {{"&Cascade", ID_WINDOW_CASCADE, 0, {}}}}}});
        m_pTemplate = new CMultiDocTemplate(IDR_NOTES, RUNTIME_CLASS(CNotesDoc), RUNTIME_CLASS(CNotesChild),
                                            RUNTIME_CLASS(CNotesView));
        AddDocTemplate(m_pTemplate);
        m_pSplitTemplate = new CMultiDocTemplate(IDR_NOTES, RUNTIME_CLASS(CNotesDoc),
                                                 RUNTIME_CLASS(CSplitChild), RUNTIME_CLASS(CNotesView));
        AddDocTemplate(m_pSplitTemplate);
        auto* main = new CMDIFrameWnd;
        if (!main->LoadFrame(IDR_NOTES)) return FALSE;
        m_pMainWnd = main;
        main->ShowWindow(SW_SHOW);
        return TRUE;
    }
    CDocTemplate* m_pTemplate = nullptr;
    CDocTemplate* m_pSplitTemplate = nullptr;
};

// Records that count their live instances, so a test sees what a refused load leaves behind or frees
// twice.
int g_liveRecords = 0;
struct LiveCount {
    LiveCount() { ++g_liveRecords; }
    ~LiveCount() { --g_liveRecords; }
};

class CCountedSplitterState : public CDKSplitterColRowState {
    DECLARE_SERIAL(CCountedSplitterState)
    LiveCount m_count;
};
IMPLEMENT_SERIAL(CCountedSplitterState, CDKSplitterColRowState, VERSIONABLE_SCHEMA | 1)

class CCountedChildState : public CDKChildFrameState {
    DECLARE_SERIAL(CCountedChildState)
    LiveCount m_count;
};
IMPLEMENT_SERIAL(CCountedChildState, CDKChildFrameState, VERSIONABLE_SCHEMA | 1)

class CForeignRecord : public CObject {
    DECLARE_SERIAL(CForeignRecord)
    LiveCount m_count;
};
IMPLEMENT_SERIAL(CForeignRecord, CObject, 1)

int LiveRecords() {
    return g_liveRecords;
}

std::vector<BYTE> Bytes(const CByteArray& a) {
    return std::vector<BYTE>(a.GetData(), a.GetData() + a.GetSize());
}

// Loads bytes into a state.
BOOL Load(CDKWorkspaceState& state, const std::vector<BYTE>& v) {
    CByteArray a;
    a.SetSize(static_cast<INT_PTR>(v.size()));
    for (size_t i = 0; i < v.size(); ++i)
        a[static_cast<INT_PTR>(i)] = v[i];
    return state.ReadFromBytes(a);
}

class WorkspaceState : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(app.InitApplication());
        ASSERT_TRUE(app.InitInstance());
        main = static_cast<CMDIFrameWnd*>(app.m_pMainWnd);
        pm::afxtest::pump();
    }
    void TearDown() override {
        if (app.m_pMainWnd) app.m_pMainWnd->DestroyWindow();
        pm::afxtest::pump();
    }
    void Open(const char* path) {
        ASSERT_NE(app.m_pTemplate->OpenDocumentFile(path), nullptr);
        pm::afxtest::pump();
    }
    // The paths of the documents the MDI children show, one entry per child.
    std::multiset<std::string> ChildDocuments() {
        std::multiset<std::string> out;
        for (HWND h = ::GetWindow(main->m_hWndMDIClient, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
            auto* child = static_cast<CFrameWnd*>(CWnd::FromHandlePermanent(h));
            CDocument* doc = child ? child->GetActiveDocument() : nullptr;
            out.insert(doc ? std::string(doc->GetPathName()) : "?");
        }
        return out;
    }
    CNotesApp app;
    CMDIFrameWnd* main = nullptr;
};

} // namespace

TEST_F(WorkspaceState, StoredBytesBeginWithTheSignatureAndVersion) {
    CDKWorkspaceState state;
    CByteArray bytes;
    ASSERT_TRUE(state.WriteToBytes(bytes));
    const std::vector<BYTE> v = Bytes(bytes);
    ASSERT_GE(v.size(), 8u);
    EXPECT_EQ(std::vector<BYTE>(v.begin(), v.begin() + 8),
              (std::vector<BYTE>{0xDC, 0xFE, 0x34, 0x12, 1, 0, 0, 0}));
}

TEST_F(WorkspaceState, ForeignOrNewerStateIsRefusedWithBadSchema) {
    CDKWorkspaceState state;
    CByteArray bytes;
    ASSERT_TRUE(state.WriteToBytes(bytes));
    for (int offset : {0, 4}) { // the magic, then the version word set to 2
        std::vector<BYTE> v = Bytes(bytes);
        v[offset] = offset ? 2 : 0xDD;
        CMemFile file;
        file.Write(v.data(), static_cast<UINT>(v.size()));
        file.SeekToBegin();
        CArchive ar(&file, CArchive::load);
        CDKWorkspaceState loaded;
        try {
            loaded.Serialize(ar);
            ADD_FAILURE() << "accepted a damaged word at " << offset;
        } catch (CArchiveException* e) {
            EXPECT_EQ(e->m_cause, CArchiveException::badSchema);
            e->Delete();
        }
        EXPECT_FALSE(Load(loaded, v));
    }
}

TEST_F(WorkspaceState, TruncatedOrDamagedStateFailsAndChangesNothing) {
    Open("/notes/a.txt");
    Open("/notes/b.txt");
    CDKWorkspaceState source;
    ASSERT_TRUE(source.CaptureState());
    CByteArray bytes;
    ASSERT_TRUE(source.WriteToBytes(bytes));
    const std::vector<BYTE> whole = Bytes(bytes);

    CDKWorkspaceState target;
    ASSERT_TRUE(target.ReadFromBytes(bytes));
    ASSERT_EQ(target.m_pChildFrames->GetSize(), 2);
    for (size_t cut = 0; cut < whole.size(); ++cut) {
        const std::vector<BYTE> part(whole.begin(), whole.begin() + static_cast<long>(cut));
        ASSERT_FALSE(Load(target, part)) << "accepted " << cut << " of " << whole.size();
    }
    // Every single byte flipped: loading either fails or yields a whole state; nothing crashes.
    for (size_t i = 8; i < whole.size(); ++i) {
        std::vector<BYTE> v = whole;
        v[i] ^= 0xFF;
        CDKWorkspaceState damaged;
        Load(damaged, v);
    }
    EXPECT_EQ(target.m_pChildFrames->GetSize(), 2);
}

TEST_F(WorkspaceState, RestoresTheChildrenAndMaximisesTheMainWindow) {
    Open("/notes/a.txt");
    Open("/notes/b.txt");
    Open(nullptr);
    const auto before = ChildDocuments();
    ASSERT_EQ(before.size(), 3u);

    CDKWorkspaceState state;
    ASSERT_TRUE(state.CaptureState());
    EXPECT_EQ(state.m_placement.showCmd, static_cast<UINT>(SW_SHOWMAXIMIZED));
    CByteArray bytes;
    ASSERT_TRUE(state.WriteToBytes(bytes));
    app.CloseAllDocuments(FALSE);
    pm::afxtest::pump();
    ASSERT_TRUE(ChildDocuments().empty());

    CDKWorkspaceState restored;
    ASSERT_TRUE(restored.ReadFromBytes(bytes));
    ASSERT_TRUE(restored.ApplyState(CDKWorkspaceState::kApplyWithoutChildren));
    pm::afxtest::pump();
    EXPECT_TRUE(ChildDocuments().empty());
    EXPECT_TRUE(main->IsZoomed());

    ASSERT_TRUE(restored.ApplyState(1));
    pm::afxtest::pump();
    EXPECT_EQ(ChildDocuments(), before);
}

TEST_F(WorkspaceState, AChildComesBackThroughItsOwnTemplateElseOneForItsDocument) {
    struct Case {
        const char* name;
        const char* documentClass;
        const char* frameClass;
        const char* path;
        bool restored;
        const char* restoredFrame; // the class of the frame that comes back
        size_t documents;          // the documents open afterwards
    };
    const Case cases[] = {
        {"all three names: that template", "CNotesDoc", "CSplitChild", "/notes/s.txt", true, "CSplitChild",
         1},
        {"a frame class gone: the first for its document", "CNotesDoc", "CGoneChild", "/notes/t.txt", true,
         "CNotesChild", 2},
        {"already open: one more window on it", "CNotesDoc", "CNotesChild", "/notes/t.txt", true,
         "CNotesChild", 2},
        {"a document class gone: nothing", "CGoneDoc", "CNotesChild", "/notes/u.txt", false, nullptr, 2},
    };
    for (const Case& c : cases) {
        const int childrenBefore = static_cast<int>(ChildDocuments().size());
        CDKChildFrameState state;
        state.m_strDocumentClass = c.documentClass;
        state.m_strFrameClass = c.frameClass;
        state.m_strViewClass = "CNotesView";
        state.m_strDocumentPath = c.path;
        state.m_bSaveSplitters = FALSE;
        EXPECT_EQ(state.ApplyState(), c.restored ? TRUE : FALSE) << c.name;
        pm::afxtest::pump();
        const std::multiset<std::string> children = ChildDocuments();
        EXPECT_EQ(static_cast<int>(children.size()), childrenBefore + (c.restored ? 1 : 0)) << c.name;
        EXPECT_EQ(std::set<std::string>(children.begin(), children.end()).size(), c.documents) << c.name;
        if (!c.restored) continue;
        CMDIChildWnd* active = main->MDIGetActive();
        ASSERT_NE(active, nullptr) << c.name;
        EXPECT_STREQ(active->GetRuntimeClass()->m_lpszClassName, c.restoredFrame) << c.name;
        EXPECT_STREQ(active->GetActiveDocument()->GetPathName(), c.path) << c.name;
    }
}

TEST_F(WorkspaceState, AHiddenMainWindowStaysHidden) {
    CDKWorkspaceState state;
    ASSERT_TRUE(state.CaptureState());
    main->ShowWindow(SW_HIDE);
    ASSERT_TRUE(state.ApplyState(CDKWorkspaceState::kApplyWithoutChildren));
    EXPECT_FALSE(main->IsWindowVisible());
}

TEST_F(WorkspaceState, FileAndRegistryRoundTrips) {
    Open("/notes/a.txt");
    const std::string folder = pm::afxtest::makeTempFolder();
    const std::string path = folder + "/layout.bin";
    CDKWorkspaceState state;
    ASSERT_TRUE(state.SaveToFile(path.c_str()));
    CDKWorkspaceState fromFile;
    ASSERT_TRUE(fromFile.ReadFromFile(path.c_str(), FALSE));
    EXPECT_EQ(fromFile.m_pChildFrames->GetSize(), 1);
    EXPECT_EQ(fromFile.m_nVersion, 1);
    EXPECT_FALSE(fromFile.ReadFromFile((folder + "/missing.bin").c_str(), FALSE));
    pm::test::writeFile(folder + "/junk.bin", "not a layout");
    EXPECT_FALSE(fromFile.ReadFromFile((folder + "/junk.bin").c_str(), FALSE));
    EXPECT_EQ(fromFile.m_pChildFrames->GetSize(), 1);
    pm::afxtest::removeFolder(folder);

    // Without a registry key nothing is stored or loaded.
    ASSERT_EQ(app.m_pszRegistryKey, nullptr);
    EXPECT_FALSE(state.StoreToRegistry());
    EXPECT_FALSE(state.LoadFromRegistry());

    EXPECT_TRUE(state.StoreToRegistry("Main", "Docking Tests", "Workspace"));
    CDKWorkspaceState fromRegistry;
    ASSERT_TRUE(
        fromRegistry.LoadFromRegistry(1, "Main", "Docking Tests", "Workspace", HKEY_CURRENT_USER, FALSE));
    ASSERT_EQ(fromRegistry.m_pChildFrames->GetSize(), 1);
    auto* child = static_cast<CDKChildFrameState*>((*fromRegistry.m_pChildFrames)[0]);
    EXPECT_STREQ(child->m_strDocumentPath, "/notes/a.txt");
    EXPECT_STREQ(child->m_strDocumentClass, "CNotesDoc");
    EXPECT_STREQ(child->m_strFrameClass, "CNotesChild");
    EXPECT_STREQ(child->m_strViewClass, "CNotesView");
    EXPECT_EQ(child->m_placement.length, 44u);
    EXPECT_FALSE(
        fromRegistry.LoadFromRegistry(1, "Other", "Docking Tests", "Workspace", HKEY_CURRENT_USER, FALSE));
}

TEST_F(WorkspaceState, SplitterSizesComeBackAndUnknownRowsArePassedBy) {
    CDocument* doc = app.m_pSplitTemplate->OpenDocumentFile("/notes/split.txt");
    ASSERT_NE(doc, nullptr);
    pm::afxtest::pump();
    POSITION pos = doc->GetFirstViewPosition();
    auto* child = static_cast<CSplitChild*>(doc->GetNextView(pos)->GetParentFrame());
    CSplitterWnd& splitter = child->m_wndSplitter;
    splitter.SetRowInfo(0, 70, 10);
    splitter.RecalcLayout();

    CDKChildFrameState state;
    ASSERT_TRUE(state.CaptureState(child));
    ASSERT_EQ(state.m_pSplitters->GetSize(), 3); // two rows and a column
    auto* stray = new CDKSplitterColRowState;
    stray->m_nIndex = 7; // a row this splitter does not have
    state.m_pSplitters->Add(stray);

    splitter.SetRowInfo(0, 150, 10);
    splitter.RecalcLayout();
    ASSERT_TRUE(state.ApplySplitters(child));
    int current = 0, minimum = 0;
    splitter.GetRowInfo(0, current, minimum);
    EXPECT_EQ(current, 70);
    EXPECT_EQ(minimum, 10);
}

TEST_F(WorkspaceState, AHandMadeStateOwningARecordTwiceIsRefusedAndFreesWhatItRead) {
    struct Case {
        const char* name;
        // Fills a state to store; the records it adds are deleted by the test afterwards.
        std::function<void(CDKWorkspaceState&, std::vector<CObject*>&)> make;
    };
    const Case cases[] = {
        {"a splitter of a child frame again in the workspace's splitters",
         [](CDKWorkspaceState& state, std::vector<CObject*>& made) {
             auto* child = new CCountedChildState;
             auto* shared = new CCountedSplitterState;
             child->m_pSplitters->Add(shared);
             state.m_pChildFrames->Add(child);
             auto* own = new CCountedSplitterState;
             state.m_pSplitters->Add(own);
             state.m_pSplitters->Add(shared);
             made = {child, own};
         }},
        {"one splitter twice in one array",
         [](CDKWorkspaceState& state, std::vector<CObject*>& made) {
             auto* twice = new CCountedSplitterState;
             state.m_pSplitters->Add(twice);
             state.m_pSplitters->Add(twice);
             made = {twice};
         }},
        {"a foreign record among splitters leaves none of them behind",
         [](CDKWorkspaceState& state, std::vector<CObject*>& made) {
             made = {new CCountedSplitterState, new CForeignRecord, new CCountedSplitterState,
                     new CCountedSplitterState};
             for (CObject* ob : made)
                 state.m_pSplitters->Add(ob);
         }},
        {"a child frame among the splitters, with its own splitter",
         [](CDKWorkspaceState& state, std::vector<CObject*>& made) {
             auto* child = new CCountedChildState;
             child->m_pSplitters->Add(new CCountedSplitterState);
             made = {new CCountedSplitterState, child, new CCountedSplitterState};
             for (CObject* ob : made)
                 state.m_pSplitters->Add(ob);
         }},
        {"the splitter array is the child frame array",
         [](CDKWorkspaceState& state, std::vector<CObject*>& made) {
             state.m_pChildFrames->Add(new CCountedChildState);
             made = {(*state.m_pChildFrames)[0]};
             state.m_pSplitters->RemoveAll();
             delete state.m_pSplitters;
             state.m_pSplitters = state.m_pChildFrames;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<BYTE> bytes;
        {
            CDKWorkspaceState source;
            std::vector<CObject*> made;
            c.make(source, made);
            CByteArray stored;
            ASSERT_TRUE(source.WriteToBytes(stored));
            bytes = Bytes(stored);
            // The source owns each record once again before it goes.
            if (source.m_pSplitters == source.m_pChildFrames) source.m_pSplitters = new CObArray;
            source.m_pSplitters->RemoveAll();
            source.m_pChildFrames->RemoveAll();
            std::set<CObject*> distinct(made.begin(), made.end());
            for (CObject* ob : distinct)
                delete ob;
        }
        const int before = LiveRecords();
        CDKWorkspaceState target;
        EXPECT_FALSE(Load(target, bytes));
        EXPECT_EQ(LiveRecords(), before);
        EXPECT_EQ(target.m_pSplitters->GetSize(), 0);
    }
    EXPECT_EQ(LiveRecords(), 0);
}
