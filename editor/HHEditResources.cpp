#include "editor/HHEditResources.h"

#include "editor/CHHEditCtrl.h"
#include "platform/framework/afxres.h"
#include "platform/win/res/resources.h"
#include "platform/win/winmenu.h"

namespace hh {

void DeclareEditResources() {
    static const bool declared = [] {
        using pm::res::MenuItem;
        pm::res::addMenu(IDR_HHEDIT_MENU, {{MenuItem{"",
                                                     0,
                                                     MF_POPUP,
                                                     {MenuItem{"Cu&t\tCtrl-X", ID_EDIT_CUT, 0, {}},
                                                      MenuItem{"&Copy\tCtrl-C", ID_EDIT_COPY, 0, {}},
                                                      MenuItem{"&Paste\tCtrl-V", ID_EDIT_PASTE, 0, {}},
                                                      MenuItem{"", 0, MF_SEPARATOR, {}}}}}});
        pm::res::addStrings({
            {IDS_HHEDIT_LINE_COL, "Ln %d, Col %d"},
            {ID_HHEDIT_STATUS_PANE, "                       "},
            {ID_HHEDIT_OPTIONS, "Set editor options\nOptions"},
            {ID_HHEDIT_INDENT, "Indent selected lines of text\nIndent"},
            {ID_HHEDIT_OUTDENT, "Outdent selected lines of text\nOutdent"},
            {ID_HHEDIT_COMMENT, "Comment selected lines of text\nComment"},
            {ID_HHEDIT_UNCOMMENT, "Unomment selected lines of text\nUncomment"},
        });
        return true;
    }();
    (void)declared;
}

} // namespace hh
