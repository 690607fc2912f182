#include "colourtool/app/frm_palette.h"

#include "colourtool/app/drawn_pictures.h"
#include "colourtool/app/main_window_link.h"
#include "colourtool/app/secondary_window.h"

#include "platform/forms/app.h"
#include "platform/forms/dialog_service.h"
#include "platform/forms/msgbox.h"
#include "platform/win/caption_width.h"

#include <algorithm>

namespace tintara {
namespace {

constexpr COLORREF kSurfaceColour = RGB(192, 192, 192);

SingleWindow<frmPalette>& theWindow() {
    static SingleWindow<frmPalette> window;
    return window;
}

} // namespace

frmPalette::frmPalette() : vb::Form("frmPalette", 40, 40, vb::FormBorderStyle::FixedToolWindow) {
    SetCaption("Palette");
    SetBackColor(kSurfaceColour);
    m_hand = createHandCursor();
    MouseIcon = m_hand;
    MousePointer = vb::vbCustom;
    MouseDown = [this](int button, int, int x, int y) { Form_MouseDown(button, x, y); };
    MouseMove = [this](int button, int, int x, int y) { Form_MouseMove(button, x, y); };
    MouseUp = [this](int button, int, int x, int y) { Form_MouseUp(button, x, y); };
}

frmPalette::~frmPalette() {
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
    Cls();
    m_count = 0;
    m_grid = PaletteGrid{};
}

void frmPalette::drawPalette(const std::vector<Rgb>& colours) {
    m_count = std::min(colours.size(), kMaxPaletteColours);
    m_grid = PaletteGrid::forCount(m_count);
    // At least as wide as its title and close button need, so that both show over a small palette.
    const int frameWidth = Width() - ScaleWidth();
    Move(Left(), Top(), std::max(frameWidth + m_grid.clientWidth(), pm::captionFitWidth(hWnd())),
         Height() - ScaleHeight() + m_grid.clientHeight());
    // The cells this palette leaves empty must not keep the swatches of the one before.
    Cls();
    for (std::size_t k = 0; k < m_count; ++k) {
        int left = m_grid.swatchLeft(k);
        int top = m_grid.swatchTop(k);
        FillBox(left, top, left + PaletteGrid::kSwatch - 1, top + PaletteGrid::kSwatch - 1,
                static_cast<COLORREF>(colourValue(colours[k])));
    }
}

void frmPalette::Form_MouseDown(int button, int x, int y) {
    if (button == vb::vbLeftButton) pick(x, y);
}

void frmPalette::Form_MouseMove(int button, int x, int y) {
    if (button == vb::vbLeftButton) pick(x, y);
}

void frmPalette::Form_MouseUp(int button, int x, int y) {
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
        vb::MsgBox(paletteRefusalText(palette), vb::vbCritical);
        return;
    }
    frmPalette& window = frmPalette::get();
    // Owned by the main window, it stays above it: a click there would hide it behind the window
    // it is centred over.
    SetWindowLongPtr(window.hWnd(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(request.owner));
    window.Load();
    window.drawPalette(palette.colours);
    showOverMainWindow(window);
}

} // namespace tintara
