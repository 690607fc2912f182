#include "querytool/app/drawn_images.h"

#include "platform/win/windows.h"

#include <functional>

namespace {

constexpr COLORREF kMask = RGB(255, 0, 255);

using Painter = std::function<void(HDC)>;

void fill(HDC dc, int l, int t, int r, int b, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    RECT rect{l, t, r, b};
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

void frame(HDC dc, int l, int t, int r, int b, COLORREF edge, COLORREF inside) {
    fill(dc, l, t, r, b, edge);
    fill(dc, l + 1, t + 1, r - 1, b - 1, inside);
}

void line(HDC dc, int x1, int y1, int x2, int y2, COLORREF colour) {
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
    SelectObject(dc, old);
    DeleteObject(pen);
}

void polygon(HDC dc, std::initializer_list<POINT> points, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    Polygon(dc, points.begin(), static_cast<int>(points.size()));
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(brush);
    DeleteObject(pen);
}

void page(HDC dc, int l, int t) {
    frame(dc, l, t, l + 9, t + 12, RGB(64, 64, 64), RGB(255, 255, 255));
    for (int y = t + 3; y < t + 10; y += 2)
        line(dc, l + 2, y, l + 7, y, RGB(96, 96, 160));
}

void cylinder(HDC dc, int l, int t, int w, int h, COLORREF colour) {
    fill(dc, l, t + 2, l + w, t + h - 2, colour);
    fill(dc, l + 1, t + 1, l + w - 1, t + 3, RGB(230, 230, 240));
    line(dc, l, t + 2, l, t + h - 2, RGB(40, 40, 80));
    line(dc, l + w - 1, t + 2, l + w - 1, t + h - 2, RGB(40, 40, 80));
    line(dc, l + 1, t + h - 2, l + w - 1, t + h - 2, RGB(40, 40, 80));
}

const Painter kToolPainters[] = {
    [](HDC dc) { // new connection: a database and a plus
        cylinder(dc, 1, 3, 10, 12, RGB(90, 120, 200));
        fill(dc, 11, 2, 13, 10, RGB(0, 140, 0));
        fill(dc, 8, 5, 16, 7, RGB(0, 140, 0));
    },
    [](HDC dc) { // open: a folder
        frame(dc, 1, 4, 14, 14, RGB(130, 100, 20), RGB(240, 200, 80));
        fill(dc, 2, 3, 7, 5, RGB(130, 100, 20));
        polygon(dc, {{3, 8}, {15, 8}, {13, 14}, {1, 14}}, RGB(250, 220, 120));
    },
    [](HDC dc) { // save: a disk
        frame(dc, 1, 1, 15, 15, RGB(40, 40, 90), RGB(70, 90, 170));
        fill(dc, 4, 2, 12, 7, RGB(255, 255, 255));
        fill(dc, 5, 10, 11, 14, RGB(200, 200, 200));
    },
    [](HDC dc) { // cut: scissors
        line(dc, 4, 1, 10, 10, RGB(60, 60, 60));
        line(dc, 11, 1, 5, 10, RGB(60, 60, 60));
        frame(dc, 2, 10, 7, 15, RGB(0, 0, 160), RGB(255, 255, 255));
        frame(dc, 9, 10, 14, 15, RGB(0, 0, 160), RGB(255, 255, 255));
    },
    [](HDC dc) { // copy: two pages
        page(dc, 1, 1);
        page(dc, 6, 4);
    },
    [](HDC dc) { // paste: a board and a page
        frame(dc, 1, 2, 11, 15, RGB(110, 80, 30), RGB(190, 150, 80));
        fill(dc, 4, 1, 8, 4, RGB(80, 80, 80));
        page(dc, 6, 4);
    },
    [](HDC dc) { // templates: a page with a blue heading
        page(dc, 3, 2);
        fill(dc, 4, 3, 11, 5, RGB(0, 0, 200));
    },
    [](HDC dc) { // execute: a green arrow
        polygon(dc, {{3, 2}, {13, 8}, {3, 14}}, RGB(0, 150, 0));
    },
    [](HDC dc) { // refresh: two arrows round
        line(dc, 3, 5, 12, 5, RGB(0, 110, 0));
        polygon(dc, {{10, 2}, {13, 5}, {10, 8}}, RGB(0, 110, 0));
        line(dc, 4, 11, 13, 11, RGB(0, 110, 0));
        polygon(dc, {{6, 8}, {3, 11}, {6, 14}}, RGB(0, 110, 0));
    },
};

// Draws each picture on the mask colour and adds it to a new image list.
HIMAGELIST drawList(int size, std::initializer_list<Painter> painters, UINT flags) {
    HIMAGELIST list = ImageList_Create(size, size, flags, static_cast<int>(painters.size()), 0);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    for (const Painter& paint : painters) {
        HBITMAP bitmap = CreateCompatibleBitmap(screen, size, size);
        HGDIOBJ old = SelectObject(dc, bitmap);
        fill(dc, 0, 0, size, size, kMask);
        paint(dc);
        SelectObject(dc, old);
        ImageList_AddMasked(list, bitmap, kMask);
        DeleteObject(bitmap);
    }
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return list;
}

} // namespace

HIMAGELIST CreateToolBarImages() {
    return drawList(16,
                    {kToolPainters[0], kToolPainters[1], kToolPainters[2], kToolPainters[3], kToolPainters[4],
                     kToolPainters[5], kToolPainters[6], kToolPainters[7], kToolPainters[8]},
                    ILC_COLOR24 | ILC_MASK);
}

HIMAGELIST CreateComboImages() {
    return drawList(16, {[](HDC dc) { cylinder(dc, 3, 1, 10, 14, RGB(200, 160, 40)); }},
                    ILC_COLOR24 | ILC_MASK);
}

HIMAGELIST CreateTabImages() {
    return drawList(20,
                    {[](HDC dc) {
                         frame(dc, 2, 3, 18, 17, RGB(60, 60, 60), RGB(255, 255, 255));
                         fill(dc, 3, 4, 17, 7, RGB(120, 140, 200));
                         for (int y = 10; y < 17; y += 3)
                             line(dc, 3, y, 17, y, RGB(160, 160, 160));
                         line(dc, 9, 7, 9, 17, RGB(160, 160, 160));
                     },
                     [](HDC dc) {
                         frame(dc, 2, 4, 18, 15, RGB(60, 60, 60), RGB(255, 255, 220));
                         polygon(dc, {{5, 14}, {9, 14}, {5, 18}}, RGB(60, 60, 60));
                         for (int y = 7; y < 13; y += 2)
                             line(dc, 4, y, 16, y, RGB(80, 80, 80));
                     }},
                    ILC_COLOR24 | ILC_MASK);
}

HIMAGELIST CreateBrowserImages() {
    return drawList(16,
                    {[](HDC dc) { // server: a box with two drive slots
                         frame(dc, 2, 1, 14, 15, RGB(50, 50, 50), RGB(200, 200, 210));
                         fill(dc, 4, 4, 12, 6, RGB(60, 60, 90));
                         fill(dc, 4, 8, 12, 10, RGB(60, 60, 90));
                         fill(dc, 10, 12, 12, 14, RGB(0, 180, 0));
                     },
                     [](HDC dc) { cylinder(dc, 3, 1, 10, 14, RGB(200, 160, 40)); }, // database
                     [](HDC dc) {                                                   // folder
                         frame(dc, 1, 4, 15, 14, RGB(130, 100, 20), RGB(240, 200, 80));
                         fill(dc, 2, 3, 7, 5, RGB(130, 100, 20));
                     },
                     [](HDC dc) { // table: a grid with a heading row
                         frame(dc, 1, 2, 15, 14, RGB(60, 60, 60), RGB(255, 255, 255));
                         fill(dc, 2, 3, 14, 6, RGB(120, 140, 200));
                         line(dc, 2, 9, 14, 9, RGB(150, 150, 150));
                         line(dc, 7, 6, 7, 13, RGB(150, 150, 150));
                     },
                     [](HDC dc) { // column: one highlighted column of a grid
                         frame(dc, 1, 2, 15, 14, RGB(60, 60, 60), RGB(255, 255, 255));
                         fill(dc, 6, 3, 10, 13, RGB(90, 160, 90));
                     },
                     [](HDC dc) { // index: a key
                         frame(dc, 1, 5, 7, 11, RGB(150, 110, 0), RGB(240, 200, 60));
                         fill(dc, 7, 7, 15, 9, RGB(150, 110, 0));
                         fill(dc, 12, 9, 14, 12, RGB(150, 110, 0));
                     }},
                    ILC_COLOR24 | ILC_MASK);
}

// The program's icon: a blue database with a green run arrow; the query window's: a page of SQL
// with the database at its corner.
HICON CreateWindowIcon(bool queryWindow) {
    const Painter painter = queryWindow ? Painter([](HDC dc) {
        frame(dc, 1, 0, 12, 14, RGB(64, 64, 64), RGB(255, 255, 255));
        for (int y = 3; y < 12; y += 2)
            line(dc, 3, y, 10, y, RGB(0, 0, 200));
        cylinder(dc, 8, 7, 8, 9, RGB(90, 120, 200));
    })
                                        : Painter([](HDC dc) {
                                              cylinder(dc, 1, 1, 11, 14, RGB(90, 120, 200));
                                              polygon(dc, {{9, 6}, {15, 10}, {9, 14}}, RGB(0, 150, 0));
                                          });
    HIMAGELIST list = drawList(16, {painter}, ILC_COLOR24 | ILC_MASK);
    HICON icon = ImageList_GetIcon(list, 0, ILD_NORMAL);
    ImageList_Destroy(list);
    return icon;
}
