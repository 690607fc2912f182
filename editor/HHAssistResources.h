#pragma once
// The code-assistance control's resources: its context menu and accelerators, the texts of its
// commands, the margin's mark images and the member list's icons.

// Commands.
#define ID_HHASSIST_TOGGLE_BREAKPOINT 60706
#define ID_HHASSIST_CLEAR_BREAKPOINTS 60707
#define ID_HHASSIST_TOGGLE_BOOKMARK 60708
#define ID_HHASSIST_PREV_BOOKMARK 60709
#define ID_HHASSIST_NEXT_BOOKMARK 60710
#define ID_HHASSIST_CLEAR_BOOKMARKS 60711
#define ID_HHASSIST_QUICK_INFO 60716
#define ID_HHASSIST_LIST_OBJECTS 60717
#define ID_HHASSIST_LIST_MEMBERS 60718
#define ID_HHASSIST_LIST_FUNCTIONS 60719

// Resources.
#define IDR_HHASSIST_MENU 28166
#define IDB_HHASSIST_MARGIN 28167 // three 17 x 13 images, magenta transparent
#define IDB_HHASSIST_ICONS 28168  // six 16 x 13 icons, red transparent

#include <cstdint>
#include <functional>
#include <vector>

namespace hh {

// A 24-bit bitmap file (BMP) of width x height; pixel (x, y) gives each pixel as 0xRRGGBB.
std::vector<unsigned char> MakeBitmapFile(int width, int height,
                                          const std::function<std::uint32_t(int, int)>& pixel);

// Declares them once; later calls do nothing.
void DeclareAssistResources();

} // namespace hh
