#pragma once
// The pictures of the script view's bar buttons: close, and the three view modes (one procedure,
// one object's procedures, the whole module), 16 x 16 on the button face colour.

#define IDB_HHSV_EVENT_VIEW 28244
#define IDB_HHSV_MODULE_VIEW 28245
#define IDB_HHSV_OBJECT_VIEW 28246
#define IDB_HHSV_CLOSE 28250

// Declares the four bitmaps; later calls do nothing.
void DeclareScriptViewImages();
