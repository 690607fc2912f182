#pragma once
// COleDataSource: the data of a drag started here, and the drag itself (DoDragDrop): a modal loop
// with the mouse captured that tells the registered drop target under the pointer as the drag
// enters, moves over and leaves it, and drops there when the button is released.

#include "platform/framework/CCmdTarget.h"
#include "platform/framework/COleDataObject.h"
#include "platform/framework/CRect.h"

class COleDropSource;
class COleDropTarget;

class COleDataSource : public CCmdTarget {
    DECLARE_DYNAMIC(COleDataSource)
public:
    COleDataSource() = default;

    // Offers a global block of a format (CF_TEXT: text); the source takes it over.
    void CacheGlobalData(UINT cfFormat, HGLOBAL hGlobal);
    // Offers a list of files (CF_HDROP).
    void CacheFiles(std::vector<CString> files);
    void Empty();

    // The effect of the drop (DROPEFFECT_NONE when cancelled or nothing took it).
    DROPEFFECT DoDragDrop(DWORD dwEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK,
                          LPCRECT lpRectStartDrag = nullptr, COleDropSource* pDropSource = nullptr);

private:
    // Tells the targets of a pointer at pt (screen) what the drag does there; the effect.
    DROPEFFECT Over(COleDropTarget*& current, CPoint pt, DWORD keys, DWORD allowed);

    COleDataObject m_data;
};
