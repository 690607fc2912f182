// 3-D edges, frame controls, focus rectangles, DrawState, icons and cursors; and a picture of
// text in the substituted fonts with the frame controls, written for review.
#include "platform/win/gdi/icons.h"
#include "platform/win/gdi/tests/gdi_canvas.h"

#include "platform/win/res/resources.h"

#include <QBuffer>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

COLORREF sys(int index) {
    return GetSysColor(index);
}

TEST(DrawEdge, RaisedAndSunkenRingsInTheClassicColours) {
    struct Case {
        const char* name;
        UINT edge;
        COLORREF outerTopLeft, outerBottomRight, innerTopLeft, innerBottomRight;
    } cases[] = {
        {"raised", EDGE_RAISED, sys(COLOR_3DLIGHT), sys(COLOR_3DDKSHADOW), sys(COLOR_3DHIGHLIGHT),
         sys(COLOR_3DSHADOW)},
        {"sunken", EDGE_SUNKEN, sys(COLOR_3DSHADOW), sys(COLOR_3DHIGHLIGHT), sys(COLOR_3DDKSHADOW),
         sys(COLOR_3DLIGHT)},
        {"etched", EDGE_ETCHED, sys(COLOR_3DSHADOW), sys(COLOR_3DHIGHLIGHT), sys(COLOR_3DHIGHLIGHT),
         sys(COLOR_3DSHADOW)},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        GdiCanvas c(12, 12, RGB(1, 2, 3));
        RECT r{1, 1, 11, 11};
        EXPECT_TRUE(DrawEdge(c.dc(), &r, k.edge, BF_RECT | BF_ADJUST));
        EXPECT_TRUE(EqualRect(&r, &(const RECT&)RECT{3, 3, 9, 9}));
        EXPECT_EQ(k.outerTopLeft, c.at(1, 1));
        EXPECT_EQ(k.outerTopLeft, c.at(9, 1));
        EXPECT_EQ(k.outerBottomRight, c.at(10, 1)); // the right side owns the top right corner
        EXPECT_EQ(k.outerBottomRight, c.at(1, 10));
        EXPECT_EQ(k.innerTopLeft, c.at(2, 2));
        EXPECT_EQ(k.innerBottomRight, c.at(9, 9));
        EXPECT_EQ(RGB(1, 2, 3), c.at(5, 5));
        EXPECT_EQ(RGB(1, 2, 3), c.at(0, 0));
    }
}

TEST(DrawEdge, SidesMiddleAndFlat) {
    GdiCanvas c(10, 10, RGB(1, 2, 3));
    RECT r{0, 0, 10, 10};
    DrawEdge(c.dc(), &r, BDR_SUNKENOUTER, BF_BOTTOM | BF_MIDDLE);
    EXPECT_EQ(sys(COLOR_3DHIGHLIGHT), c.at(5, 9));
    EXPECT_EQ(sys(COLOR_3DFACE), c.at(0, 0));
    RECT f{0, 0, 10, 10};
    DrawEdge(c.dc(), &f, EDGE_SUNKEN, BF_RECT | BF_FLAT);
    EXPECT_EQ(sys(COLOR_3DSHADOW), c.at(9, 9));
    EXPECT_EQ(sys(COLOR_3DFACE), c.at(1, 1));
}

// Pixels of colour `ink` inside the rectangle.
int countIn(const GdiCanvas& c, RECT r, COLORREF ink) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            n += c.at(x, y) == ink;
    return n;
}

TEST(DrawFrameControl, CaptionButtonsAreRaisedFacesWithGlyphs) {
    struct Case {
        const char* name;
        UINT type, state;
        COLORREF corner;
    } cases[] = {
        {"close", DFC_CAPTION, DFCS_CAPTIONCLOSE, sys(COLOR_3DLIGHT)},
        {"minimise", DFC_CAPTION, DFCS_CAPTIONMIN, sys(COLOR_3DLIGHT)},
        {"maximise", DFC_CAPTION, DFCS_CAPTIONMAX, sys(COLOR_3DLIGHT)},
        {"restore", DFC_CAPTION, DFCS_CAPTIONRESTORE, sys(COLOR_3DLIGHT)},
        {"pushed close", DFC_CAPTION, DFCS_CAPTIONCLOSE | DFCS_PUSHED, sys(COLOR_3DSHADOW)},
        {"scroll down", DFC_SCROLL, DFCS_SCROLLDOWN, sys(COLOR_3DLIGHT)},
        {"scroll left", DFC_SCROLL, DFCS_SCROLLLEFT, sys(COLOR_3DLIGHT)},
        {"push button", DFC_BUTTON, DFCS_BUTTONPUSH, sys(COLOR_3DLIGHT)},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        GdiCanvas c(16, 14, RGB(1, 2, 3));
        RECT r{0, 0, 16, 14};
        EXPECT_TRUE(DrawFrameControl(c.dc(), &r, k.type, k.state));
        EXPECT_EQ(k.corner, c.at(0, 0));
        EXPECT_EQ(0, c.count(RGB(1, 2, 3)));
        RECT inside{3, 3, 13, 11};
        int glyph = countIn(c, inside, sys(COLOR_BTNTEXT));
        if (k.state & DFCS_BUTTONPUSH)
            EXPECT_EQ(0, glyph);
        else
            EXPECT_GT(glyph, 3);
    }
}

TEST(DrawFrameControl, InactiveGlyphsAreEmbossed) {
    GdiCanvas c(16, 14);
    RECT r{0, 0, 16, 14};
    DrawFrameControl(c.dc(), &r, DFC_CAPTION, DFCS_CAPTIONCLOSE | DFCS_INACTIVE);
    RECT inside{3, 3, 13, 11};
    EXPECT_EQ(0, countIn(c, inside, sys(COLOR_BTNTEXT)));
    EXPECT_GT(countIn(c, inside, sys(COLOR_3DSHADOW)), 3);
    EXPECT_GT(countIn(c, inside, sys(COLOR_3DHIGHLIGHT)), 3);
}

TEST(DrawFrameControl, CheckBoxesAndMenuGlyphs) {
    GdiCanvas c(13, 13, RGB(1, 2, 3));
    RECT r{0, 0, 13, 13};
    DrawFrameControl(c.dc(), &r, DFC_BUTTON, DFCS_BUTTONCHECK);
    EXPECT_EQ(sys(COLOR_3DSHADOW), c.at(0, 0));
    EXPECT_EQ(sys(COLOR_WINDOW), c.at(6, 6));
    DrawFrameControl(c.dc(), &r, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
    EXPECT_GT(countIn(c, RECT{2, 2, 11, 11}, sys(COLOR_WINDOWTEXT)), 5);
    // Menu glyphs are black on white masks.
    DrawFrameControl(c.dc(), &r, DFC_MENU, DFCS_MENUCHECK);
    EXPECT_EQ(RGB(255, 255, 255), c.at(0, 0));
    int black = c.count(RGB(0, 0, 0));
    EXPECT_GT(black, 5);
    EXPECT_EQ(13 * 13, black + c.count(RGB(255, 255, 255)));
    DrawFrameControl(c.dc(), &r, DFC_MENU, DFCS_MENUARROW);
    EXPECT_GT(c.count(RGB(0, 0, 0)), 5);
}

TEST(DrawFocusRect, DottedAndGoneWhenDrawnAgain) {
    GdiCanvas c(20, 20, sys(COLOR_BTNFACE));
    QImage before = c.image();
    RECT r{2, 2, 18, 12};
    DrawFocusRect(c.dc(), &r);
    EXPECT_NE(sys(COLOR_BTNFACE), c.at(2, 2));
    EXPECT_EQ(sys(COLOR_BTNFACE), c.at(3, 2));
    EXPECT_EQ(sys(COLOR_BTNFACE), c.at(5, 5));
    DrawFocusRect(c.dc(), &r);
    EXPECT_EQ(before, c.image());
}

TEST(DrawState, DisabledTextIsEmbossedAndMonoIsOneColour) {
    GdiCanvas c(80, 20, sys(COLOR_BTNFACE));
    HFONT f = CreateFont(-12, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, "MS Sans Serif");
    SelectObject(c.dc(), f);
    const char* text = "&Save";
    EXPECT_TRUE(DrawState(c.dc(), nullptr, nullptr, reinterpret_cast<LPARAM>(text), 0, 2, 2, 0, 0,
                          DST_PREFIXTEXT | DSS_DISABLED));
    EXPECT_EQ(0, c.count(RGB(0, 0, 0)));
    EXPECT_GT(c.count(sys(COLOR_3DSHADOW)), 10);
    EXPECT_GT(c.count(sys(COLOR_3DHIGHLIGHT)), 10);
    GdiCanvas m(80, 20);
    SelectObject(m.dc(), f);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    DrawState(m.dc(), red, nullptr, reinterpret_cast<LPARAM>(text), 0, 2, 2, 0, 0, DST_PREFIXTEXT | DSS_MONO);
    EXPECT_GT(m.count(RGB(255, 0, 0)), 10);
    EXPECT_EQ(80 * 20, m.count(RGB(255, 0, 0)) + m.count(RGB(255, 255, 255)));
    SelectObject(c.dc(), GetStockObject(SYSTEM_FONT));
    SelectObject(m.dc(), GetStockObject(SYSTEM_FONT));
    DeleteObject(red);
    DeleteObject(f);
}

TEST(DrawState, DisabledBitmapEmbossesItsDarkPixelsOnly) {
    // A bitmap selected into no DC, as DrawState needs it.
    QImage pixels(8, 8, QImage::Format_RGB32);
    pixels.fill(QColor::fromRgb(0xFFC0C0C0u));
    for (int y = 2; y < 5; ++y)
        for (int x = 2; x < 5; ++x)
            pixels.setPixel(x, y, qRgb(0, 0, 0));
    HBITMAP picture = pm::gdi::createBitmapFromImage(pixels);
    GdiCanvas c(12, 12, RGB(255, 255, 255));
    EXPECT_TRUE(DrawState(c.dc(), nullptr, nullptr, reinterpret_cast<LPARAM>(picture), 0, 1, 1, 0, 0,
                          DST_BITMAP | DSS_DISABLED));
    DeleteObject(picture);
    EXPECT_EQ(9, c.count(GetSysColor(COLOR_3DSHADOW)));
    EXPECT_EQ(GetSysColor(COLOR_3DSHADOW), c.at(3, 3));
    EXPECT_EQ(GetSysColor(COLOR_3DHIGHLIGHT), c.at(6, 6));
    EXPECT_EQ(RGB(255, 255, 255), c.at(1, 1)); // the light face colour leaves no mark
    HICON icon = LoadIcon(nullptr, IDI_ERROR);
    GdiCanvas m(32, 32, RGB(255, 255, 255));
    DrawState(m.dc(), GetSysColorBrush(COLOR_HIGHLIGHT), nullptr, reinterpret_cast<LPARAM>(icon), 0, 0, 0, 0,
              0, DST_ICON | DSS_MONO);
    EXPECT_GT(m.count(GetSysColor(COLOR_HIGHLIGHT)), 50);
    EXPECT_EQ(32 * 32, m.count(GetSysColor(COLOR_HIGHLIGHT)) + m.count(RGB(255, 255, 255)));
}

TEST(Icons, MaskShowsTheBackgroundAndColourIsDrawnOverIt) {
    // 2x1: the first pixel opaque red, the second transparent.
    const WORD maskBits[1] = {0x0040};
    HBITMAP mask = CreateBitmap(2, 1, 1, 1, maskBits);
    GdiCanvas colour(2, 1, RGB(0, 0, 0));
    SetPixel(colour.dc(), 0, 0, RGB(255, 0, 0));
    ICONINFO info{TRUE, 0, 0, mask, colour.bitmap()};
    HICON icon = CreateIconIndirect(&info);
    ASSERT_NE(nullptr, icon);
    DeleteObject(mask);
    GdiCanvas c(4, 2, RGB(0, 255, 0));
    EXPECT_TRUE(DrawIconEx(c.dc(), 1, 1, icon, 0, 0, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(RGB(255, 0, 0), c.at(1, 1));
    EXPECT_EQ(RGB(0, 255, 0), c.at(2, 1));
    QPoint hot;
    QImage picture = pm::gdi::imageOfIcon(icon, &hot);
    EXPECT_EQ(qRgba(255, 0, 0, 255), picture.pixel(0, 0));
    EXPECT_EQ(0, qAlpha(picture.pixel(1, 0)));
    EXPECT_TRUE(DestroyIcon(icon));
    EXPECT_FALSE(DestroyIcon(icon));
}

TEST(Icons, StockCursorsAndIconsAreSharedPictures) {
    const LPCSTR cursors[] = {IDC_ARROW,  IDC_IBEAM,   IDC_WAIT,     IDC_APPSTARTING, IDC_CROSS, IDC_SIZEWE,
                              IDC_SIZENS, IDC_SIZEALL, IDC_SIZENWSE, IDC_SIZENESW,    IDC_NO,    IDC_HAND};
    for (LPCSTR id : cursors) {
        SCOPED_TRACE(reinterpret_cast<std::uintptr_t>(id));
        HCURSOR cur = LoadCursor(nullptr, id);
        ASSERT_NE(nullptr, cur);
        EXPECT_EQ(cur, LoadCursor(nullptr, id));
        QPoint hot(-1, -1);
        QImage img = pm::gdi::imageOfIcon(cur, &hot);
        EXPECT_EQ(QSize(32, 32), img.size());
        EXPECT_TRUE(QRect(0, 0, 32, 32).contains(hot));
        EXPECT_TRUE(DestroyCursor(cur)); // shared: stays
    }
    EXPECT_EQ(QPoint(0, 0), [] {
        QPoint hot;
        pm::gdi::imageOfIcon(LoadCursor(nullptr, IDC_ARROW), &hot);
        return hot;
    }());
    const LPCSTR icons[] = {IDI_APPLICATION, IDI_WINLOGO,     IDI_ERROR,
                            IDI_WARNING,     IDI_INFORMATION, IDI_QUESTION};
    for (LPCSTR id : icons) {
        HICON icon = LoadIcon(nullptr, id);
        ASSERT_NE(nullptr, icon);
        GdiCanvas c(32, 32, RGB(1, 2, 3));
        DrawIcon(c.dc(), 0, 0, icon);
        EXPECT_GT(c.count(RGB(1, 2, 3)), 0);    // transparent corners
        EXPECT_LT(c.count(RGB(1, 2, 3)), 1000); // a picture
    }
    EXPECT_EQ(nullptr, LoadCursor(nullptr, MAKEINTRESOURCE(1)));
}

TEST(Icons, LoadImageFromFileAndResizing) {
    QDir().mkpath(PM_TEST_OUTPUT_DIR);
    QString path = QStringLiteral(PM_TEST_OUTPUT_DIR "/gdi_load_image.png");
    QImage picture(8, 8, QImage::Format_ARGB32);
    picture.fill(qRgba(0, 0, 255, 255));
    ASSERT_TRUE(picture.save(path));
    QByteArray name = path.toLocal8Bit();
    HICON icon =
        static_cast<HICON>(LoadImage(nullptr, name.constData(), IMAGE_ICON, 16, 16, LR_LOADFROMFILE));
    ASSERT_NE(nullptr, icon);
    EXPECT_EQ(QSize(16, 16), pm::gdi::imageOfIcon(icon, nullptr).size());
    DestroyIcon(icon);
    HBITMAP bm =
        static_cast<HBITMAP>(LoadImage(nullptr, name.constData(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    BITMAP info{};
    GetObject(bm, sizeof info, &info);
    EXPECT_EQ(8, info.bmWidth);
    DeleteObject(bm);
    EXPECT_EQ(nullptr, LoadImage(nullptr, "/no/such/file.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
}

TEST(Icons, PicturesAreReadByTheirBytesWhateverTheirNameSays) {
    QDir().mkpath(PM_TEST_OUTPUT_DIR);
    struct Case {
        const char* format;
        const char* name;
    } const cases[] = {{"PNG", "png_named.bmp"}, {"BMP", "bmp_named.png"}, {"ICO", "ico_named.png"}};
    for (const Case& k : cases) {
        QString path = QStringLiteral(PM_TEST_OUTPUT_DIR "/") + k.name;
        QImage picture(6, 4, QImage::Format_ARGB32);
        picture.fill(qRgba(0, 160, 0, 255));
        ASSERT_TRUE(picture.save(path, k.format)) << k.format;
        QByteArray name = path.toLocal8Bit();
        auto bm =
            static_cast<HBITMAP>(LoadImage(nullptr, name.constData(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
        ASSERT_NE(nullptr, bm) << k.format;
        BITMAP info{};
        GetObject(bm, sizeof info, &info);
        EXPECT_EQ(6, info.bmWidth) << k.format;
        GdiCanvas c(8, 8, RGB(255, 255, 255));
        HDC source = CreateCompatibleDC(c.dc());
        HGDIOBJ old = SelectObject(source, bm);
        BitBlt(c.dc(), 0, 0, 6, 4, source, 0, 0, SRCCOPY);
        SelectObject(source, old);
        DeleteDC(source);
        EXPECT_EQ(c.count(RGB(0, 160, 0)), 24) << k.format;
        DeleteObject(bm);
    }
    // A file that begins as a picture but ends there is no picture.
    QString path = QStringLiteral(PM_TEST_OUTPUT_DIR "/cut_short.png");
    QFile cut(path);
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write("\x89PNG\r\n\x1a\n");
    cut.close();
    EXPECT_EQ(nullptr,
              LoadImage(nullptr, path.toLocal8Bit().constData(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
}

// An encoded picture kept for the whole run (resources are not copied).
const QByteArray& encoded(const char* format, QSize size, QRgb fill, int cursorX = -1, int cursorY = -1) {
    static std::vector<std::unique_ptr<QByteArray>> kept;
    QImage img(size, QImage::Format_ARGB32);
    img.fill(fill);
    auto bytes = std::make_unique<QByteArray>();
    QBuffer buffer(bytes.get());
    buffer.open(QIODevice::WriteOnly);
    img.save(&buffer, format);
    if (cursorX >= 0) {
        // An icon file becomes a cursor file: type 2 and the hot spot in the first entry.
        (*bytes)[2] = 2;
        (*bytes)[10] = static_cast<char>(cursorX);
        (*bytes)[12] = static_cast<char>(cursorY);
    }
    kept.push_back(std::move(bytes));
    return *kept.back();
}

void addResource(pm::res::ImageKind kind, pm::res::Name name, const QByteArray& bytes) {
    pm::res::addImage(kind, name, reinterpret_cast<const unsigned char*>(bytes.constData()),
                      static_cast<std::size_t>(bytes.size()));
}

TEST(Icons, ProgramResourcesByIdAndName) {
    HINSTANCE module = reinterpret_cast<HINSTANCE>(static_cast<std::uintptr_t>(0x400000));
    addResource(pm::res::ImageKind::Bitmap, "LOGO", encoded("PNG", QSize(5, 3), qRgba(0, 128, 0, 255)));
    addResource(pm::res::ImageKind::Icon, 901, encoded("ICO", QSize(16, 16), qRgba(255, 0, 0, 255)));
    addResource(pm::res::ImageKind::Cursor, 902, encoded("ICO", QSize(32, 32), qRgba(0, 0, 255, 255), 5, 7));

    HBITMAP logo = LoadBitmap(module, "logo");
    ASSERT_NE(nullptr, logo);
    BITMAP bm{};
    GetObject(logo, sizeof bm, &bm);
    EXPECT_EQ(5, bm.bmWidth);
    EXPECT_EQ(QColor(0, 128, 0).rgb(), pm::gdi::imageOfBitmap(logo).pixel(2, 1));
    DeleteObject(logo);

    HICON icon = LoadIcon(module, MAKEINTRESOURCE(901));
    ASSERT_NE(nullptr, icon);
    EXPECT_EQ(icon, LoadIcon(module, MAKEINTRESOURCE(901)));
    EXPECT_EQ(QSize(16, 16), pm::gdi::imageOfIcon(icon, nullptr).size());
    HICON big = static_cast<HICON>(LoadImage(module, MAKEINTRESOURCE(901), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
    EXPECT_EQ(QSize(32, 32), pm::gdi::imageOfIcon(big, nullptr).size());
    DestroyIcon(big);

    HCURSOR cursor = LoadCursor(module, MAKEINTRESOURCE(902));
    ASSERT_NE(nullptr, cursor);
    QPoint hot;
    pm::gdi::imageOfIcon(cursor, &hot);
    EXPECT_EQ(QPoint(5, 7), hot);
    EXPECT_EQ(nullptr, LoadCursor(module, MAKEINTRESOURCE(903)));
    EXPECT_EQ(nullptr, LoadBitmap(module, "missing"));
}

// The picture for review: text in three substituted fonts, then the frame controls and edges.
TEST(Showcase, TextInSubstitutedFontsAndFrameControls) {
    GdiCanvas c(360, 220, sys(COLOR_BTNFACE));
    HDC dc = c.dc();
    SetBkMode(dc, TRANSPARENT);
    struct Sample {
        const char* face;
        int height;
    } samples[] = {{"MS Sans Serif", -11}, {"Courier New", -13}, {"Arial", -16}, {"Verdana", -12}};
    int y = 6;
    for (const Sample& s : samples) {
        HFONT f = CreateFont(s.height, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, s.face);
        HGDIOBJ old = SelectObject(dc, f);
        char line[96];
        std::snprintf(line, sizeof line, "%s %d: The quick brown fox, caf\xC3\xA9 \x80 5", s.face, s.height);
        RECT r{8, y, 352, y + 30};
        DrawText(dc, line, -1, &r, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
        TEXTMETRIC tm{};
        GetTextMetrics(dc, &tm);
        y += tm.tmHeight + 6;
        SelectObject(dc, old);
        DeleteObject(f);
    }
    HFONT gui = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    SelectObject(dc, gui);
    RECT wrap{8, y, 170, y + 60};
    DrawEdge(dc, &wrap, EDGE_SUNKEN, BF_RECT | BF_ADJUST | BF_MIDDLE);
    InflateRect(&wrap, -2, -1);
    DrawText(dc, "&Word break: a longer sentence wraps inside the sunken box.", -1, &wrap, DT_WORDBREAK);
    RECT etched{180, y, 352, y + 60};
    DrawEdge(dc, &etched, EDGE_ETCHED, BF_RECT);
    RECT focus{186, y + 6, 346, y + 26};
    DrawFocusRect(dc, &focus);
    DrawText(dc, "Centred, focus", -1, &focus, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    DrawState(dc, nullptr, nullptr, reinterpret_cast<LPARAM>("&Disabled"), 0, 190, y + 34, 0, 0,
              DST_PREFIXTEXT | DSS_DISABLED);
    y += 68;
    const struct {
        UINT type, state;
    } controls[] = {{DFC_CAPTION, DFCS_CAPTIONMIN},
                    {DFC_CAPTION, DFCS_CAPTIONMAX},
                    {DFC_CAPTION, DFCS_CAPTIONRESTORE},
                    {DFC_CAPTION, DFCS_CAPTIONCLOSE},
                    {DFC_CAPTION, DFCS_CAPTIONCLOSE | DFCS_INACTIVE},
                    {DFC_CAPTION, DFCS_CAPTIONHELP},
                    {DFC_SCROLL, DFCS_SCROLLUP},
                    {DFC_SCROLL, DFCS_SCROLLDOWN},
                    {DFC_SCROLL, DFCS_SCROLLLEFT},
                    {DFC_SCROLL, DFCS_SCROLLRIGHT | DFCS_PUSHED},
                    {DFC_SCROLL, DFCS_SCROLLCOMBOBOX},
                    {DFC_SCROLL, DFCS_SCROLLSIZEGRIP},
                    {DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED},
                    {DFC_BUTTON, DFCS_BUTTONCHECK},
                    {DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED},
                    {DFC_BUTTON, DFCS_BUTTONRADIO},
                    {DFC_MENU, DFCS_MENUCHECK},
                    {DFC_MENU, DFCS_MENUBULLET},
                    {DFC_MENU, DFCS_MENUARROW},
                    {DFC_BUTTON, DFCS_BUTTONPUSH}};
    int x = 8;
    for (const auto& k : controls) {
        RECT r{x, y, x + 16, y + (k.type == DFC_BUTTON || k.type == DFC_MENU ? 13 : 14)};
        DrawFrameControl(dc, &r, k.type, k.state);
        x += 18;
    }
    y += 22;
    HFONT marlett = CreateFont(GetSystemMetrics(SM_CYMENUCHECK), 0, 0, 0, FW_NORMAL, 0, 0, 0, SYMBOL_CHARSET,
                               0, 0, 0, 0, "Marlett");
    SelectObject(dc, marlett);
    TextOut(dc, 8, y, "0123456 8 ahnr", 14);
    SelectObject(dc, gui);
    DeleteObject(marlett);
    DrawIcon(dc, 300, y - 8, LoadIcon(nullptr, IDI_WARNING));
    DrawIcon(dc, 250, y - 8, LoadIcon(nullptr, IDI_INFORMATION));
    DrawIcon(dc, 200, y - 8, LoadCursor(nullptr, IDC_ARROW));

    QDir().mkpath(PM_TEST_OUTPUT_DIR);
    EXPECT_TRUE(c.image().save(QStringLiteral(PM_TEST_OUTPUT_DIR "/gdi_showcase.png")));
    SelectObject(dc, GetStockObject(SYSTEM_FONT));
}

} // namespace
