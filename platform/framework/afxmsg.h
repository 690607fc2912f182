#pragma once
// The entry macros below are laid out by hand, a line per entry.
// clang-format off
// Message maps: each CCmdTarget class lists the messages, commands and notifications it handles,
// and chains to its base class's map. An entry holds a small function (a "thunk") that unpacks the
// message's parameters and calls the member, so handlers keep their natural signatures.

#include "platform/win/editmsg.h"
#include "platform/win/winctrl.h"
#include "platform/win/winuser.h"

class CCmdTarget;
class CCmdUI;
class CWnd;
class CDC;

// The parameters of one dispatched message, command or notification.
struct AFX_CALL {
    UINT nMessage = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    UINT nID = 0;       // command or notification id
    int nCode = 0;      // command, control-notification or WM_NOTIFY code
    void* pExtra = nullptr;
    LRESULT* pResult = nullptr;
};

// Calls the handler; returns FALSE when an _EX handler declines (routing goes on).
typedef BOOL (*AFX_THUNK)(CCmdTarget* pTarget, AFX_CALL& call);

// Entry kinds: most entries match message (and for commands the code and id range); registered
// messages and run-time command ids read their number from pnDynamic at look-up time.
enum class AfxEntry : UINT { Message, Command, Registered, RuntimeCommand, End };

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;   // WM_COMMAND, WM_NOTIFY, a window message or a reflected one
    UINT nCode;      // control code, CN_COMMAND, CN_UPDATE_COMMAND_UI or a WM_NOTIFY code (low word)
    UINT nID;        // first id
    UINT nLastID;    // last id (== nID for a single id)
    AfxEntry kind;
    const UINT* pnDynamic; // the registered message or the run-time command id
    AFX_THUNK pfn;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// The one entry number for the WM_CTLCOLOR* messages.
#define WM_CTLCOLOR 0x0019
#define CTLCOLOR_MSGBOX 0
#define CTLCOLOR_EDIT 1
#define CTLCOLOR_LISTBOX 2
#define CTLCOLOR_BTN 3
#define CTLCOLOR_DLG 4
#define CTLCOLOR_SCROLLBAR 5
#define CTLCOLOR_STATIC 6

// Command codes passed to OnCmdMsg.
#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI ((UINT)(-1))
#define CN_EVENT ((UINT)(-2))

// What OnCmdMsg fills when asked only whether a handler exists (pHandlerInfo != nullptr).
struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget;
    const AFX_MSGMAP_ENTRY* pEntry;
};

#define afx_msg

#define DECLARE_MESSAGE_MAP()                                                                                \
protected:                                                                                                   \
    static const AFX_MSGMAP* GetThisMessageMap();                                                            \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                               \
    const AFX_MSGMAP* theClass::GetMessageMap() const {                                                      \
        return GetThisMessageMap();                                                                          \
    }                                                                                                        \
    const AFX_MSGMAP* theClass::GetThisMessageMap() {                                                        \
        typedef theClass ThisClass;                                                                          \
        typedef baseClass TheBaseClass;                                                                      \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                                                    \
    { 0, 0, 0, 0, AfxEntry::End, nullptr, nullptr }                                                          \
    }                                                                                                        \
    ;                                                                                                        \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]};            \
    return &messageMap;                                                                                      \
    }

// The object a thunk works on.
#define PM_THIS (static_cast<ThisClass*>(pTarget_))
#define PM_THUNK []([[maybe_unused]] CCmdTarget * pTarget_, [[maybe_unused]] AFX_CALL & c_) -> BOOL
#define PM_RESULT(value) (c_.pResult ? (*c_.pResult = (LRESULT)(value)) : 0)

// ---- Generic entries ----

#define ON_MESSAGE(message, memberFxn)                                                                       \
    {message, 0, 0, 0, AfxEntry::Message, nullptr,                                                          \
     PM_THUNK { PM_RESULT(PM_THIS->memberFxn(c_.wParam, c_.lParam)); return TRUE; }},

#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn)                                                   \
    {0xC000, 0, 0, 0, AfxEntry::Registered, &nMessageVariable,                                               \
     PM_THUNK { PM_RESULT(PM_THIS->memberFxn(c_.wParam, c_.lParam)); return TRUE; }},

#define ON_THREAD_MESSAGE(message, memberFxn)                                                                \
    {message, 0, 0, 0, AfxEntry::Message, nullptr,                                                          \
     PM_THUNK { PM_THIS->memberFxn(c_.wParam, c_.lParam); return TRUE; }},

#define ON_COMMAND(id, memberFxn)                                                                            \
    {WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(id), AfxEntry::Command, nullptr,                            \
     PM_THUNK { PM_THIS->memberFxn(); return TRUE; }},

// A command whose id is a variable, read each time a command is routed.
#define ON_COMMAND_RUNTIME(nIdVariable, memberFxn)                                                           \
    {WM_COMMAND, CN_COMMAND, 0, 0, AfxEntry::RuntimeCommand, &nIdVariable,                                   \
     PM_THUNK { PM_THIS->memberFxn(); return TRUE; }},

#define ON_COMMAND_EX(id, memberFxn)                                                                         \
    {WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(id), AfxEntry::Command, nullptr,                            \
     PM_THUNK { return PM_THIS->memberFxn(c_.nID); }},

#define ON_COMMAND_RANGE(id, idLast, memberFxn)                                                              \
    {WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(idLast), AfxEntry::Command, nullptr,                        \
     PM_THUNK { PM_THIS->memberFxn(c_.nID); return TRUE; }},

#define ON_COMMAND_EX_RANGE(id, idLast, memberFxn)                                                           \
    {WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(idLast), AfxEntry::Command, nullptr,                        \
     PM_THUNK { return PM_THIS->memberFxn(c_.nID); }},

#define ON_UPDATE_COMMAND_UI(id, memberFxn)                                                                  \
    {WM_COMMAND, CN_UPDATE_COMMAND_UI, (UINT)(id), (UINT)(id), AfxEntry::Command, nullptr,                  \
     PM_THUNK { auto* u_ = static_cast<CCmdUI*>(c_.pExtra); pm::afx::beginUpdate(u_); PM_THIS->memberFxn(u_); return pm::afx::endUpdate(u_); }},

#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn)                                                    \
    {WM_COMMAND, CN_UPDATE_COMMAND_UI, (UINT)(id), (UINT)(idLast), AfxEntry::Command, nullptr,              \
     PM_THUNK { auto* u_ = static_cast<CCmdUI*>(c_.pExtra); pm::afx::beginUpdate(u_); PM_THIS->memberFxn(u_); return pm::afx::endUpdate(u_); }},

#define ON_UPDATE_COMMAND_UI_RUNTIME(nIdVariable, memberFxn)                                                 \
    {WM_COMMAND, CN_UPDATE_COMMAND_UI, 0, 0, AfxEntry::RuntimeCommand, &nIdVariable,                         \
     PM_THUNK { auto* u_ = static_cast<CCmdUI*>(c_.pExtra); pm::afx::beginUpdate(u_); PM_THIS->memberFxn(u_); return pm::afx::endUpdate(u_); }},

#define ON_CONTROL(wNotifyCode, id, memberFxn)                                                               \
    {WM_COMMAND, (UINT)(WORD)(wNotifyCode), (UINT)(id), (UINT)(id), AfxEntry::Command, nullptr,             \
     PM_THUNK { PM_THIS->memberFxn(); return TRUE; }},

#define ON_CONTROL_RANGE(wNotifyCode, id, idLast, memberFxn)                                                 \
    {WM_COMMAND, (UINT)(WORD)(wNotifyCode), (UINT)(id), (UINT)(idLast), AfxEntry::Command, nullptr,         \
     PM_THUNK { PM_THIS->memberFxn(c_.nID); return TRUE; }},

#define ON_NOTIFY(wNotifyCode, id, memberFxn)                                                                \
    {WM_NOTIFY, (UINT)(WORD)(wNotifyCode), (UINT)(id), (UINT)(id), AfxEntry::Command, nullptr,              \
     PM_THUNK { PM_THIS->memberFxn(static_cast<NMHDR*>(c_.pExtra), c_.pResult); return TRUE; }},

#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn)                                                  \
    {WM_NOTIFY, (UINT)(WORD)(wNotifyCode), (UINT)(id), (UINT)(idLast), AfxEntry::Command, nullptr,          \
     PM_THUNK { PM_THIS->memberFxn(c_.nID, static_cast<NMHDR*>(c_.pExtra), c_.pResult); return TRUE; }},

#define ON_NOTIFY_EX(wNotifyCode, id, memberFxn)                                                             \
    {WM_NOTIFY, (UINT)(WORD)(wNotifyCode), (UINT)(id), (UINT)(id), AfxEntry::Command, nullptr,              \
     PM_THUNK { return PM_THIS->memberFxn(c_.nID, static_cast<NMHDR*>(c_.pExtra), c_.pResult); }},

#define ON_NOTIFY_EX_RANGE(wNotifyCode, id, idLast, memberFxn)                                               \
    {WM_NOTIFY, (UINT)(WORD)(wNotifyCode), (UINT)(id), (UINT)(idLast), AfxEntry::Command, nullptr,          \
     PM_THUNK { return PM_THIS->memberFxn(c_.nID, static_cast<NMHDR*>(c_.pExtra), c_.pResult); }},

// ---- Control notifications (ON_BN_CLICKED(id, fn) is ON_CONTROL(BN_CLICKED, id, fn)) ----

#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_BN_SETFOCUS(id, memberFxn) ON_CONTROL(BN_SETFOCUS, id, memberFxn)
#define ON_BN_KILLFOCUS(id, memberFxn) ON_CONTROL(BN_KILLFOCUS, id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn) ON_CONTROL(STN_CLICKED, id, memberFxn)
#define ON_STN_DBLCLK(id, memberFxn) ON_CONTROL(STN_DBLCLK, id, memberFxn)
#define ON_STN_ENABLE(id, memberFxn) ON_CONTROL(STN_ENABLE, id, memberFxn)
#define ON_STN_DISABLE(id, memberFxn) ON_CONTROL(STN_DISABLE, id, memberFxn)
#define ON_LBN_ERRSPACE(id, memberFxn) ON_CONTROL(LBN_ERRSPACE, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_LBN_SELCANCEL(id, memberFxn) ON_CONTROL(LBN_SELCANCEL, id, memberFxn)
#define ON_LBN_SETFOCUS(id, memberFxn) ON_CONTROL(LBN_SETFOCUS, id, memberFxn)
#define ON_LBN_KILLFOCUS(id, memberFxn) ON_CONTROL(LBN_KILLFOCUS, id, memberFxn)
#define ON_CBN_ERRSPACE(id, memberFxn) ON_CONTROL(CBN_ERRSPACE, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_DBLCLK(id, memberFxn) ON_CONTROL(CBN_DBLCLK, id, memberFxn)
#define ON_CBN_SETFOCUS(id, memberFxn) ON_CONTROL(CBN_SETFOCUS, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn) ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_EDITUPDATE(id, memberFxn) ON_CONTROL(CBN_EDITUPDATE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn) ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn) ON_CONTROL(CBN_SELENDOK, id, memberFxn)
#define ON_CBN_SELENDCANCEL(id, memberFxn) ON_CONTROL(CBN_SELENDCANCEL, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn) ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_ERRSPACE(id, memberFxn) ON_CONTROL(EN_ERRSPACE, id, memberFxn)
#define ON_EN_MAXTEXT(id, memberFxn) ON_CONTROL(EN_MAXTEXT, id, memberFxn)
#define ON_EN_HSCROLL(id, memberFxn) ON_CONTROL(EN_HSCROLL, id, memberFxn)
#define ON_EN_VSCROLL(id, memberFxn) ON_CONTROL(EN_VSCROLL, id, memberFxn)

// An update handler of a control for its own state (run by its parent's UpdateDialogControls).
#define ON_UPDATE_COMMAND_UI_REFLECT(memberFxn)                                                              \
    {WM_COMMAND + WM_REFLECT_BASE, 0xFFFF, 0, 0, AfxEntry::Command, nullptr,                               \
     PM_THUNK { auto* u_ = static_cast<CCmdUI*>(c_.pExtra); pm::afx::beginUpdate(u_); PM_THIS->memberFxn(u_); return pm::afx::endUpdate(u_); }},

// ---- Reflected to the control that sent them ----

#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn)                                                            \
    {WM_NOTIFY + WM_REFLECT_BASE, (UINT)(WORD)(wNotifyCode), 0, 0, AfxEntry::Command, nullptr,              \
     PM_THUNK { PM_THIS->memberFxn(static_cast<NMHDR*>(c_.pExtra), c_.pResult); return TRUE; }},

#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn)                                                         \
    {WM_NOTIFY + WM_REFLECT_BASE, (UINT)(WORD)(wNotifyCode), 0, 0, AfxEntry::Command, nullptr,              \
     PM_THUNK { return PM_THIS->memberFxn(static_cast<NMHDR*>(c_.pExtra), c_.pResult); }},

#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn)                                                           \
    {WM_COMMAND + WM_REFLECT_BASE, (UINT)(WORD)(wNotifyCode), 0, 0, AfxEntry::Command, nullptr,             \
     PM_THUNK { PM_THIS->memberFxn(); return TRUE; }},

#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn)                                                        \
    {WM_COMMAND + WM_REFLECT_BASE, (UINT)(WORD)(wNotifyCode), 0, 0, AfxEntry::Command, nullptr,             \
     PM_THUNK { return PM_THIS->memberFxn(); }},

// Matches every reflected WM_CTLCOLOR* message.
#define ON_WM_CTLCOLOR_REFLECT()                                                                             \
    {WM_CTLCOLOR + WM_REFLECT_BASE, 0, 0, 0, AfxEntry::Message, nullptr,                              \
     PM_THUNK {                                                                                              \
         auto* p_ = reinterpret_cast<pm::afx::CtlColorParams*>(c_.lParam);                                        \
         PM_RESULT(PM_THIS->CtlColor(p_->pDC, p_->nCtlType));                                                \
         return TRUE;                                                                                        \
     }},

#define ON_WM_DRAWITEM_REFLECT()                                                                             \
    {WM_DRAWITEM + WM_REFLECT_BASE, 0, 0, 0, AfxEntry::Message, nullptr,                                    \
     PM_THUNK { PM_THIS->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(c_.lParam)); return TRUE; }},

#define ON_WM_MEASUREITEM_REFLECT()                                                                          \
    {WM_MEASUREITEM + WM_REFLECT_BASE, 0, 0, 0, AfxEntry::Message, nullptr,                                 \
     PM_THUNK { PM_THIS->MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(c_.lParam)); return TRUE; }},

#define ON_WM_COMPAREITEM_REFLECT()                                                                          \
    {WM_COMPAREITEM + WM_REFLECT_BASE, 0, 0, 0, AfxEntry::Message, nullptr,                                 \
     PM_THUNK { PM_RESULT(PM_THIS->CompareItem(reinterpret_cast<LPCOMPAREITEMSTRUCT>(c_.lParam))); return TRUE; }},

#define ON_WM_DELETEITEM_REFLECT()                                                                           \
    {WM_DELETEITEM + WM_REFLECT_BASE, 0, 0, 0, AfxEntry::Message, nullptr,                                  \
     PM_THUNK { PM_THIS->DeleteItem(reinterpret_cast<LPDELETEITEMSTRUCT>(c_.lParam)); return TRUE; }},

#define ON_WM_HSCROLL_REFLECT()                                                                              \
    {WM_HSCROLL + WM_REFLECT_BASE, 0, 0, 0, AfxEntry::Message, nullptr,                                     \
     PM_THUNK { PM_THIS->HScroll(LOWORD(c_.wParam), (short)HIWORD(c_.wParam)); return TRUE; }},

#define ON_WM_VSCROLL_REFLECT()                                                                              \
    {WM_VSCROLL + WM_REFLECT_BASE, 0, 0, 0, AfxEntry::Message, nullptr,                                     \
     PM_THUNK { PM_THIS->VScroll(LOWORD(c_.wParam), (short)HIWORD(c_.wParam)); return TRUE; }},

// What OnCmdMsg receives as pExtra for a WM_NOTIFY notification.
struct AFX_NOTIFY {
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

namespace pm::afx {
// Used by the update entries: a handler that calls ContinueRouting declines the update.
void beginUpdate(CCmdUI* pCmdUI);
BOOL endUpdate(CCmdUI* pCmdUI);

struct CtlColorParams {
    CDC* pDC;
    UINT nCtlType;
};
} // namespace pm::afx

#include "platform/framework/afxmsg_wm.h"
// clang-format on
