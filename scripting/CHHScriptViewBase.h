#pragma once
// CHHScriptViewBase: a view of one script module as procedures grouped by the object whose event
// they handle. A bar above the edit control holds a close button, the three view modes (one
// procedure, one object, the whole module) and the object and event combos. The text lives in a
// procedure list; the edit control holds only the part the mode shows, and edits are committed
// back into the list before anything reads it.

#include "platform/framework/CCmdUI.h"
#include "platform/framework/CDC.h"
#include "platform/framework/CView.h"
#include "platform/framework/CommonControls.h"
#include "platform/framework/framework.h"
#include "scripting/CHHScriptBarButton.h"
#include "scripting/CHHNamedItem.h"
#include "scripting/CHHScriptEditCtrl.h"
#include "scripting/CHHScriptObjectInfo.h"
#include "scripting/CHHScriptProcedureList.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

// Child and command ids.
#define IDC_HHSV_OBJECT_VIEW 28270
#define IDC_HHSV_EVENT_VIEW 28271
#define IDC_HHSV_MODULE_VIEW 28272
#define IDC_HHSV_OBJECTS 28273
#define IDC_HHSV_EVENTS 28274
#define IDC_HHSV_EDIT 28275
#define IDC_HHSV_CLOSE 28277
#define ID_HHSCRIPT_REVERT 60736
#define ID_HHSCRIPT_CHECK_SYNTAX 60744

// View modes.
#define HHMODE_EVENT 0
#define HHMODE_OBJECT 1
#define HHMODE_MODULE 2

class CHHEngine;

// Called with the owner's data and a breakpoint change: object, procedure, relative line,
// character position, procedure module position, on.
typedef void (*HHSCRIPTVIEWCALLBACK)(void* data, LPCTSTR object, LPCTSTR procedure, int line, int charPos,
                                     int modulePos, BOOL on);

class CHHScriptViewBase : public CView, public CHHScriptEditOwner {
    DECLARE_DYNAMIC(CHHScriptViewBase)
public:
    CHHScriptViewBase();
    ~CHHScriptViewBase() override;

    // ---- Operations (virtual, in slot order) ----
    virtual void InitView();
    BOOL CheckProcedure(LPCTSTR, LPCTSTR) override { return TRUE; }
    BOOL CheckSyntax() override { return TRUE; }
    virtual BOOL IsCaseSensitive() { return FALSE; }
    virtual CHHScriptEditCtrl* CreateEditCtrl() { return new CHHScriptEditCtrl; }
    virtual BOOL CreateChildren();
    virtual void RecalcLayout();
    void NotifyOwner(LPCTSTR object, LPCTSTR procedure, int line, int charPos, int modulePos,
                     BOOL on) override;
    virtual void GetEventNames(const CHHScriptObjectInfo& info, std::vector<CString>& names);
    virtual void GetEventList(LPCTSTR object, std::vector<CString>& names);
    virtual CString BuildHead(const CHHScriptObjectInfo& info, LPCTSTR procedure);
    virtual CString GetHead(LPCTSTR object, LPCTSTR procedure);
    virtual CString GetBody(LPCTSTR, LPCTSTR) { return "\t"; }
    virtual CString BuildTail(const CHHScriptObjectInfo& info, LPCTSTR procedure);
    virtual CString GetTail(LPCTSTR object, LPCTSTR procedure);
    void FillMemberList(CHHExpressionInfo& info, CHHMemberItemArray& items, int kind) override;
    virtual BOOL HasEvents(const CHHScriptObjectInfo& info);
    void AddTypedProcedure(LPCTSTR object, LPCTSTR procedure, const CString& head, const CString& body,
                           const CString& tail) override;
    virtual int OnCloseButton(int state);

    // ---- Operations ----
    // Takes the engine's formater and text parser (a syntax view takes an engine of its class).
    virtual void UseEngine(CHHEngine* engine);
    void SetFormater(CHHFormater* formater);
    void SetTextParser(CHHTextParser* parser);
    void SetViewCallback(HHSCRIPTVIEWCALLBACK callback, void* data) {
        m_pfnCallback = callback;
        m_pCallbackData = data;
    }
    void AddSectionObject(LPCTSTR object, LPCTSTR section);
    void AddDispatchObject(LPCTSTR name, IDispatch* dispatch, DWORD flags);
    // Adds a window's automation object under the name; FALSE when the window has none.
    BOOL AddWindowObject(LPCTSTR name, CWnd* window, DWORD flags);
    // Adds an engine's named item with its dispatch object; its item flags give the view flags.
    void AddNamedItem(const CHHNamedItem& item);
    BOOL AddObjectInfo(const CHHScriptObjectInfo& info);
    // Adds information for a name that only the procedure list knows (drawn italic).
    void AddCodeOnlyObject(LPCTSTR name);
    void RemoveObjectInfo(LPCTSTR name);
    const CHHScriptObjectInfo* FindObjectInfo(LPCTSTR name) const;
    BOOL ShowProcedure(LPCTSTR object, LPCTSTR procedure) override {
        return ShowProcedure(object, procedure, TRUE);
    }
    BOOL ShowProcedure(LPCTSTR object, LPCTSTR procedure, BOOL existingOnly);
    void GoToLineColumn(int line, int column);
    void SetEditMode(int mode);
    int GetEditMode() const { return m_nMode; }
    CString GetScriptText();
    BOOL SetScriptText(LPCTSTR text, CHHTextParser* parser);
    void GetBreakpoints(CDWordArray& positions);
    void LoadProcedureList(const CHHScriptProcedureList& list);
    void StoreProcedureList(CHHScriptProcedureList& list);
    void ClearView();
    void Revert() override;
    BOOL CanRevert() const { return m_pSaved != nullptr; }
    void SaveSnapshot();
    void Serialize(CArchive& ar) override;
    void EnableBreakpoints(BOOL enable) { m_pEdit->EnableBreakpoints(enable); }
    // The member list's colour of an item kind (0 to 2) and whether it sorts by kind first.
    COLORREF GetListItemColor(int kind) const { return m_pEdit->GetListItemColor(kind); }
    BOOL IsListSorted() const { return m_pEdit->IsListSorted(); }
    void Commit();

    CHHScriptEditCtrl* GetEditCtrl() { return m_pEdit.get(); }
    CComboBox& GetObjectsCombo() { return m_wndObjects; }
    CComboBox& GetEventsCombo() { return m_wndEvents; }
    CToolTipCtrl& GetToolTips() { return m_wndTips; }
    void SetFrameActivation(BOOL on) { m_bFrameActivation = on; }
    BOOL m_bNoCreate = FALSE;

    // What an item of the objects or events combo carries: its own copy of the name and the
    // object's flags (0 for events). The combo item owns it.
    struct ComboItem {
        CString m_strName;
        DWORD m_dwFlags = 0;
    };
    static CString ComboText(CComboBox& combo);
    // The index of the combo item with the name (the view's case rule), or -1.
    int FindComboItem(CComboBox& combo, LPCTSTR name);

    // ---- Overrides ----
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnInitialUpdate() override;
    void OnDraw(CDC*) override {}
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDIS);
    afx_msg int OnCompareItem(int nIDCtl, LPCOMPAREITEMSTRUCT lpCIS);
    afx_msg void OnDeleteItem(int nIDCtl, LPDELETEITEMSTRUCT lpDIS);
    afx_msg void OnObjectsFocus();
    afx_msg void OnEventsFocus();
    afx_msg void OnObjectChosen();
    afx_msg void OnEventChosen();
    afx_msg void OnCloseClicked();
    afx_msg void OnModeButton(UINT nID);
    afx_msg LRESULT OnCaretMoved(WPARAM, LPARAM);
    afx_msg void OnRevert() { Revert(); }
    afx_msg void OnUpdateRevert(CCmdUI* pCmdUI) { pCmdUI->Enable(CanRevert()); }
    afx_msg void OnCheckSyntax() { CheckSyntax(); }
    afx_msg void OnUpdateDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    DECLARE_MESSAGE_MAP()

    BOOL DisplayProcedure(LPCTSTR object, LPCTSTR procedure, BOOL removeBlank);
    // Marks the object's procedures shown (every object's when null), only procedure when given.
    void MarkShown(const CHHScriptObjectProcedures* object, const CHHScriptProcedure* procedure);
    void ClearShown();
    // The text of the shown procedures, one after another.
    CString ShownText() const;
    // Gives the edit control the records of what it shows now, from the current object and event.
    void RefreshProcedureView();
    void RemoveBlankProcedures();
    // Finds or (unless no-create) makes the procedure; TRUE when found or made.
    BOOL FindOrCreateProcedure(LPCTSTR object, LPCTSTR procedure, CHHScriptProcedureList::Location& loc,
                               BOOL& existed);
    void FillEventsCombo(LPCTSTR object);
    void SyncCombos(int charIndex);
    std::string Key(LPCTSTR name) const;
    BOOL SameName(const CString& a, LPCTSTR b) {
        return IsCaseSensitive() ? a == b : a.CompareNoCase(b) == 0;
    }

    void AddComboItem(CComboBox& combo, LPCTSTR name, DWORD flags);
    BOOL SelectComboText(CComboBox& combo, LPCTSTR text);
    void DrawComboItem(CComboBox& combo, const DRAWITEMSTRUCT& dis);
    CFont* ComboItemFont(CComboBox& combo, const ComboItem& item);
    void SetEditText(const CString& text);
    void createTips();
    BOOL createFonts();
    void loadButtonImages();

    std::unique_ptr<CHHScriptEditCtrl> m_pEdit;
    CFont m_fontNormal;
    CFont m_fontBold;
    CFont m_fontItalic;
    CComboBox m_wndObjects;
    CComboBox m_wndEvents;
    CHHScriptBarButton m_wndClose;
    CHHScriptBarButton m_wndModes[3]; // Object View, Event View, Full Module View (ids 28270 to 28272)
    CBitmap m_bmpClose;
    CBitmap m_bmpModes[3];
    CToolTipCtrl m_wndTips;
    CHHFormater* m_pFormater = nullptr;
    CHHTextParser* m_pTextParser = nullptr;
    BOOL m_bInitialised = FALSE;
    int m_nCloseState = 1;
    int m_nMode = HHMODE_EVENT;
    std::map<std::string, CHHScriptObjectInfo> m_objectInfo;
    CHHScriptProcedureList m_list;
    CString m_strCurrentObject = "?";
    CString m_strCurrentEvent = "?";
    std::unique_ptr<CHHScriptProcedureList> m_pSaved;
    CString m_strFocusObject;
    CString m_strFocusEvent;
    BOOL m_bFrameActivation = TRUE;
    BOOL m_bBarVisible = TRUE;  // the bar is shown; the edit control starts below it
    BOOL m_bCloseButton = TRUE; // the close button is shown; the other bar items make room for it
    HHSCRIPTVIEWCALLBACK m_pfnCallback = nullptr;
    void* m_pCallbackData = nullptr;
};
