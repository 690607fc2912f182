#include "platform/win/res/resources.h"

#include "platform/win/gdi/gdi_private.h"
#include "platform/win/winbase.h"
#include "platform/win/wingdi.h"

#include <algorithm>
#include <cstdlib>
#include <map>

namespace pm::res {
namespace {

struct Store {
    std::map<UINT, std::string> strings;
    std::map<Name, MenuTemplate> menus;
    std::map<Name, std::vector<ACCEL>> accelerators;
    std::map<Name, DialogTemplate> dialogs;
    std::map<Name, ToolbarTemplate> toolbars;
    std::map<std::pair<int, Name>, Bytes> images;
    std::map<std::pair<Name, Name>, Bytes> data;
};

Store& store() {
    static Store s;
    return s;
}

template <class T> const T* find(const std::map<Name, T>& map, LPCSTR name) {
    if (!name) return nullptr;
    auto it = map.find(Name::from(name));
    if (it != map.end()) return &it->second;
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
}

bool loadImageBytes(HINSTANCE, LPCSTR name, UINT type, const BYTE** bytes, std::size_t* size) {
    ImageKind kind = type == IMAGE_ICON     ? ImageKind::Icon
                     : type == IMAGE_CURSOR ? ImageKind::Cursor
                                            : ImageKind::Bitmap;
    Bytes b = findImage(kind, name);
    if (!b.data) return false;
    *bytes = b.data;
    *size = b.size;
    return true;
}

void installImageLoader() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    gdi::setResourceImageLoader(loadImageBytes);
}

} // namespace

Name::Name(const char* text) : m_text(text ? text : "") {
    std::transform(m_text.begin(), m_text.end(), m_text.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    if (!m_text.empty() && m_text[0] == '#') { // "#123" names the id 123
        m_id = static_cast<WORD>(std::strtoul(m_text.c_str() + 1, nullptr, 10));
        m_text.clear();
    }
}

void addString(UINT id, std::string text) {
    store().strings[id] = std::move(text);
}

void addStrings(std::initializer_list<std::pair<UINT, const char*>> strings) {
    for (const auto& [id, text] : strings)
        addString(id, text ? text : "");
}

void addMenu(Name name, MenuTemplate menu) {
    store().menus[name] = std::move(menu);
}
void addAccelerators(Name name, std::vector<ACCEL> table) {
    store().accelerators[name] = std::move(table);
}
void addDialog(Name name, DialogTemplate dialog) {
    store().dialogs[name] = std::move(dialog);
}
void addToolbar(Name name, ToolbarTemplate toolbar) {
    store().toolbars[name] = std::move(toolbar);
}

void addImage(ImageKind kind, Name name, const unsigned char* data, std::size_t size) {
    installImageLoader();
    store().images[{static_cast<int>(kind), name}] = Bytes{data, size};
}

const std::string* findString(UINT id) {
    auto it = store().strings.find(id);
    return it == store().strings.end() ? nullptr : &it->second;
}

const MenuTemplate* findMenu(LPCSTR name) {
    return find(store().menus, name);
}
const std::vector<ACCEL>* findAccelerators(LPCSTR name) {
    return find(store().accelerators, name);
}
const DialogTemplate* findDialog(LPCSTR name) {
    return find(store().dialogs, name);
}
const ToolbarTemplate* findToolbar(LPCSTR name) {
    return find(store().toolbars, name);
}

Bytes findImage(ImageKind kind, LPCSTR name) {
    if (!name) return Bytes{};
    auto it = store().images.find({static_cast<int>(kind), Name::from(name)});
    return it == store().images.end() ? Bytes{} : it->second;
}

void addData(Name type, Name name, const unsigned char* data, std::size_t size) {
    store().data[{type, name}] = Bytes{data, size};
}

namespace {

// The device-independent bitmap inside a BMP file: what follows its 14-byte file header.
Bytes dibOfBitmapFile(Bytes file) {
    constexpr std::size_t kFileHeader = 14;
    if (file.size <= kFileHeader || file.data[0] != 'B' || file.data[1] != 'M') return Bytes{};
    return Bytes{file.data + kFileHeader, file.size - kFileHeader};
}

} // namespace

Bytes findData(LPCSTR type, LPCSTR name) {
    if (!type || !name) return Bytes{};
    if (IS_INTRESOURCE(type) && type == RT_BITMAP) return dibOfBitmapFile(findImage(ImageKind::Bitmap, name));
    auto it = store().data.find({Name::from(type), Name::from(name)});
    return it == store().data.end() ? Bytes{} : it->second;
}

} // namespace pm::res

int LoadString(HINSTANCE, UINT id, LPSTR buffer, int bufferMax) {
    const std::string* s = pm::res::findString(id);
    if (!buffer) return 0;
    if (bufferMax == 0) { // the caller gets a pointer to the read-only text
        *reinterpret_cast<const char**>(buffer) = s ? s->c_str() : nullptr;
        return s ? static_cast<int>(s->size()) : 0;
    }
    if (!s) {
        buffer[0] = 0;
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return 0;
    }
    int n = std::min(static_cast<int>(s->size()), bufferMax - 1);
    std::copy(s->begin(), s->begin() + n, buffer);
    buffer[n] = 0;
    return n;
}

// A found resource is a block of bytes kept for the process, so its handle is the block's record.
namespace {

struct FoundResource {
    pm::res::Bytes bytes;
};

const FoundResource* foundOf(HRSRC resource) {
    return reinterpret_cast<const FoundResource*>(resource);
}

} // namespace

HRSRC FindResourceA(HMODULE, LPCSTR name, LPCSTR type) {
    pm::res::Bytes bytes = pm::res::findData(type, name);
    if (!bytes.data) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    // One record per block, so that finding a resource again gives the same handle.
    static std::map<const unsigned char*, FoundResource> found;
    FoundResource& record = found[bytes.data];
    record.bytes = bytes;
    return reinterpret_cast<HRSRC>(&record);
}

HGLOBAL LoadResource(HMODULE, HRSRC resource) {
    if (!resource) return nullptr;
    return const_cast<unsigned char*>(foundOf(resource)->bytes.data);
}

LPVOID LockResource(HGLOBAL data) {
    return data;
}

DWORD SizeofResource(HMODULE, HRSRC resource) {
    return resource ? static_cast<DWORD>(foundOf(resource)->bytes.size) : 0;
}

BOOL FreeResource(HGLOBAL) {
    return FALSE;
}
