// Printer DCs: letter pages at 150 dots per inch handed page by page to Qt's printer, which writes a
// PDF file (DOCINFO's lpszOutput, else the output the DC was made for) or prints on the named
// printer. Text and lines are recorded as the printer's own text and vectors, printed at its
// resolution over what the per-pixel operations (fills, blits) left in the page image.

#include "platform/win/gdi/dc_surface.h"
#include "platform/win/gdi/gdi_private.h"
#include "platform/win/wingdi.h"

#include <QPageSize>
#include <QPainter>
#include <QPicture>
#include <QPrinter>

#include <map>
#include <memory>
#include <string>

namespace pm::gdi {
namespace {

const int kPrinterDpi = 150;

struct Job {
    std::string device;
    std::string output;
    std::unique_ptr<QPrinter> printer;
    std::unique_ptr<QPainter> painter;
    QPicture vectors;  // the page's text and vectors, in page pixels
    QPainter recorder; // draws into vectors while a page is printed
    int pages = 0;
    bool inPage = false;
};

std::map<HDC, Job>& jobs() {
    static std::map<HDC, Job> all;
    return all;
}

Job* jobOf(HDC hdc) {
    auto it = jobs().find(hdc);
    return it == jobs().end() ? nullptr : &it->second;
}

// Whether the per-pixel operations left the page white.
bool blank(const QImage& page) {
    for (int y = 0; y < page.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(page.constScanLine(y));
        for (int x = 0; x < page.width(); ++x)
            if ((line[x] & 0xFFFFFFu) != 0xFFFFFFu) return false;
    }
    return true;
}

void endRecording(HDC hdc, Job& job) {
    if (job.recorder.isActive()) job.recorder.end();
    setPrinterPainter(hdc, nullptr);
}

void endJob(HDC hdc, Job& job) {
    endRecording(hdc, job);
    if (job.painter && job.painter->isActive()) job.painter->end();
    job.painter.reset();
    job.printer.reset();
    job.pages = 0;
    job.inPage = false;
}

} // namespace

HDC createPrinterDC(LPCSTR device, LPCSTR output) {
    HDC dc = createPageDC(QSize(kPrinterDpi * 17 / 2, kPrinterDpi * 11), kPrinterDpi);
    if (!dc) return dc;
    Job& job = jobs()[dc];
    job.device = device ? device : "";
    job.output = output ? output : "";
    return dc;
}

void endPrinterDC(HDC hdc) {
    auto it = jobs().find(hdc);
    if (it == jobs().end()) return;
    endJob(hdc, it->second);
    jobs().erase(it);
}

} // namespace pm::gdi

using pm::gdi::Job;

int StartDocA(HDC hdc, const DOCINFOA* docInfo) {
    Job* job = pm::gdi::jobOf(hdc);
    if (!job || job->printer || !docInfo) return SP_ERROR;
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setPageSize(QPageSize(QPageSize::Letter));
    printer->setFullPage(true);
    if (docInfo->lpszDocName) printer->setDocName(QString::fromLocal8Bit(docInfo->lpszDocName));
    std::string output = docInfo->lpszOutput && *docInfo->lpszOutput ? docInfo->lpszOutput : job->output;
    if (!output.empty()) {
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(QString::fromStdString(output));
    } else {
        printer->setPrinterName(QString::fromStdString(job->device));
        if (!printer->isValid()) return SP_ERROR;
    }
    job->printer = std::move(printer);
    job->painter = std::make_unique<QPainter>();
    if (!job->painter->begin(job->printer.get())) {
        pm::gdi::endJob(hdc, *job);
        return SP_ERROR;
    }
    return 1;
}

int StartPage(HDC hdc) {
    Job* job = pm::gdi::jobOf(hdc);
    QImage* page = pm::gdi::pageImageOf(hdc);
    if (!job || !job->painter || job->inPage || !page) return SP_ERROR;
    page->fill(Qt::white);
    job->vectors = QPicture();
    if (!job->recorder.begin(&job->vectors)) return SP_ERROR;
    pm::gdi::setPrinterPainter(hdc, &job->recorder);
    job->inPage = true;
    return 1;
}

int EndPage(HDC hdc) {
    Job* job = pm::gdi::jobOf(hdc);
    QImage* page = pm::gdi::pageImageOf(hdc);
    if (!job || !job->inPage || !page) return SP_ERROR;
    pm::gdi::endRecording(hdc, *job);
    if (job->pages > 0 && !job->printer->newPage()) return SP_ERROR;
    QPaintDevice* device = job->painter->device();
    QRect target(0, 0, device->width(), device->height());
    if (!pm::gdi::blank(*page)) job->painter->drawImage(target, *page);
    job->painter->save();
    // Playing a picture scales it from its own resolution to the device's; the page's pixels are
    // to fill the device's page.
    const qreal played = static_cast<qreal>(device->logicalDpiX()) / job->vectors.logicalDpiX();
    job->painter->scale(static_cast<qreal>(target.width()) / page->width() / played,
                        static_cast<qreal>(target.height()) / page->height() / played);
    job->painter->drawPicture(0, 0, job->vectors);
    job->painter->restore();
    ++job->pages;
    job->inPage = false;
    return 1;
}

int EndDoc(HDC hdc) {
    Job* job = pm::gdi::jobOf(hdc);
    if (!job || !job->painter) return SP_ERROR;
    if (job->inPage) EndPage(hdc);
    pm::gdi::endJob(hdc, *job);
    return 1;
}

int AbortDoc(HDC hdc) {
    Job* job = pm::gdi::jobOf(hdc);
    if (!job || !job->printer) return SP_ERROR;
    job->printer->abort();
    pm::gdi::endJob(hdc, *job);
    return 1;
}
