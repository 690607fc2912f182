#pragma once
// The query tool's small pictures, drawn with GDI: the window icons, the tool-bar buttons, the
// database combo's image and the result tabs' images.

#include "platform/win/commctrl.h"

// Tool-bar images in button order: connect, open, save, cut, copy, paste, templates, execute,
// refresh (16 x 16, masked).
HIMAGELIST CreateToolBarImages();
// One database image (16 x 16).
HIMAGELIST CreateComboImages();
// "Records" (0) and "Messages" (1), 20 x 20.
HIMAGELIST CreateTabImages();
// The object browser's node pictures by node kind: server, database, folder, table, column,
// index (16 x 16).
HIMAGELIST CreateBrowserImages();
// The icon of the frame's window class, or of the query windows' (16 x 16); the caller owns it.
HICON CreateWindowIcon(bool queryWindow);
