// COleDataObject: the formats a drag offers.

#include "platform/framework/COleDataObject.h"

#include <cstring>

BOOL COleDataObject::IsDataAvailable(UINT cfFormat) const {
    if (cfFormat == CF_TEXT) return m_bHasText;
    if (cfFormat == CF_HDROP) return !m_files.empty();
    return FALSE;
}

HGLOBAL COleDataObject::GetGlobalData(UINT cfFormat) const {
    if (cfFormat != CF_TEXT || !m_bHasText) return nullptr;
    size_t size = static_cast<size_t>(m_strText.GetLength()) + 1;
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, size);
    if (!block) return nullptr;
    if (void* bytes = ::GlobalLock(block)) {
        std::memcpy(bytes, static_cast<LPCSTR>(m_strText), size);
        ::GlobalUnlock(block);
    }
    return block;
}

void COleDataObject::SetText(const CString& text) {
    m_strText = text;
    m_bHasText = TRUE;
}

void COleDataObject::SetFiles(std::vector<CString> files) {
    m_files = std::move(files);
}

void COleDataObject::Release() {
    m_bHasText = FALSE;
    m_strText.Empty();
    m_files.clear();
}
