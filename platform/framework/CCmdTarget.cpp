// Message-map look-up for commands, and the wait cursor.

#include "platform/framework/CCmdTarget.h"

#include "platform/framework/afxres.h"

#include <cstddef>
#include <cstdint>

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

// Look-ups that found no entry, by map and message: most messages a window gets have no handler,
// and the maps of a class and its bases are walked whole to learn it. Maps never change, so an
// answer holds unless an entry's message number is set at run time (registered messages and
// runtime command ids): those look-ups are never kept.
struct Unhandled {
    const AFX_MSGMAP* map = nullptr;
    UINT msg = 0;
    UINT code = 0;
    UINT id = 0;
};
constexpr std::size_t kUnhandledSlots = 256;
thread_local Unhandled t_unhandled[kUnhandledSlots];

Unhandled& unhandledSlot(const AFX_MSGMAP* map, UINT msg, UINT code, UINT id) {
    const std::size_t h = (reinterpret_cast<std::uintptr_t>(map) >> 4) ^ msg ^ (code << 7) ^ (id << 3);
    return t_unhandled[(h ^ (h >> 8)) % kUnhandledSlots];
}

// Whether the answer for nMsg could change as run-time numbers are set.
bool variesAtRunTime(const AFX_MSGMAP_ENTRY& e, UINT nMsg, UINT nCode) {
    return e.kind == AfxEntry::RuntimeCommand && e.nMessage == nMsg && e.nCode == nCode;
}

} // namespace

const AFX_MSGMAP_ENTRY* CCmdTarget::FindEntry(const AFX_MSGMAP* pMap, UINT nMsg, UINT nCode, UINT nID,
                                              const AFX_MSGMAP_ENTRY* pAfter) {
    Unhandled& known = unhandledSlot(pMap, nMsg, nCode, nID);
    const bool fromStart = pAfter == nullptr && pMap != nullptr;
    if (fromStart && known.map == pMap && known.msg == nMsg && known.code == nCode && known.id == nID)
        return nullptr;
    bool keep = fromStart && nMsg < 0xC000;
    bool skipping = pAfter != nullptr;
    for (const AFX_MSGMAP* map = pMap; map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->kind != AfxEntry::End; ++e) {
            if (skipping) {
                skipping = e != pAfter;
                continue;
            }
            if (matches(*e, nMsg, nCode, nID)) return e;
            if (variesAtRunTime(*e, nMsg, nCode)) keep = false;
        }
    }
    if (keep) known = Unhandled{pMap, nMsg, nCode, nID};
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
