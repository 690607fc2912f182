#pragma once
// CCmdTarget: an object that receives commands through its message map, and the wait cursor.

#include "platform/framework/CObject.h"
#include "platform/framework/afxdisp.h"
#include "platform/framework/afxmsg.h"
#include "platform/win/wingdi.h"

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;

    // Looks the command (or update request, or control notification) up in this object's map and its
    // bases'; calls the handler and returns TRUE when one takes it. With pHandlerInfo the handler is
    // only found, not called. nCode is CN_COMMAND, CN_UPDATE_COMMAND_UI, or MAKELONG(code, message)
    // for WM_COMMAND and WM_NOTIFY notifications.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    // Shows the wait cursor until the matching EndWaitCursor; nests.
    void BeginWaitCursor();
    void EndWaitCursor();
    // Shows the wait cursor again when something else replaced it.
    void RestoreWaitCursor();

    // Finds the map entry for a message; nullptr when none. For WM_COMMAND and WM_NOTIFY the code
    // and id are matched as well.
    static const AFX_MSGMAP_ENTRY* FindEntry(const AFX_MSGMAP* pMap, UINT nMsg, UINT nCode, UINT nID,
                                             const AFX_MSGMAP_ENTRY* pAfter = nullptr);

    // The object's automation interface, with a reference added when asked; null for an object
    // that is no automation object (the base).
    virtual IDispatch* GetIDispatch(BOOL bAddRef);
    // The head of the object's dispatch-map chain (the base's map is empty and ends the chain).
    virtual const AFX_DISPMAP* GetDispatchMap() const;
    static const AFX_DISPMAP* GetThisDispatchMap();

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

    // Calls the entry's handler; FALSE when an _EX handler declined.
    static BOOL DispatchEntry(CCmdTarget* pTarget, const AFX_MSGMAP_ENTRY* pEntry, AFX_CALL& call);
};

// Shows the wait cursor for its lifetime.
class CWaitCursor {
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
    void Restore();
};

namespace pm::afx {
// The nesting depth of the wait cursor (0: none shown).
int waitCursorDepth();
void beginWaitCursor();
void endWaitCursor();
void restoreWaitCursor();
} // namespace pm::afx
