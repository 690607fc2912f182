#include "colourtool/app/frm_palette.h"

#include "colourtool/app/drawn_pictures.h"
#include "colourtool/app/main_window_link.h"
#include "colourtool/app/secondary_window.h"

#include "platform/forms/app.h"
#include "platform/forms/dialog_service.h"
#include "platform/forms/msgbox.h"

namespace tintara {
namespace {

constexpr int kSurfaceSide = 16 * PaletteGrid::kSwatch; // room for 256 swatches
constexpr COLORREF kSurfaceColour = RGB(192, 192, 192);

// The surface bitmap selected into a memory device context for as long as this lives (a bitmap is
// selected into one context at a time, and the window's painting selects it too).
class SurfaceDC {
public:
    explicit SurfaceDC(HBITMAP surface) {
        HDC screen = GetDC(nullptr);
        m_dc = CreateCompatibleDC(screen);
        ReleaseDC(nullptr, screen);
        m_old = SelectObject(m_dc, surface);
    }
    ~SurfaceDC() {
        SelectObject(m_dc, m_old);
        DeleteDC(m_dc);
    }
    SurfaceDC(const SurfaceDC&) = delete;
    SurfaceDC& operator=(const SurfaceDC&) = delete;
    HDC dc() const { return m_dc; }

private:
    HDC m_dc = nullptr;
    HGDIOBJ m_old = nullptr;
};

void fill(HDC dc, const RECT& rect, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

SingleWindow<frmPalette>& theWindow() {
    static SingleWindow<frmPalette> window;
    return window;
}

} // namespace

frmPalette::frmPalette()
    : vb::Form("frmPalette", 40, 40, vb::FormBorderStyle::FixedToolWindow),
      Surface(*this, "Surface", 0, 0, kSurfaceSide, kSurfaceSide) {
    SetCaption("Palette");
    SetBackColor(kSurfaceColour);
    HDC screen = GetDC(nullptr);
    m_surface = CreateCompatibleBitmap(screen, kSurfaceSide, kSurfaceSide);
    ReleaseDC(nullptr, screen);
    clearSurface();
    m_hand = createHandCursor();
    MouseIcon = m_hand;
    MousePointer = vb::vbCustom;
    Surface.MouseDown = [this](int button, int, int x, int y) { Surface_MouseDown(button, x, y); };
    Surface.MouseMove = [this](int button, int, int x, int y) { Surface_MouseMove(button, x, y); };
    Surface.MouseUp = [this](int button, int, int x, int y) { Surface_MouseUp(button, x, y); };
}

frmPalette::~frmPalette() {
    Surface.SetPicture(nullptr);
    DeleteObject(m_surface);
    MouseIcon = nullptr;
    if (m_hand) DestroyCursor(m_hand);
}

frmPalette& frmPalette::get() {
    return theWindow().get();
}

frmPalette* frmPalette::instance() {
    return theWindow().find();
}

void frmPalette::destroy() {
    theWindow().destroy();
}

// A new window: its drawing is gone.
void frmPalette::Form_Load() {
    clearSurface();
    m_count = 0;
    m_grid = PaletteGrid{};
}

void frmPalette::clearSurface() {
    {
        SurfaceDC surface(m_surface);
        fill(surface.dc(), RECT{0, 0, kSurfaceSide, kSurfaceSide}, kSurfaceColour);
    }
    Surface.SetPicture(m_surface);
}

void frmPalette::drawPalette(const std::vector<Rgb>& colours) {
    m_count = std::min(colours.size(), kMaxPaletteColours);
    m_grid = PaletteGrid::forCount(m_count);
    {
        SurfaceDC surface(m_surface);
        for (std::size_t k = 0; k < m_count; ++k) {
            int left = m_grid.swatchLeft(k);
            int top = m_grid.swatchTop(k);
            fill(surface.dc(), RECT{left, top, left + PaletteGrid::kSwatch, top + PaletteGrid::kSwatch},
                 static_cast<COLORREF>(colourValue(colours[k])));
        }
    }
    // The inner area takes the grid's size; the rest of the surface stays hidden.
    Move(Left(), Top(), Width() - ScaleWidth() + m_grid.clientWidth(),
         Height() - ScaleHeight() + m_grid.clientHeight());
    Surface.Refresh();
}

long frmPalette::Point(int x, int y) const {
    if (x < 0 || y < 0 || x >= ScaleWidth() || y >= ScaleHeight()) return -1;
    SurfaceDC surface(m_surface);
    return static_cast<long>(GetPixel(surface.dc(), x, y));
}

void frmPalette::Surface_MouseDown(int button, int x, int y) {
    if (button == vb::vbLeftButton) pick(x, y);
}

void frmPalette::Surface_MouseMove(int button, int x, int y) {
    if (button == vb::vbLeftButton) pick(x, y);
}

void frmPalette::Surface_MouseUp(int button, int x, int y) {
    if (button == vb::vbLeftButton) pick(x, y);
}

// Points off the swatches (outside the window while dragging, or the empty end of the last row)
// pick nothing.
void frmPalette::pick(int x, int y) {
    if (x < 0 || y < 0 || x >= m_grid.clientWidth() || y >= m_grid.clientHeight()) return;
    std::size_t k =
        static_cast<std::size_t>(y / PaletteGrid::kSwatch) * m_grid.columns + x / PaletteGrid::kSwatch;
    if (k >= m_count) return;
    std::optional<Rgb> colour = pickedColour(static_cast<ColourValue>(Point(x, y)));
    if (colour) mainWindow().applyColour(*colour);
}

void importPalette() {
    vb::FileDialogRequest request;
    request.owner = mainWindow().window().hWnd();
    request.title = kPaletteDialogTitle;
    request.filters = {{kPaletteFilterName, kPaletteFilterPattern}, {"All Files", "*.*"}};
    request.folder = vb::App().Path();
    request.flags = OFN_HIDEREADONLY;
    std::optional<std::string> chosen = vb::dialogs().OpenFile(request);
    if (!chosen) return;
    std::string path = chosen->substr(0, chosen->find('\0'));
    PaletteResult palette = readPaletteFile(path);
    if (!palette.ok) {
        vb::MsgBox(kUnknownPaletteFormat, vb::vbCritical);
        return;
    }
    frmPalette& window = frmPalette::get();
    window.Load();
    window.drawPalette(palette.colours);
    showOverMainWindow(window);
}

} // namespace tintara
