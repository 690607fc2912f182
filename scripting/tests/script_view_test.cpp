// The script view's owner-drawn combos: objects sorted by member kind, then by name; names drawn
// bold when the module has code for them, italic when they are only code or not an event, and
// objects of a member kind in the member list's colours. A derived view describing an object's
// events and members itself.

#include "platform/framework/tests/support/framework_test.h"
#include "scripting/TypeInfoReader.h"
#include "scripting/CHHScriptSyntaxView.h"
#include "scripting/CHHScriptView.h"
#include "scripting/CHHVBScriptEngine.h"
#include "scripting/CHHVBScriptTextParser.h"
#include "support/debugger_fakes.h"
#include "support/script_host_fixture.h"

#include "editor/CHHFormater.h"
#include "platform/com/objbase.h"
#include "platform/script/activscp.h"
#include "platform/script/vbscript.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

class InspectedView : public CHHScriptView {
public:
    enum Font { Normal, Bold, Italic };
    Font FontOf(CComboBox& combo, int index) {
        if (index < 0) return Normal;
        const CFont* font = ComboItemFont(combo, *static_cast<ComboItem*>(combo.GetItemDataPtr(index)));
        return font == &m_fontBold ? Bold : font == &m_fontItalic ? Italic : Normal;
    }
};

class ScriptViewCombos : public ::testing::Test {
protected:
    void SetUp() override {
        frame = new CFrameWnd;
        ASSERT_TRUE(frame->Create(nullptr, "Script view", WS_OVERLAPPEDWINDOW, CRect(0, 0, 500, 300)));
        view = new InspectedView;
        ASSERT_TRUE(view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 480, 260), frame,
                                 AFX_IDW_PANE_FIRST));
        view->InitView();
        ASSERT_GE(engine.Create(nullptr, nullptr, nullptr, FALSE), 0);
        view->UseEngine(&engine);
    }
    void TearDown() override {
        frame->DestroyWindow();
        pm::afxtest::pump();
    }
    std::vector<std::string> names(CComboBox& combo) {
        std::vector<std::string> out;
        for (int i = 0; i < combo.GetCount(); ++i)
            out.emplace_back(
                static_cast<const CHHScriptViewBase::ComboItem*>(combo.GetItemDataPtr(i))->m_strName);
        return out;
    }
    // The text colour an item is drawn in, selected or not.
    COLORREF drawnColour(CComboBox& combo, const char* name, bool selected) {
        const int index = view->FindComboItem(combo, name);
        HDC dc = ::CreateCompatibleDC(nullptr);
        HBITMAP bitmap = ::CreateCompatibleBitmap(dc, 100, 20);
        HGDIOBJ old = ::SelectObject(dc, bitmap);
        DRAWITEMSTRUCT dis{ODT_COMBOBOX,
                           static_cast<UINT>(combo.GetDlgCtrlID()),
                           static_cast<UINT>(index),
                           ODA_DRAWENTIRE,
                           selected ? static_cast<UINT>(ODS_SELECTED) : 0u,
                           combo.m_hWnd,
                           dc,
                           RECT{0, 0, 100, 20},
                           combo.GetItemData(index)};
        view->SendMessage(WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
        const COLORREF colour = ::GetTextColor(dc);
        ::SelectObject(dc, old);
        ::DeleteObject(bitmap);
        ::DeleteDC(dc);
        return colour;
    }

    scripttest::ScriptHost host;
    CFrameWnd* frame = nullptr;
    InspectedView* view = nullptr;
    CHHVBScriptEngine engine;
};

} // namespace

TEST_F(ScriptViewCombos, ItemsSortByMemberKindThenNameAndAreDrawnByWhatTheModuleHas) {
    IDispatch* app = host.appObject.GetIDispatch(FALSE);
    view->AddSectionObject(nullptr, nullptr);
    view->AddDispatchObject("Beta", app, HHOBJ_MEMBER_KIND2);
    view->AddDispatchObject("App", app, 0);
    view->AddDispatchObject("Alpha", app, HHOBJ_MEMBER_KIND1);
    CHHVBScriptTextParser parser;
    CHHScriptProcedureList list;
    list.Parse("Sub App_Helper()\r\n\th = 1\r\nEnd Sub\r\nSub App_Timer()\r\n\tt = 1\r\nEnd Sub\r\n"
               "Sub Zed_Go()\r\n\tz = 1\r\nEnd Sub\r\n",
               &parser);
    view->LoadProcedureList(list);
    CComboBox& objects = view->GetObjectsCombo();
    EXPECT_EQ(names(objects), (std::vector<std::string>{"(General)", "App", "Zed", "Alpha", "Beta"}));
    const auto font = [&](const char* name) {
        return view->FontOf(objects, view->FindComboItem(objects, name));
    };
    EXPECT_EQ(font("App"), InspectedView::Bold) << "the module has App's code";
    EXPECT_EQ(font("(General)"), InspectedView::Normal);
    EXPECT_EQ(font("Zed"), InspectedView::Italic) << "only code";

    ASSERT_TRUE(view->ShowProcedure("App", "Timer", TRUE));
    CComboBox& events = view->GetEventsCombo();
    EXPECT_EQ(view->FontOf(events, view->FindComboItem(events, "Timer")), InspectedView::Bold);
    EXPECT_EQ(view->FontOf(events, view->FindComboItem(events, "Helper")), InspectedView::Italic)
        << "not an event";

    EXPECT_EQ(drawnColour(objects, "Alpha", false), view->GetListItemColor(0));
    EXPECT_EQ(drawnColour(objects, "Beta", false), view->GetListItemColor(1));
    EXPECT_EQ(drawnColour(objects, "App", false), ::GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(drawnColour(objects, "Alpha", true), ::GetSysColor(COLOR_HIGHLIGHTTEXT));

    frame->ShowWindow(SW_SHOW);
    objects.ShowDropDown(TRUE);
    pm::afxtest::pump();
    HWND dropped = nullptr;
    for (HWND w = ::GetWindow(::GetDesktopWindow(), GW_CHILD); w && !dropped;
         w = ::GetWindow(w, GW_HWNDNEXT)) {
        char cls[32] = {};
        ::GetClassName(w, cls, sizeof cls);
        if (std::string(cls) == "ComboLBox" && ::IsWindowVisible(w)) dropped = w;
    }
    ASSERT_NE(dropped, nullptr);
    pm::afxtest::savePngWithPopups(frame->m_hWnd, {dropped}, "script_view_objects_list");
    objects.ShowDropDown(FALSE);
}

namespace {

// A window whose automation object is the program's App object.
class AutomatedWindow final : public CWnd {
public:
    explicit AutomatedWindow(IDispatch* dispatch) : m_dispatch(dispatch) {}
    IDispatch* GetIDispatch(BOOL) override { return m_dispatch; }

private:
    IDispatch* m_dispatch;
};

} // namespace

TEST_F(ScriptViewCombos, AWindowsAutomationObjectIsListedUnderItsNameWithItsEvents) {
    AutomatedWindow window(host.appObject.GetIDispatch(FALSE));
    CWnd plain;
    EXPECT_FALSE(view->AddWindowObject("Plain", &plain, 0)) << "a window without automation";
    EXPECT_FALSE(view->AddWindowObject("Nothing", nullptr, 0));
    ASSERT_TRUE(view->AddWindowObject("MainWindow", &window, 0));
    EXPECT_EQ(names(view->GetObjectsCombo()), std::vector<std::string>{"MainWindow"});
    ASSERT_TRUE(view->ShowProcedure("MainWindow", "Timer", FALSE));
    const CString text = view->GetEditCtrl()->GetText();
    EXPECT_EQ(std::string(text, static_cast<size_t>(text.GetLength())),
              "Sub MainWindow_Timer()\r\n\t\r\nEnd Sub\r\n\r\n");

    CHHExpressionInfo object;
    object.m_strQualifier = "mainwindow";
    CHHMemberItemArray members;
    view->FillMemberList(object, members, HHLIST_MEMBERS);
    EXPECT_TRUE(std::any_of(members.begin(), members.end(), [](const CHHMemberItem& m) {
        return m.m_strText == "TimerInterval";
    })) << "its members, by the name given in any case";
}

namespace {

// Describes "Doc" by App's class, so that it has App's events, and lists one function of its own.
class DescribingView : public CHHScriptView {
public:
    pm::ComPtr<ITypeInfo> appClass;
    BOOL GetEventTypeInfo(const CHHScriptObjectInfo& info, ITypeInfo** ppTypeInfo, BOOL bMembers) override {
        *ppTypeInfo = nullptr;
        if (bMembers || info.m_strName != "Doc") return FALSE;
        (*ppTypeInfo = appClass.get())->AddRef();
        return TRUE;
    }
    BOOL GetFunctionsHook(const CHHScriptObjectInfo& info, CHHMethodInfoArray& methods, LPCTSTR,
                          BOOL) override {
        if (info.m_strName != "Doc") return FALSE;
        CHHMethodInfo own;
        own.m_strName = "OwnFunction";
        methods.push_back(own);
        return TRUE;
    }
};

} // namespace

TEST(ScriptViewHooks, ADerivedViewGivesAnObjectsEventsAndFunctions) {
    scripttest::ScriptHost host;
    auto* frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, "Script view", WS_OVERLAPPEDWINDOW, CRect(0, 0, 500, 300)));
    auto* view = new DescribingView;
    ASSERT_TRUE(view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 480, 260), frame,
                             AFX_IDW_PANE_FIRST));
    view->InitView();
    CHHVBScriptEngine engine;
    ASSERT_GE(engine.Create(nullptr, nullptr, nullptr, FALSE), 0);
    view->UseEngine(&engine);
    ASSERT_EQ(GetClassInfoAt(host.appObject.GetIDispatch(FALSE), 0, view->appClass.put()), S_OK);
    view->AddDispatchObject("Doc", host.docObject.GetIDispatch(FALSE), 0);
    ASSERT_GE(view->FindComboItem(view->GetObjectsCombo(), "Doc"), 0) << "Doc has events now";
    ASSERT_TRUE(view->ShowProcedure("Doc", "Timer", FALSE));
    const CString text = view->GetEditCtrl()->GetText();
    EXPECT_EQ(std::string(text, static_cast<size_t>(text.GetLength())),
              "Sub Doc_Timer()\r\n\t\r\nEnd Sub\r\n\r\n");

    CHHExpressionInfo doc;
    doc.m_strQualifier = "Doc";
    CHHMemberItemArray members;
    view->FillMemberList(doc, members, HHLIST_MEMBERS);
    const auto listed = [&](const char* name) {
        return std::any_of(members.begin(), members.end(),
                           [&](const CHHMemberItem& m) { return m.m_strText == name; });
    };
    EXPECT_TRUE(listed("OwnFunction")) << "the hook's functions";
    EXPECT_FALSE(listed("Copy")) << "in place of the type's methods";
    EXPECT_TRUE(listed("Selection")) << "the type's properties still";
    frame->DestroyWindow();
    pm::afxtest::pump();
}

// The syntax view lets its engine colour the text when the engine can; the formater then classes
// only the words the engine left unmarked. The VBScript engine here cannot, so the formater colours.
namespace {

class SyntaxViewColours : public ::testing::Test {
protected:
    void SetUp() override {
        frame = new CFrameWnd;
        ASSERT_TRUE(frame->Create(nullptr, "Syntax view", WS_OVERLAPPEDWINDOW, CRect(0, 0, 500, 300)));
        view = new CHHScriptSyntaxView;
        ASSERT_TRUE(view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 480, 260), frame,
                                 AFX_IDW_PANE_FIRST));
        view->InitView();
    }
    void TearDown() override {
        frame->DestroyWindow();
        pm::afxtest::pump();
    }
    // The colour classes the view's edit control gives the text.
    std::vector<WORD> coloured(const std::u16string& text) {
        std::vector<WORD> attributes(text.size(), 0);
        EXPECT_TRUE(
            view->GetEditCtrl()->ColorizeText(text.data(), static_cast<int>(text.size()), attributes.data()));
        return attributes;
    }
    // The formater's own colouring of the text.
    static std::vector<WORD> formaterColours(CHHFormater* formater, const std::u16string& text) {
        std::vector<WORD> attributes(text.size(), 0);
        formater->ColorizeText(text.data(), static_cast<int>(text.size()), attributes.data());
        return attributes;
    }

    CFrameWnd* frame = nullptr;
    CHHScriptSyntaxView* view = nullptr;
    const std::u16string text = u"Sub App_Timer()\r\n\tDim s ' a Sub note\r\nEnd Sub\r\n";
};

} // namespace

TEST_F(SyntaxViewColours, AnEngineThatColoursGoesFirstAndTheFormaterClassesTheRest) {
    ASSERT_TRUE(view->SetEngineClass(RUNTIME_CLASS(CDebuggingVBScriptEngine)));
    CHHVBScriptEngine plain;
    const std::vector<WORD> formater = formaterColours(plain.GetFormater(), text);
    const std::vector<WORD> seen = coloured(text);
    std::vector<bool> engineMarked(text.size(), false);
    for (size_t at = text.find(u"Sub"); at != std::u16string::npos; at = text.find(u"Sub", at + 3))
        std::fill(engineMarked.begin() + at, engineMarked.begin() + at + 3, true);
    for (size_t i = 0; i < text.size(); ++i) {
        if (engineMarked[i]) {
            EXPECT_EQ(seen[i], scripttest::kEngineMark) << "character " << i;
            continue;
        }
        if (seen[i] == 0) continue;
        EXPECT_EQ(seen[i], formater[i]) << "character " << i << ": the keyword pass classes the rest";
    }
    const size_t dim = text.find(u"Dim");
    EXPECT_NE(seen[dim], 0) << "a keyword the engine left unmarked is classed";
    EXPECT_EQ(seen[dim], formater[dim]);
    EXPECT_EQ(seen[text.find(u"App_Timer")], 0) << "no keyword: the engine's 0 stays";
}

TEST_F(SyntaxViewColours, WithoutAnEngineThatColoursTheFormaterColoursAlone) {
    CHHVBScriptEngine plain;
    const std::vector<WORD> formater = formaterColours(plain.GetFormater(), text);
    ASSERT_TRUE(view->SetEngine(&plain)) << "the VBScript engine offers no colouring";
    EXPECT_EQ(coloured(text), formater);
    ASSERT_TRUE(view->SetEngineClass(nullptr));
    view->SetFormater(plain.GetFormater());
    EXPECT_EQ(coloured(text), formater) << "no private engine";
}
