#include "scripting/ScriptViewImages.h"

#include "editor/HHAssistResources.h"
#include "platform/win/res/resources.h"

#include <cstdint>
#include <vector>

namespace {

using Pixel = std::uint32_t; // 0xRRGGBB

constexpr int kSize = 16;
constexpr Pixel kFace = 0xC0C0C0;
constexpr Pixel kInk = 0x000000;
constexpr Pixel kPaper = 0xFFFFFF;
constexpr Pixel kText = 0x000080;
constexpr Pixel kRule = 0x808080;

// An X of two strokes two pixels wide.
Pixel closePixel(int x, int y) {
    if (x < 4 || x > 12 || y < 4 || y > 11) return kFace;
    const bool down = x - y == 0 || x - y == 1;
    const bool up = x + y == 15 || x + y == 16;
    return down || up ? kInk : kFace;
}

// A sheet of code: a framed page whose rows hold text lines ('t') or procedure separators ('-').
// rows[i] describes page row 3 + i.
Pixel sheetPixel(int x, int y, const char* rows) {
    if (x < 3 || x > 12 || y < 1 || y > 14) return kFace;
    if (x == 3 || x == 12 || y == 1 || y == 14) return kInk;
    const int row = y - 3;
    if (row < 0 || row > 9 || x < 5 || x > 10) return kPaper;
    switch (rows[row]) {
    case 't':
        return (x <= 6 + (row * 3) % 5) ? kText : kPaper;
    case '-':
        return kRule;
    default:
        return kPaper;
    }
}

// One procedure; an object's procedures with a separator; the whole module with several.
Pixel eventViewPixel(int x, int y) {
    return sheetPixel(x, y, "t.t.t.t.t.");
}
Pixel objectViewPixel(int x, int y) {
    return sheetPixel(x, y, "t.t.-.t.t.");
}
Pixel moduleViewPixel(int x, int y) {
    return sheetPixel(x, y, "t.-.t.-.t.");
}

} // namespace

void DeclareScriptViewImages() {
    static const bool declared = [] {
        static const std::vector<unsigned char> images[] = {
            hh::MakeBitmapFile(kSize, kSize, closePixel), hh::MakeBitmapFile(kSize, kSize, eventViewPixel),
            hh::MakeBitmapFile(kSize, kSize, objectViewPixel),
            hh::MakeBitmapFile(kSize, kSize, moduleViewPixel)};
        const int ids[] = {IDB_HHSV_CLOSE, IDB_HHSV_EVENT_VIEW, IDB_HHSV_OBJECT_VIEW, IDB_HHSV_MODULE_VIEW};
        for (int i = 0; i < 4; ++i)
            pm::res::addImage(pm::res::ImageKind::Bitmap, ids[i], images[i].data(), images[i].size());
        return true;
    }();
    (void)declared;
}
