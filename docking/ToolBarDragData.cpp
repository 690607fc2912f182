// The tool-bar drag data: read into a tree first, with bounds, so damaged data builds nothing.

#include "docking/ToolBarDragData.h"

#include <cstring>

namespace docking {

namespace {

class Reader {
public:
    Reader(const BYTE* pCursor, const BYTE* pEnd) : m_p(pCursor), m_end(pEnd) {}
    const BYTE* Position() const { return m_p; }

    bool Int(int& value) {
        if (m_end - m_p < 4) return false;
        value = static_cast<int>(static_cast<DWORD>(m_p[0]) | static_cast<DWORD>(m_p[1]) << 8 |
                                 static_cast<DWORD>(m_p[2]) << 16 | static_cast<DWORD>(m_p[3]) << 24);
        m_p += 4;
        return true;
    }
    bool Text(CString& text) {
        const void* end = std::memchr(m_p, 0, static_cast<size_t>(m_end - m_p));
        if (!end) return false;
        text = CString(reinterpret_cast<const char*>(m_p));
        m_p = static_cast<const BYTE*>(end) + 1;
        return true;
    }
    bool Skip(int count) {
        if (m_end - m_p < count) return false;
        m_p += count;
        return true;
    }
    // One level; the items read so far count against the bound.
    bool Level(std::vector<DraggedItem>& items, int depth, int& total) {
        if (depth > kMaxDraggedDepth) return false;
        for (;;) {
            DraggedItem item;
            int code = 0;
            if (++total > kMaxDraggedItems || !Int(item.nID) || !Text(item.strText) || !Skip(5) || !Int(code))
                return false;
            if (item.nID == -1 && code != 0 && !Level(item.children, depth + 1, total)) return false;
            items.push_back(std::move(item));
            if (code == 0 || code == 2) return true;
        }
    }

private:
    const BYTE* m_p;
    const BYTE* m_end;
};

} // namespace

bool ReadDraggedItems(const BYTE*& pCursor, const BYTE* pEnd, std::vector<DraggedItem>& items) {
    items.clear();
    if (!pCursor || pEnd < pCursor) return false;
    Reader reader(pCursor, pEnd);
    int total = 0;
    if (!reader.Level(items, 0, total)) {
        items.clear();
        return false;
    }
    pCursor = reader.Position();
    return true;
}

void InsertDraggedItems(HMENU hMenu, int nPosition, const std::vector<DraggedItem>& items,
                        const std::function<void(HMENU)>& keepPopup) {
    UINT position = static_cast<UINT>(nPosition);
    for (const DraggedItem& item : items) {
        if (item.nID == -1) {
            HMENU popup = ::CreatePopupMenu();
            keepPopup(popup);
            ::InsertMenuA(hMenu, position, MF_BYPOSITION | MF_POPUP, reinterpret_cast<UINT_PTR>(popup),
                          item.strText);
            InsertDraggedItems(popup, 0, item.children, keepPopup);
        } else if (item.nID == 0) {
            ::InsertMenuA(hMenu, position, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
        } else {
            ::InsertMenuA(hMenu, position, MF_BYPOSITION | MF_STRING, static_cast<UINT>(item.nID),
                          item.strText);
        }
        ++position;
    }
}

} // namespace docking
