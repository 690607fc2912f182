# The layers of the platform and where Qt may be included. Every build checks the includes against
# them (cmake/check_layers.cmake); a test checks that each library's calls go only down
# (cmake/check_link_layers.sh).

# Platform folders bottom up. A file of one folder includes headers of its own folder and of the
# folders listed before it, never of one listed after it. The headers directly in platform/win are
# the window system's public declarations: every folder may include them, and they include only
# each other and the COM shapes. Test code (any tests/ folder) is exempt: it tests a folder from
# above, linked with everything.
set(PM_LAYERS
  platform/win
  platform/win/sys
  platform/win/registry
  platform/win/gdi
  platform/win/res
  platform/win/wm
  platform/win/shell
  platform/win/menus
  platform/win/controls
  platform/win/dialogs
  platform/win/mdi
  platform/win/commctrl
  platform/com
  platform/win/richedit
  platform/script
  platform/framework
  platform/forms)

# The programs' folders bottom up, one list per program. A program's folder includes headers of
# the platform, of its own folder and of the folders listed before it in its program's list; never
# of a folder listed after it, nor of another program. Test code is exempt here too, and so are the
# benchmarks and fuzzers, which measure and feed the programs from outside.
set(PM_PROGRAMS penmere tessmark tintara)
set(PM_PROGRAM_LAYERS_penmere editor docking scripting app)
set(PM_PROGRAM_LAYERS_tessmark querytool)
set(PM_PROGRAM_LAYERS_tintara colourtool)

# What the window system's public headers may include besides each other.
set(PM_PUBLIC_HEADER_INCLUDES platform/com)

# The files that touch Qt, directly or through a header of this list: the widget and its events,
# input translation, the loop and timer waker, painting (the painter, the images that image and page
# DCs draw on, and the image store that owns the pixels of the GDI's records), fonts, text shaping
# and images, the screen, the clipboard, shell services and the common dialogs. pm_library compiles
# these alone with Qt's headers. Test code of platform/ may use Qt too (it drives input and reads
# window images through it); no other file may.
set(PM_QT_BACKEND
  platform/win/qtapp.cpp
  platform/win/text_codec.h
  platform/win/text_codec.cpp
  platform/win/wm/window_widget.h
  platform/win/wm/window_surface.h
  platform/win/wm/window_widget.cpp
  platform/win/wm/desktop_widgets.h
  platform/win/wm/desktop_window.cpp
  platform/win/wm/desktop_grabs.cpp
  # The desktop services: the real desktop and none, chosen once.
  platform/win/wm/desktop_backend.h
  platform/win/wm/desktop_services.cpp
  platform/win/wm/real_desktop.cpp
  platform/win/wm/offscreen_desktop.cpp
  platform/win/wm/input.cpp
  platform/win/wm/input_events.h
  platform/win/wm/keys.h
  platform/win/wm/keys.cpp
  platform/win/wm/queue.cpp
  platform/win/wm/timers.cpp
  platform/win/wm/painting.cpp
  platform/win/wm/compose.h
  platform/win/wm/compose.cpp
  platform/win/wm/desktop_overlay.cpp
  platform/win/wm/clipboard.cpp
  platform/win/wm/beeps.cpp
  # What the GDI draws with: a QPainter on a DC's pixels, and the parts of frame controls it draws.
  platform/win/gdi/painter.h
  platform/win/gdi/painter.cpp
  platform/win/gdi/frame_painting.cpp
  platform/win/gdi/shapes.cpp
  # Text runs as the painter draws them, and text measured with the font's cache.
  platform/win/gdi/text_run.cpp
  platform/win/gdi/text_measure.cpp
  # DCs over others' images and over pages: their images, and device coordinates as Qt points.
  platform/win/gdi/dc_surface.h
  platform/win/gdi/image_dc.cpp
  # The image store: the pixels of bitmaps, brush patterns and icons, and pictures of icons.
  platform/win/gdi/image_store.h
  platform/win/gdi/image_store.cpp
  platform/win/gdi/icon_pictures.cpp
  # Regions as Qt's, and the curved and polygonal regions Qt's scan conversion makes.
  platform/win/gdi/qt_regions.h
  platform/win/gdi/qt_regions.cpp
  platform/win/gdi/fonts.h
  platform/win/gdi/fonts.cpp
  platform/win/gdi/font_cache.h
  platform/win/gdi/font_cache.cpp
  platform/win/gdi/glyph_ink.h
  platform/win/gdi/glyph_ink.cpp
  platform/win/gdi/image_loading.cpp
  platform/win/gdi/image_saving.cpp
  platform/win/gdi/icons.h
  platform/win/gdi/stock_images.h
  platform/win/gdi/stock_images.cpp
  platform/win/gdi/marlett.h
  platform/win/gdi/marlett.cpp
  platform/win/gdi/screen.cpp
  platform/win/gdi/printing.cpp
  platform/win/shell/drag_drop.cpp
  platform/win/shell/text_drop.cpp
  platform/win/shell/notify_icon.cpp
  platform/win/shell/shell_execute.cpp
  platform/win/dialogs/qt_common_dialogs.cpp
  # Regular expressions of the script engine.
  platform/script/runtime/regexp.cpp
  # The painting, Replace All and memory benchmarks show the same text in a peer editor
  # component, a Qt widget.
  bench/bench_paint.cpp
  bench/bench_edit_replace.cpp
  bench/bench_memory.cpp
  # The editor's benchmark measures a plain Qt text-edit window beside it.
  bench/bench_penmere.cpp)

