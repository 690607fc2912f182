// The sample editor's menus, accelerators and strings.

#include "platform/framework/sample/SampleResources.h"

#include "platform/win/res/resources.h"
#include "platform/win/res/templates.h"
#include "platform/win/winmenu.h"

namespace sample {
namespace {

using namespace pm::res;

std::vector<MenuItem> fileItems(bool withDocument) {
    std::vector<MenuItem> items = {item("&New\tCtrl+N", ID_FILE_NEW), item("&Open...\tCtrl+O", ID_FILE_OPEN)};
    if (withDocument) {
        items.push_back(item("&Close", ID_FILE_CLOSE));
        items.push_back(item("&Save\tCtrl+S", ID_FILE_SAVE));
        items.push_back(item("Save &As...", ID_FILE_SAVE_AS));
    }
    items.push_back(separator());
    items.push_back(item("Recent File", ID_FILE_MRU_FILE1));
    items.push_back(separator());
    items.push_back(item("E&xit", ID_APP_EXIT));
    return items;
}

MenuItem viewMenu() {
    return popup("&View", {item("&Toolbar", ID_VIEW_TOOLBAR), item("&Status Bar", ID_VIEW_STATUS_BAR)});
}

pm::res::MenuTemplate documentMenu() {
    return {
        {popup("&File", fileItems(true)),
         popup("&Edit",
               {item("Cu&t\tCtrl+X", ID_EDIT_CUT), item("&Copy\tCtrl+C", ID_EDIT_COPY),
                item("&Paste\tCtrl+V", ID_EDIT_PASTE), separator(), item("Select &All", ID_EDIT_SELECT_ALL)}),
         viewMenu(),
         popup("&Window", {item("&New Window", ID_WINDOW_NEW), item("&Cascade", ID_WINDOW_CASCADE),
                           item("&Tile", ID_WINDOW_TILE_HORZ), item("&Arrange Icons", ID_WINDOW_ARRANGE)}),
         popup("&Help", {item("&About Sample Editor...", ID_APP_ABOUT)})}};
}

std::vector<ACCEL> accelerators() {
    return {{FVIRTKEY | FCONTROL, 'N', ID_FILE_NEW},  {FVIRTKEY | FCONTROL, 'O', ID_FILE_OPEN},
            {FVIRTKEY | FCONTROL, 'S', ID_FILE_SAVE}, {FVIRTKEY | FCONTROL, 'X', ID_EDIT_CUT},
            {FVIRTKEY | FCONTROL, 'C', ID_EDIT_COPY}, {FVIRTKEY | FCONTROL, 'V', ID_EDIT_PASTE}};
}

} // namespace

void declareResources() {
    static const bool declared = [] {
        pm::res::addMenu(IDR_MAINFRAME, {{popup("&File", fileItems(false)), viewMenu(),
                                          popup("&Help", {item("&About Sample Editor...", ID_APP_ABOUT)})}});
        pm::res::addMenu(IDR_TEXTTYPE, documentMenu());
        pm::res::addMenu(IDR_NOTETYPE, documentMenu());
        pm::res::addAccelerators(IDR_MAINFRAME, accelerators());
        pm::res::addAccelerators(IDR_TEXTTYPE, accelerators());
        pm::res::addAccelerators(IDR_NOTETYPE, accelerators());
        pm::res::addStrings({
            {IDR_MAINFRAME, "Sample Editor"},
            {IDR_TEXTTYPE,
             "\nText\nText Document\nText Files (*.txt)\n.txt\nSample.Text\nSample Text Document"},
            {IDR_NOTETYPE, "\nNote\nNote\nNote Files (*.note)\n.note\nSample.Note\nSample Note"},
            {AFX_IDS_APP_TITLE, "Sample Editor"},
            {AFX_IDS_IDLEMESSAGE, "Ready"},
            {ID_FILE_NEW, "Create a new document\nNew"},
            {ID_FILE_OPEN, "Open an existing document\nOpen"},
            {ID_FILE_CLOSE, "Close the active document\nClose"},
            {ID_FILE_SAVE, "Save the active document\nSave"},
            {ID_FILE_SAVE_AS, "Save the active document with a new name\nSave As"},
            {ID_FILE_MRU_FILE1, "Open this document"},
            {ID_APP_EXIT, "Quit the application; prompts to save documents\nExit"},
            {ID_APP_ABOUT, "Display program information\nAbout"},
            {ID_EDIT_CUT, "Cut the selection and put it on the Clipboard\nCut"},
            {ID_EDIT_COPY, "Copy the selection and put it on the Clipboard\nCopy"},
            {ID_EDIT_PASTE, "Insert Clipboard contents\nPaste"},
            {ID_EDIT_SELECT_ALL, "Select the entire document\nSelect All"},
            {ID_VIEW_TOOLBAR, "Show or hide the toolbar\nToggle ToolBar"},
            {ID_VIEW_STATUS_BAR, "Show or hide the status bar\nToggle StatusBar"},
            {ID_WINDOW_NEW, "Open another window for the active document\nNew Window"},
            {ID_WINDOW_CASCADE, "Arrange windows so they overlap\nCascade Windows"},
            {ID_WINDOW_TILE_HORZ, "Arrange windows as non-overlapping tiles\nTile Windows"},
            {ID_WINDOW_ARRANGE, "Arrange icons at the bottom of the window\nArrange Icons"},
        });
        return true;
    }();
    (void)declared;
}

} // namespace sample
