// The cool tool bars' stored values and the tool-bar drag data, from arbitrary bytes: the stored
// buttons and custom-button places must either be refused or store back to what was read; the
// templates' settings are read with bounds; drag data is refused with the cursor where it was, or
// read up to a point inside the data. Never a crash, a hang or an unbounded allocation.

#include "docking/CDKCoolToolBar.h"
#include "docking/CoolToolBarProfile.h"
#include "docking/ToolBarDragData.h"
#include "platform/framework/CArchive.h"
#include "platform/framework/CFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

// A template that keeps a text and a number of its own.
class CFuzzTemplate : public CustomButtonTemplate {
public:
    CWnd* GetWindow() override { return nullptr; }
    BOOL Create(UINT, CDKCoolToolBar*, DWORD, DWORD, LPCSTR, LPCSTR) override { return FALSE; }
    CustomButtonTemplate* Attach(CDKCoolToolBar*) override { return nullptr; }
    void Detach() override {}
    void SetMode(CWnd*) override {}
    void Save(CArchive& ar) override { ar << m_text << m_number; }
    void Load(CArchive& ar) override { ar >> m_text >> m_number; }
    CString m_text;
    int m_number = 0;
};

template <class Read> bool readFrom(const uint8_t* data, size_t size, Read read) {
    CMemFile file(const_cast<BYTE*>(data), static_cast<UINT>(size));
    CArchive ar(&file, CArchive::load);
    return read(ar);
}

template <class Write> std::vector<BYTE> stored(Write write) {
    CMemFile file(1024);
    {
        CArchive ar(&file, CArchive::store);
        write(ar);
        ar.Close();
    }
    auto size = static_cast<size_t>(file.GetLength());
    BYTE* bytes = file.Detach();
    std::vector<BYTE> out(bytes, bytes + size);
    std::free(bytes);
    return out;
}

void checkButtons(const uint8_t* data, size_t size) {
    std::vector<docking::StoredButton> buttons;
    if (!readFrom(data, size, [&](CArchive& ar) { return docking::ReadButtonsSettings(ar, buttons); })) {
        if (!buttons.empty()) std::abort();
        return;
    }
    std::vector<BYTE> again = stored([&](CArchive& ar) { docking::WriteButtonsSettings(ar, buttons); });
    std::vector<docking::StoredButton> reread;
    if (!readFrom(again.data(), again.size(),
                  [&](CArchive& ar) { return docking::ReadButtonsSettings(ar, reread); }))
        std::abort();
    if (reread.size() != buttons.size()) std::abort();
    for (size_t i = 0; i < buttons.size(); ++i)
        if (reread[i].nID != buttons[i].nID || reread[i].nStyle != buttons[i].nStyle ||
            reread[i].strText != buttons[i].strText)
            std::abort();
}

void checkPositions(const uint8_t* data, size_t size) {
    std::vector<std::pair<int, int>> positions;
    if (!readFrom(data, size,
                  [&](CArchive& ar) { return docking::ReadCustomButtonsPositions(ar, positions); })) {
        if (!positions.empty()) std::abort();
        return;
    }
    for (const auto& p : positions)
        if (p.first < 0) std::abort();
    std::vector<BYTE> again =
        stored([&](CArchive& ar) { docking::WriteCustomButtonsPositions(ar, positions); });
    std::vector<std::pair<int, int>> reread;
    if (!readFrom(again.data(), again.size(),
                  [&](CArchive& ar) { return docking::ReadCustomButtonsPositions(ar, reread); }) ||
        reread != positions)
        std::abort();
}

void checkTemplates(const uint8_t* data, size_t size) {
    static CFuzzTemplate templates[2];
    static bool registered = [] {
        for (int i = 0; i < 2; ++i) {
            CustomButtonDescriptor d;
            d.pTemplate = &templates[i];
            d.nControlID = 100 + i;
            CDKCoolToolBar::RegisterCustomButtonTemplate(d);
        }
        return true;
    }();
    (void)registered;
    readFrom(data, size, [](CArchive& ar) { return CDKCoolToolBar::LoadTemplateSettings(ar); });
}

void checkDragData(const uint8_t* data, size_t size) {
    const BYTE* start = data;
    const BYTE* cursor = start;
    std::vector<docking::DraggedItem> items;
    if (!docking::ReadDraggedItems(cursor, start + size, items)) {
        if (cursor != start || !items.empty()) std::abort();
        return;
    }
    if (cursor <= start || cursor > start + size || items.empty()) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    checkButtons(data, size);
    checkPositions(data, size);
    checkTemplates(data, size);
    checkDragData(data, size);
    return 0;
}
