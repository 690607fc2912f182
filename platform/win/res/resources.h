#pragma once
// The program's resources: string tables, menus, accelerator tables, dialog templates, tool-bar
// layouts and the encoded bytes of bitmaps, icons and cursors. Each program declares its own in
// C++ files of its folder (usually from a static Registrar) with the ids it uses; LoadString,
// LoadMenu, LoadAccelerators, LoadBitmap, DialogBox ... find them here. One program is one module,
// so instance handles are not used to tell resources apart. A file that only registers must be
// linked into the executable itself (or be reached from main): the linker leaves out an object of a
// static library that nothing refers to.

#include "platform/win/winuser.h"

#include <cstddef>
#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace pm::res {

// A resource's name: a 16-bit id or a text (compared without regard to case), as Win32 names are.
class Name {
public:
    Name(int id) : m_id(static_cast<WORD>(id)) {}
    Name(const char* text);
    static Name from(LPCSTR name) {
        return IS_INTRESOURCE(name) ? Name(LOWORD(reinterpret_cast<ULONG_PTR>(name))) : Name(name);
    }
    bool isId() const { return m_text.empty(); }
    WORD id() const { return m_id; }
    const std::string& text() const { return m_text; } // lower-cased
    bool operator<(const Name& o) const { return m_text != o.m_text ? m_text < o.m_text : m_id < o.m_id; }
    bool operator==(const Name& o) const { return m_text == o.m_text && m_id == o.m_id; }

private:
    WORD m_id = 0;
    std::string m_text;
};

// A menu item; a popup has items of its own. flags are MF_ values (MF_POPUP, MF_SEPARATOR,
// MF_GRAYED, MF_CHECKED, MF_MENUBARBREAK ...); text keeps '&' prefixes and "\t" accelerator texts.
struct MenuItem {
    std::string text;
    UINT id = 0;
    UINT flags = 0;
    std::vector<MenuItem> items;
};

struct MenuTemplate {
    std::vector<MenuItem> items;
};

// A control of a dialog template, in dialog units. windowClass is a class name ("BUTTON",
// "EDIT", "STATIC", "LISTBOX", "SCROLLBAR", "COMBOBOX" or any registered class).
struct DialogItem {
    std::string windowClass;
    std::string text;
    WORD id = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    DWORD style = 0;
    DWORD exStyle = 0;
};

struct DialogTemplate {
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    std::string caption;
    std::string menu;
    std::string windowClass;
    std::string fontName; // with DS_SETFONT
    WORD pointSize = 0;
    std::vector<DialogItem> items;
};

// A tool-bar layout: button size and the command ids of the buttons (0 for a separator).
struct ToolbarTemplate {
    WORD width = 16;
    WORD height = 15;
    std::vector<UINT> ids;
};

enum class ImageKind { Bitmap, Icon, Cursor };

struct Bytes {
    const unsigned char* data = nullptr;
    std::size_t size = 0;
};

void addString(UINT id, std::string text);
void addStrings(std::initializer_list<std::pair<UINT, const char*>> strings);
void addMenu(Name name, MenuTemplate menu);
void addAccelerators(Name name, std::vector<ACCEL> table);
void addDialog(Name name, DialogTemplate dialog);
void addToolbar(Name name, ToolbarTemplate toolbar);
// The bytes (BMP, PNG, ICO or CUR) are not copied: they live as long as the program.
void addImage(ImageKind kind, Name name, const unsigned char* data, std::size_t size);
// Bytes of a resource type of the program's own ("pcx" ...), found with FindResource; not copied.
void addData(Name type, Name name, const unsigned char* data, std::size_t size);

const std::string* findString(UINT id);
const MenuTemplate* findMenu(LPCSTR name);
const std::vector<ACCEL>* findAccelerators(LPCSTR name);
const DialogTemplate* findDialog(LPCSTR name);
const ToolbarTemplate* findToolbar(LPCSTR name);
Bytes findImage(ImageKind kind, LPCSTR name);
// The bytes FindResource gives for name of type (see winuser.h), empty when there are none.
Bytes findData(LPCSTR type, LPCSTR name);

// Runs a declaration function once, before main: `static pm::res::Registrar r([] { ... });`.
struct Registrar {
    explicit Registrar(const std::function<void()>& declare) { declare(); }
};

} // namespace pm::res
