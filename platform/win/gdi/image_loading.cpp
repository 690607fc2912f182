// Loading icons, cursors and bitmaps: the stock pictures, program resources (through the loader the
// resource layer installs) and files. Icon and cursor files give the image nearest the size asked
// for, and cursor files their hot spot.
#include "platform/win/gdi/device_context.h"
#include "platform/win/gdi/gdi_private.h"
#include "platform/win/gdi/icons.h"
#include "platform/win/gdi/image_store.h"
#include "platform/win/gdi/objects.h"
#include "platform/win/gdi/stock_images.h"
#include "platform/win/qtapp.h"
#include "platform/win/file_contents.h"

#include <QBuffer>
#include <QImageReader>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <tuple>

namespace pm::gdi {

namespace {

ResourceImageLoader g_loader = nullptr;

// Files larger than this are not pictures the programs load.
constexpr qint64 kMaxFileBytes = 64 << 20;
constexpr int kMaxImages = 64;
constexpr QRgb kBlack = 0xFF000000u;

struct Picture {
    QImage image;
    QPoint hotspot;
};

int u16(const QByteArray& b, int at) {
    return static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8;
}

qint64 s32(const QByteArray& b, int at) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(u16(b, at)) |
                                     static_cast<std::uint32_t>(u16(b, at + 2)) << 16);
}

// An uncompressed BMP whose file ends before its last row (a cut file) gets the missing bytes as
// zeros, so that its missing rows (the top ones: a BMP is stored bottom up) show in colour 0 of its
// palette, or black, and never as whatever memory held: the reader leaves them unset.
QByteArray withWholeRows(const QByteArray& bytes) {
    if (!bytes.startsWith("BM") || bytes.size() < 26) return bytes;
    const qint64 header = s32(bytes, 14);
    const bool core = header == 12;
    if (!core && (header < 40 || bytes.size() < 54)) return bytes;
    const qint64 width = core ? u16(bytes, 18) : s32(bytes, 18);
    const qint64 height = std::abs(core ? u16(bytes, 20) : s32(bytes, 22));
    const qint64 bits = u16(bytes, core ? 24 : 28);
    const qint64 compression = core ? 0 : s32(bytes, 30);
    if ((compression != BI_RGB && compression != BI_BITFIELDS) || width <= 0 || bits <= 0 || bits > 32)
        return bytes;
    const qint64 need = s32(bytes, 10) + (width * bits + 31) / 32 * 4 * height;
    if (need <= bytes.size() || need > kMaxFileBytes) return bytes;
    return bytes + QByteArray(static_cast<qsizetype>(need - bytes.size()), '\0');
}

// The hot spot of image `index` of a cursor file (a 6-byte header, then 16-byte entries), or (0,0).
QPoint cursorHotspot(const QByteArray& bytes, int index) {
    if (bytes.size() < 6 || u16(bytes, 0) != 0 || u16(bytes, 2) != 2) return QPoint();
    int entry = 6 + 16 * index;
    if (index >= u16(bytes, 4) || entry + 16 > bytes.size()) return QPoint();
    return QPoint(u16(bytes, entry + 4), u16(bytes, entry + 6));
}

// The format of a picture Qt reads itself, known by its first bytes; empty for any other. A reader
// that finds the format on its own asks every image plugin first, loading each one to ask it.
QByteArray builtInFormat(const QByteArray& bytes) {
    if (bytes.startsWith("\x89PNG\r\n\x1a\n")) return "png";
    if (bytes.startsWith("BM")) return "bmp";
    return QByteArray();
}

// The picture in `bytes` of size `want`, or the first one when none has that size (or want is
// not valid).
Picture decodePicture(const QByteArray& bytes, QSize want) {
    QBuffer buffer;
    buffer.setData(withWholeRows(bytes));
    buffer.open(QIODevice::ReadOnly);
    QByteArray format = builtInFormat(bytes);
    QImageReader reader(&buffer, format);
    reader.setAutoDetectImageFormat(format.isEmpty());
    int count = std::clamp(reader.imageCount(), 1, kMaxImages);
    Picture best;
    int bestIndex = 0;
    for (int i = 0; i < count; ++i) {
        if (i > 0 && !reader.jumpToImage(i)) break;
        QImage img = reader.read();
        if (img.isNull()) continue;
        if (best.image.isNull() || (want.isValid() && img.size() == want)) {
            best.image = img;
            bestIndex = i;
        }
        if (!want.isValid() || img.size() == want) break;
    }
    best.hotspot = cursorHotspot(bytes, bestIndex);
    return best;
}

bool readFile(LPCSTR path, QByteArray* bytes) {
    const pm::sys::FileRead file = pm::sys::readFileContents(path, static_cast<std::size_t>(kMaxFileBytes));
    if (!file || file.cut) return false;
    *bytes = QByteArray(file.bytes.data(), static_cast<qsizetype>(file.bytes.size()));
    return true;
}

bool loadBytes(HINSTANCE instance, LPCSTR name, UINT type, UINT flags, QByteArray* bytes) {
    if (!name) return false;
    if (flags & LR_LOADFROMFILE) return readFile(name, bytes);
    const BYTE* data = nullptr;
    std::size_t size = 0;
    if (!g_loader || !g_loader(instance, name, type, &data, &size)) return false;
    *bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    return true;
}

bool isStock(HINSTANCE instance, LPCSTR name, UINT flags) {
    return !instance && IS_INTRESOURCE(name) && !(flags & LR_LOADFROMFILE);
}

// A stock picture, a resource or a file, as an icon or cursor picture near `want`.
Picture loadPicture(HINSTANCE instance, LPCSTR name, UINT type, UINT flags, QSize want) {
    Picture p;
    if (isStock(instance, name, flags)) {
        int id = static_cast<int>(reinterpret_cast<std::uintptr_t>(name));
        if (type == IMAGE_CURSOR)
            stockCursorImage(id, &p.image, &p.hotspot);
        else
            stockIconImage(id, &p.image);
        return p;
    }
    QByteArray bytes;
    if (!loadBytes(instance, name, type, flags, &bytes)) return p;
    return decodePicture(bytes, want);
}

QSize systemSize(UINT type) {
    return type == IMAGE_CURSOR ? QSize(GetSystemMetrics(SM_CXCURSOR), GetSystemMetrics(SM_CYCURSOR))
                                : QSize(GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON));
}

// A stock cursor or icon, or one of a program's resources; shared and kept for the process.
HICON loadShared(HINSTANCE instance, LPCSTR name, UINT type) {
    ensureQtApplication();
    using Key = std::tuple<HINSTANCE, std::string, UINT>;
    static std::map<Key, HICON> loaded;
    if (!name) return nullptr;
    Key key{instance,
            IS_INTRESOURCE(name) ? "#" + std::to_string(reinterpret_cast<std::uintptr_t>(name)) : name, type};
    auto it = loaded.find(key);
    if (it != loaded.end() && objectAs<Icon>(it->second)) return it->second;
    Picture p = loadPicture(instance, name, type, 0, systemSize(type));
    if (p.image.isNull()) return nullptr;
    HICON icon = addIcon(p.image, p.hotspot, type == IMAGE_ICON, true);
    loaded[key] = icon;
    return icon;
}

// LR_LOADMAP3DCOLORS: the classic greys of a bitmap become the current 3-D colours.
void map3DColors(QImage& img) {
    const std::pair<QRgb, int> map[] = {{qRgb(128, 128, 128), COLOR_3DSHADOW},
                                        {qRgb(192, 192, 192), COLOR_3DFACE},
                                        {qRgb(223, 223, 223), COLOR_3DLIGHT}};
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            for (const auto& [from, index] : map)
                if ((line[x] | kBlack) == from) line[x] = toRgb(GetSysColor(index));
    }
}

// LR_LOADTRANSPARENT: pixels of the first pixel's colour take the window colour.
void mapTransparent(QImage& img) {
    QRgb key = img.pixel(0, 0) | kBlack;
    QRgb window = toRgb(GetSysColor(COLOR_WINDOW));
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            if ((line[x] | kBlack) == key) line[x] = window;
    }
}

HBITMAP loadBitmap(HINSTANCE instance, LPCSTR name, UINT flags) {
    QByteArray bytes;
    if (!loadBytes(instance, name, IMAGE_BITMAP, flags, &bytes)) return nullptr;
    QImage img = decodePicture(bytes, QSize()).image.convertToFormat(QImage::Format_RGB32);
    if (img.isNull()) return nullptr;
    if (flags & LR_LOADTRANSPARENT) mapTransparent(img);
    if (flags & LR_LOADMAP3DCOLORS) map3DColors(img);
    return createBitmapFromImage(img);
}

} // namespace

void setResourceImageLoader(ResourceImageLoader loader) {
    g_loader = loader;
}

} // namespace pm::gdi

using namespace pm::gdi;

HICON LoadIconA(HINSTANCE instance, LPCSTR name) {
    return loadShared(instance, name, IMAGE_ICON);
}

HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name) {
    return loadShared(instance, name, IMAGE_CURSOR);
}

HBITMAP LoadBitmapA(HINSTANCE instance, LPCSTR name) {
    return loadBitmap(instance, name, 0);
}

HBITMAP LoadPictureFromMemory(const void* bytes, size_t length) {
    if (bytes == nullptr || length == 0 || length > static_cast<size_t>(kMaxFileBytes)) return nullptr;
    pm::ensureQtApplication();
    QByteArray data = withWholeRows(QByteArray(static_cast<const char*>(bytes), static_cast<int>(length)));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    static const QList<QByteArray> kPictureFormats = {"bmp", "jpeg", "gif", "ico", "png"};
    if (!kPictureFormats.contains(reader.format())) return nullptr;
    QImage img = reader.read();
    if (img.isNull()) return nullptr;
    return createBitmapFromImage(img.convertToFormat(QImage::Format_RGB32));
}

HANDLE LoadImageA(HINSTANCE instance, LPCSTR name, UINT type, int cx, int cy, UINT flags) {
    if (type == IMAGE_BITMAP) return loadBitmap(instance, name, flags);
    if (type != IMAGE_ICON && type != IMAGE_CURSOR) return nullptr;
    bool fromFile = flags & LR_LOADFROMFILE;
    if (!fromFile && (flags & LR_SHARED || isStock(instance, name, flags)) && cx == 0 && cy == 0)
        return loadShared(instance, name, type);
    if (flags & LR_DEFAULTSIZE) {
        if (cx == 0) cx = systemSize(type).width();
        if (cy == 0) cy = systemSize(type).height();
    }
    QSize want = cx > 0 && cy > 0 ? QSize(cx, cy) : QSize();
    pm::ensureQtApplication();
    Picture p = loadPicture(instance, name, type, flags, want);
    if (p.image.isNull()) return nullptr;
    if (want.isValid() && p.image.size() != want) {
        p.hotspot = QPoint(p.hotspot.x() * cx / p.image.width(), p.hotspot.y() * cy / p.image.height());
        p.image = p.image.scaled(want, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    }
    return addIcon(p.image, p.hotspot, type == IMAGE_ICON, false);
}
