// Message-map look-up for commands, and the wait cursor.

#include "platform/framework/CCmdTarget.h"

#include "platform/framework/afxres.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, AfxEntry::End, nullptr, nullptr}};
    static const AFX_MSGMAP map = {nullptr, &entries[0]};
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const {
    return GetThisMessageMap();
}

IDispatch* CCmdTarget::GetIDispatch(BOOL) {
    return nullptr;
}

const AFX_DISPMAP* CCmdTarget::GetThisDispatchMap() {
    static const AFX_DISPMAP_ENTRY entries[] = {{nullptr, 0}};
    static const AFX_DISPMAP map = {nullptr, &entries[0]};
    return &map;
}

const AFX_DISPMAP* CCmdTarget::GetDispatchMap() const {
    return GetThisDispatchMap();
}

namespace {

bool matches(const AFX_MSGMAP_ENTRY& e, UINT nMsg, UINT nCode, UINT nID) {
    switch (e.kind) {
    case AfxEntry::Message:
        return e.nMessage == nMsg;
    case AfxEntry::Registered:
        return nMsg >= 0xC000 && *e.pnDynamic == nMsg;
    case AfxEntry::Command:
        return e.nMessage == nMsg && e.nCode == nCode && nID >= e.nID && nID <= e.nLastID;
    case AfxEntry::RuntimeCommand:
        return e.nMessage == nMsg && e.nCode == nCode && *e.pnDynamic != 0 && nID == *e.pnDynamic;
    case AfxEntry::End:
        return false;
    }
    return false;
}

} // namespace

const AFX_MSGMAP_ENTRY* CCmdTarget::FindEntry(const AFX_MSGMAP* pMap, UINT nMsg, UINT nCode, UINT nID,
                                              const AFX_MSGMAP_ENTRY* pAfter) {
    bool skipping = pAfter != nullptr;
    for (; pMap; pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = pMap->lpEntries; e->kind != AfxEntry::End; ++e) {
            if (skipping) {
                skipping = e != pAfter;
                continue;
            }
            if (matches(*e, nMsg, nCode, nID)) return e;
        }
    }
    return nullptr;
}

BOOL CCmdTarget::DispatchEntry(CCmdTarget* pTarget, const AFX_MSGMAP_ENTRY* pEntry, AFX_CALL& call) {
    return pEntry->pfn(pTarget, call);
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    UINT nMsg = WM_COMMAND;
    UINT code = static_cast<UINT>(nCode);
    if (code != CN_UPDATE_COMMAND_UI) {
        nMsg = HIWORD(code) ? HIWORD(code) : WM_COMMAND;
        code = LOWORD(code);
    }
    // An _EX handler may decline; then the next matching entry (in this class or a base) is tried.
    const AFX_MSGMAP_ENTRY* e = nullptr;
    while ((e = FindEntry(GetMessageMap(), nMsg, code, nID, e)) != nullptr) {
        if (pHandlerInfo) {
            pHandlerInfo->pTarget = this;
            pHandlerInfo->pEntry = e;
            return TRUE;
        }
        LRESULT ignored = 0;
        AFX_CALL call;
        call.nMessage = nMsg;
        call.nID = nID;
        call.nCode = static_cast<int>(code);
        call.pExtra = pExtra;
        if (nMsg == WM_NOTIFY || nMsg == WM_NOTIFY + WM_REFLECT_BASE) {
            auto* notify = static_cast<AFX_NOTIFY*>(pExtra);
            call.pExtra = notify ? notify->pNMHDR : nullptr;
            call.pResult = notify && notify->pResult ? notify->pResult : &ignored;
        } else {
            call.pResult = &ignored;
        }
        if (DispatchEntry(this, e, call)) return TRUE;
    }
    return FALSE;
}

// ---- Wait cursor ----

namespace {
int waitDepth = 0;
HCURSOR cursorBeforeWait = nullptr;
} // namespace

int pm::afx::waitCursorDepth() {
    return waitDepth;
}

void pm::afx::beginWaitCursor() {
    if (waitDepth++ == 0) cursorBeforeWait = SetCursor(LoadCursor(nullptr, IDC_WAIT));
}

void pm::afx::endWaitCursor() {
    if (waitDepth == 0) return;
    if (--waitDepth == 0) SetCursor(cursorBeforeWait ? cursorBeforeWait : LoadCursor(nullptr, IDC_ARROW));
}

void pm::afx::restoreWaitCursor() {
    if (waitDepth > 0) SetCursor(LoadCursor(nullptr, IDC_WAIT));
}

void CCmdTarget::BeginWaitCursor() {
    pm::afx::beginWaitCursor();
}

void CCmdTarget::EndWaitCursor() {
    pm::afx::endWaitCursor();
}

void CCmdTarget::RestoreWaitCursor() {
    pm::afx::restoreWaitCursor();
}

CWaitCursor::CWaitCursor() {
    pm::afx::beginWaitCursor();
}

CWaitCursor::~CWaitCursor() {
    pm::afx::endWaitCursor();
}

void CWaitCursor::Restore() {
    pm::afx::restoreWaitCursor();
}
