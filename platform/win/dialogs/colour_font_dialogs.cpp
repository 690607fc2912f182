// ChooseColor (custom colours kept in the caller's table) and ChooseFont over the desktop's dialogs.

#include "platform/win/dialogs/common_dialogs.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int kCustomColours = 16;

bool checkSize(DWORD size) {
    pm::dialogs::setExtendedError(size ? 0 : CDERR_STRUCTSIZE);
    return size != 0;
}

} // namespace

BOOL ChooseColorA(LPCHOOSECOLORA cc) {
    if (!cc || !checkSize(cc->lStructSize)) return FALSE;
    if (!cc->lpCustColors) {
        pm::dialogs::setExtendedError(CDERR_INITIALIZATION);
        return FALSE;
    }
    pm::CommonDialogRequest request;
    request.kind = pm::CommonDialog::Colour;
    request.owner = cc->hwndOwner;
    request.colour = (cc->Flags & CC_RGBINIT) ? cc->rgbResult : RGB(0, 0, 0);
    request.customColours.assign(cc->lpCustColors, cc->lpCustColors + kCustomColours);
    pm::CommonDialogAnswer answer = pm::dialogs::ask(request);
    if (!answer.accepted) return FALSE;
    cc->rgbResult = answer.colour & 0x00FFFFFF;
    if (answer.customColours.size() == kCustomColours)
        std::copy(answer.customColours.begin(), answer.customColours.end(), cc->lpCustColors);
    return TRUE;
}

BOOL ChooseFontA(LPCHOOSEFONTA cf) {
    if (!cf || !checkSize(cf->lStructSize)) return FALSE;
    if (!cf->lpLogFont) {
        pm::dialogs::setExtendedError(CDERR_INITIALIZATION);
        return FALSE;
    }
    pm::CommonDialogRequest request;
    request.kind = pm::CommonDialog::Font;
    request.owner = cf->hwndOwner;
    if (cf->Flags & CF_INITTOLOGFONTSTRUCT) request.font = *cf->lpLogFont;
    request.fixedPitchOnly = (cf->Flags & CF_FIXEDPITCHONLY) != 0;
    request.colour = cf->rgbColors;
    pm::CommonDialogAnswer answer = pm::dialogs::ask(request);
    if (!answer.accepted) return FALSE;
    *cf->lpLogFont = answer.font;
    cf->iPointSize = answer.pointSize10;
    if (cf->Flags & CF_EFFECTS) {
        cf->rgbColors = answer.colour;
    } else {
        cf->lpLogFont->lfUnderline = 0;
        cf->lpLogFont->lfStrikeOut = 0;
    }
    WORD type = SCREEN_FONTTYPE;
    type |= answer.font.lfWeight >= FW_BOLD ? BOLD_FONTTYPE : 0;
    type |= answer.font.lfItalic ? ITALIC_FONTTYPE : 0;
    if (!(type & (BOLD_FONTTYPE | ITALIC_FONTTYPE))) type |= REGULAR_FONTTYPE;
    cf->nFontType = type;
    return TRUE;
}
