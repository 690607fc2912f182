// The standard binary dialog template, as programs build it in memory for DialogBoxIndirect and
// CreateDialogIndirect.

#include "platform/win/dialogs/dialog_template.h"

#include "platform/win/utf8.h"

#include <cstring>

namespace pm::dialogs {
namespace {

constexpr int kMaxItems = 1024;

class Reader {
public:
    explicit Reader(const void* p) : m_p(static_cast<const unsigned char*>(p)) {}
    WORD word() {
        WORD w;
        std::memcpy(&w, m_p, sizeof w);
        m_p += sizeof w;
        return w;
    }
    DWORD dword() {
        DWORD d;
        std::memcpy(&d, m_p, sizeof d);
        m_p += sizeof d;
        return d;
    }
    std::string text() {
        std::u16string s;
        for (WORD w = word(); w; w = word())
            s.push_back(static_cast<char16_t>(w));
        return utf8::fromUtf16(s);
    }
    // A menu, class or caption field: empty, an ordinal, or text.
    std::string field(WORD* ordinal) {
        *ordinal = 0;
        WORD first = word();
        if (first == 0) return {};
        if (first == 0xFFFF) {
            *ordinal = word();
            return {};
        }
        m_p -= sizeof(WORD);
        return text();
    }
    void alignDword() {
        auto offset = reinterpret_cast<std::uintptr_t>(m_p) & 3;
        if (offset) m_p += 4 - offset;
    }
    void skip(std::size_t n) { m_p += n; }

private:
    const unsigned char* m_p;
};

// The predefined classes' ordinals in item templates.
std::string classFromOrdinal(WORD ordinal) {
    switch (ordinal) {
    case 0x0080:
        return "BUTTON";
    case 0x0081:
        return "EDIT";
    case 0x0082:
        return "STATIC";
    case 0x0083:
        return "LISTBOX";
    case 0x0084:
        return "SCROLLBAR";
    case 0x0085:
        return "COMBOBOX";
    default:
        return {};
    }
}

} // namespace

bool parseTemplate(LPCDLGTEMPLATEA source, res::DialogTemplate* out) {
    if (!source) return false;
    Reader r(source);
    out->style = r.dword();
    if (HIWORD(out->style) == 0xFFFF) return false; // the extended form is not read
    out->exStyle = r.dword();
    WORD count = r.word();
    if (count > kMaxItems) return false;
    out->x = static_cast<short>(r.word());
    out->y = static_cast<short>(r.word());
    out->cx = static_cast<short>(r.word());
    out->cy = static_cast<short>(r.word());
    WORD ordinal = 0;
    out->menu = r.field(&ordinal);
    if (ordinal) out->menu = "#" + std::to_string(ordinal);
    out->windowClass = r.field(&ordinal);
    out->caption = r.text();
    if (out->style & DS_SETFONT) {
        out->pointSize = r.word();
        out->fontName = r.text();
    }
    for (WORD i = 0; i < count; ++i) {
        r.alignDword();
        res::DialogItem item;
        item.style = r.dword();
        item.exStyle = r.dword();
        item.x = static_cast<short>(r.word());
        item.y = static_cast<short>(r.word());
        item.cx = static_cast<short>(r.word());
        item.cy = static_cast<short>(r.word());
        item.id = r.word();
        item.windowClass = r.field(&ordinal);
        if (ordinal) item.windowClass = classFromOrdinal(ordinal);
        item.text = r.field(&ordinal);
        r.skip(r.word());
        out->items.push_back(std::move(item));
    }
    return true;
}

} // namespace pm::dialogs
