// The desktop's common dialogs (Qt's) behind the common-dialog entry points: the one place where
// they are shown.

#include "platform/win/dialogs/common_dialogs.h"
#include "platform/win/wm/desktop_widgets.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QGuiApplication>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace pm::dialogs {
namespace {

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

CommonDialogAnswer askFile(const CommonDialogRequest& r) {
    CommonDialogAnswer a;
    QFileDialog dialog(wm::desktopWidgetOf(r.owner), q(r.title), q(r.folder));
    bool save = r.kind == CommonDialog::Save;
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save         ? QFileDialog::AnyFile
                       : r.multiple ? QFileDialog::ExistingFiles
                                    : QFileDialog::ExistingFile);
    if (save && !r.overwritePrompt) dialog.setOption(QFileDialog::DontConfirmOverwrite);
    QStringList filters;
    for (const std::string& f : r.filters)
        filters << q(f);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        if (r.filterIndex < filters.size()) dialog.selectNameFilter(filters[r.filterIndex]);
    }
    if (!r.fileName.empty()) dialog.selectFile(q(r.fileName));
    if (dialog.exec() != QDialog::Accepted) return a;
    a.accepted = true;
    for (const QString& f : dialog.selectedFiles())
        a.paths.push_back(f.toStdString());
    a.filterIndex = std::max(0, static_cast<int>(filters.indexOf(dialog.selectedNameFilter())));
    return a;
}

CommonDialogAnswer askFolder(const CommonDialogRequest& r) {
    CommonDialogAnswer a;
    QFileDialog dialog(wm::desktopWidgetOf(r.owner), q(r.title), q(r.folder));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    // Qt's own dialog, whose shown folder is known exactly when it closes.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (!r.acceptLabel.empty()) dialog.setLabelText(QFileDialog::Accept, q(r.acceptLabel));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return a;
    a.accepted = true;
    a.paths.push_back(dialog.selectedFiles().front().toStdString());
    a.shownFolder = dialog.directory().absolutePath().toStdString();
    return a;
}

QColor toQColor(COLORREF c) {
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}
COLORREF fromQColor(const QColor& c) {
    return RGB(c.red(), c.green(), c.blue());
}

CommonDialogAnswer askColour(const CommonDialogRequest& r) {
    CommonDialogAnswer a;
    for (int i = 0; i < static_cast<int>(r.customColours.size()) && i < QColorDialog::customCount(); ++i)
        QColorDialog::setCustomColor(i, toQColor(r.customColours[static_cast<std::size_t>(i)]));
    QColor chosen = QColorDialog::getColor(toQColor(r.colour), wm::desktopWidgetOf(r.owner));
    if (!chosen.isValid()) return a;
    a.accepted = true;
    a.colour = fromQColor(chosen);
    for (std::size_t i = 0; i < r.customColours.size(); ++i)
        a.customColours.push_back(fromQColor(QColorDialog::customColor(static_cast<int>(i))));
    return a;
}

CommonDialogAnswer askFont(const CommonDialogRequest& r) {
    CommonDialogAnswer a;
    QFont initial(QString::fromLatin1(r.font.lfFaceName));
    if (r.font.lfHeight) initial.setPointSizeF(std::abs(r.font.lfHeight) * 72.0 / 96.0);
    initial.setBold(r.font.lfWeight >= FW_BOLD);
    initial.setItalic(r.font.lfItalic != 0);
    bool ok = false;
    QFontDialog::FontDialogOptions options;
    if (r.fixedPitchOnly) options |= QFontDialog::MonospacedFonts;
    QFont font = QFontDialog::getFont(&ok, initial, wm::desktopWidgetOf(r.owner), QString(), options);
    if (!ok) return a;
    a.accepted = true;
    double points = font.pointSizeF() > 0 ? font.pointSizeF() : 10.0;
    a.pointSize10 = static_cast<int>(points * 10 + 0.5);
    a.font.lfHeight = -MulDiv(a.pointSize10, 96, 720);
    a.font.lfWeight = font.bold() ? FW_BOLD : FW_NORMAL;
    a.font.lfItalic = font.italic() ? 1 : 0;
    a.font.lfUnderline = font.underline() ? 1 : 0;
    a.font.lfStrikeOut = font.strikeOut() ? 1 : 0;
    a.font.lfCharSet = DEFAULT_CHARSET;
    a.font.lfPitchAndFamily = font.fixedPitch() ? FIXED_PITCH : VARIABLE_PITCH;
    QByteArray face = font.family().toLatin1().left(LF_FACESIZE - 1);
    std::memcpy(a.font.lfFaceName, face.constData(), static_cast<std::size_t>(face.size()));
    a.colour = r.colour;
    return a;
}

CommonDialogAnswer askPrint(const CommonDialogRequest& r) {
    CommonDialogAnswer a;
    QPrinter printer;
    printer.setFromTo(0, 0);
    QPrintDialog dialog(&printer, wm::desktopWidgetOf(r.owner));
    dialog.setMinMax(r.minPage, r.maxPage);
    if (dialog.exec() != QDialog::Accepted) return a;
    a.accepted = true;
    a.printer = printer.printerName().toStdString();
    if (printer.outputFormat() == QPrinter::PdfFormat) a.outputFile = printer.outputFileName().toStdString();
    a.copies = printer.copyCount();
    a.collate = printer.collateCopies();
    switch (dialog.printRange()) {
    case QAbstractPrintDialog::Selection:
        a.printRange = PD_SELECTION;
        break;
    case QAbstractPrintDialog::PageRange:
        a.printRange = PD_PAGENUMS;
        a.fromPage = printer.fromPage();
        a.toPage = printer.toPage();
        break;
    default:
        a.printRange = PD_ALLPAGES;
        break;
    }
    return a;
}

CommonDialogAnswer askPageSetup(const CommonDialogRequest& r) {
    CommonDialogAnswer a;
    QPrinter printer;
    if (r.hasMargins)
        printer.setPageMargins(QMarginsF(r.marginMm[0], r.marginMm[1], r.marginMm[2], r.marginMm[3]),
                               QPageLayout::Millimeter);
    QPageSetupDialog dialog(&printer, wm::desktopWidgetOf(r.owner));
    if (dialog.exec() != QDialog::Accepted) return a;
    a.accepted = true;
    a.printer = printer.printerName().toStdString();
    QPageLayout layout = printer.pageLayout();
    QRectF full = layout.fullRect(QPageLayout::Millimeter);
    a.paperWidthMm = full.width();
    a.paperHeightMm = full.height();
    QMarginsF m = layout.margins(QPageLayout::Millimeter);
    a.marginMm[0] = m.left();
    a.marginMm[1] = m.top();
    a.marginMm[2] = m.right();
    a.marginMm[3] = m.bottom();
    return a;
}

} // namespace

std::string defaultPrinterName() {
    return QPrinterInfo::defaultPrinterName().toStdString();
}

CommonDialogAnswer askDesktop(const CommonDialogRequest& r) {
    switch (r.kind) {
    case CommonDialog::Open:
    case CommonDialog::Save:
        return askFile(r);
    case CommonDialog::Folder:
        return askFolder(r);
    case CommonDialog::Colour:
        return askColour(r);
    case CommonDialog::Font:
        return askFont(r);
    case CommonDialog::Print:
        return askPrint(r);
    case CommonDialog::PageSetup:
        return askPageSetup(r);
    }
    return {};
}

} // namespace pm::dialogs
