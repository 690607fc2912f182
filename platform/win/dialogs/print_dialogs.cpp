// PrintDlg and PageSetupDlg over the desktop's print dialogs: the printer's names (DEVNAMES), a
// printer DC on request, page ranges and copies; paper and margins in thousandths of an inch or
// hundredths of a millimetre.

#include "platform/win/dialogs/common_dialogs.h"

#include "platform/win/winbase.h"

#include <cmath>
#include <cstring>

namespace {

constexpr char kDriver[] = "winspool";

// The output slot names the file a printer of the desktop's dialog writes to, where it chose one.
HGLOBAL devNames(const std::string& printer, const std::string& output, bool isDefault) {
    std::size_t header = sizeof(DEVNAMES);
    std::size_t size = header + sizeof kDriver + printer.size() + 1 + output.size() + 1;
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    auto* base = static_cast<char*>(GlobalLock(mem));
    if (!base) return mem;
    DEVNAMES names{};
    names.wDriverOffset = static_cast<WORD>(header);
    names.wDeviceOffset = static_cast<WORD>(header + sizeof kDriver);
    names.wOutputOffset = static_cast<WORD>(names.wDeviceOffset + printer.size() + 1);
    names.wDefault = isDefault ? DN_DEFAULTPRN : 0;
    std::memcpy(base, &names, sizeof names);
    std::memcpy(base + names.wDriverOffset, kDriver, sizeof kDriver);
    std::memcpy(base + names.wDeviceOffset, printer.c_str(), printer.size() + 1);
    std::memcpy(base + names.wOutputOffset, output.c_str(), output.size() + 1);
    GlobalUnlock(mem);
    return mem;
}

void replaceDevNames(HGLOBAL* slot, const std::string& printer, const std::string& output = std::string()) {
    if (*slot) GlobalFree(*slot);
    *slot = devNames(printer, output, output.empty() && printer == pm::dialogs::defaultPrinterName());
}

LONG toUnits(double mm, bool hundredthsOfMm) {
    return static_cast<LONG>(std::lround(hundredthsOfMm ? mm * 100.0 : mm / 25.4 * 1000.0));
}

double toMm(LONG units, bool hundredthsOfMm) {
    return hundredthsOfMm ? units / 100.0 : units * 25.4 / 1000.0;
}

} // namespace

BOOL PrintDlgA(LPPRINTDLGA pd) {
    pm::dialogs::setExtendedError(0);
    if (!pd || pd->lStructSize == 0) {
        pm::dialogs::setExtendedError(CDERR_STRUCTSIZE);
        return FALSE;
    }
    pm::CommonDialogAnswer answer;
    if (pd->Flags & PD_RETURNDEFAULT) {
        answer.printer = pm::dialogs::defaultPrinterName();
        answer.accepted = !answer.printer.empty();
        if (!answer.accepted) pm::dialogs::setExtendedError(PDERR_NODEFAULTPRN);
    } else {
        pm::CommonDialogRequest request;
        request.kind = pm::CommonDialog::Print;
        request.owner = pd->hwndOwner;
        request.minPage = pd->nMinPage;
        request.maxPage = pd->nMaxPage;
        answer = pm::dialogs::ask(request);
    }
    if (!answer.accepted) return FALSE;
    replaceDevNames(&pd->hDevNames, answer.printer, answer.outputFile);
    if (!(pd->Flags & PD_RETURNDEFAULT)) {
        pd->Flags &= ~static_cast<DWORD>(PD_SELECTION | PD_PAGENUMS | PD_COLLATE);
        pd->Flags |= answer.printRange | (answer.collate ? PD_COLLATE : 0);
        if (answer.printRange == PD_PAGENUMS) {
            pd->nFromPage = static_cast<WORD>(answer.fromPage);
            pd->nToPage = static_cast<WORD>(answer.toPage);
        }
        pd->nCopies = static_cast<WORD>(std::max(1, answer.copies));
    }
    if (pd->Flags & (PD_RETURNDC | PD_RETURNIC))
        pd->hDC = CreateDCA(kDriver, answer.printer.c_str(), answer.outputFile.c_str(), nullptr);
    return TRUE;
}

BOOL PageSetupDlgA(LPPAGESETUPDLGA psd) {
    pm::dialogs::setExtendedError(0);
    if (!psd || psd->lStructSize == 0) {
        pm::dialogs::setExtendedError(CDERR_STRUCTSIZE);
        return FALSE;
    }
    bool metric = (psd->Flags & PSD_INHUNDREDTHSOFMILLIMETERS) != 0;
    pm::CommonDialogRequest request;
    request.kind = pm::CommonDialog::PageSetup;
    request.owner = psd->hwndOwner;
    if (psd->Flags & PSD_MARGINS) {
        const RECT& m = psd->rtMargin;
        request.hasMargins = true;
        request.marginMm[0] = toMm(m.left, metric);
        request.marginMm[1] = toMm(m.top, metric);
        request.marginMm[2] = toMm(m.right, metric);
        request.marginMm[3] = toMm(m.bottom, metric);
    }
    pm::CommonDialogAnswer answer = pm::dialogs::ask(request);
    if (!answer.accepted) return FALSE;
    replaceDevNames(&psd->hDevNames,
                    answer.printer.empty() ? pm::dialogs::defaultPrinterName() : answer.printer);
    psd->ptPaperSize = POINT{toUnits(answer.paperWidthMm, metric), toUnits(answer.paperHeightMm, metric)};
    if (!(psd->Flags & PSD_DISABLEMARGINS)) {
        const double* m = answer.marginMm;
        psd->rtMargin =
            RECT{toUnits(m[0], metric), toUnits(m[1], metric), toUnits(m[2], metric), toUnits(m[3], metric)};
    }
    if (!metric) psd->Flags |= PSD_INTHOUSANDTHSOFINCHES;
    return TRUE;
}
