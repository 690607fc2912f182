// Printer DCs: letter pages at 150 dots per inch, drawn like any page DC and handed page by page to
// Qt's printer, which writes a PDF file (DOCINFO's lpszOutput, else the output the DC was made for)
// or prints on the named printer.

#include "platform/win/gdi/dc_surface.h"
#include "platform/win/gdi/gdi_private.h"
#include "platform/win/wingdi.h"

#include <QPageSize>
#include <QPainter>
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

void endJob(Job& job) {
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
    endJob(it->second);
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
        pm::gdi::endJob(*job);
        return SP_ERROR;
    }
    return 1;
}

int StartPage(HDC hdc) {
    Job* job = pm::gdi::jobOf(hdc);
    QImage* page = pm::gdi::pageImageOf(hdc);
    if (!job || !job->painter || job->inPage || !page) return SP_ERROR;
    page->fill(Qt::white);
    job->inPage = true;
    return 1;
}

int EndPage(HDC hdc) {
    Job* job = pm::gdi::jobOf(hdc);
    QImage* page = pm::gdi::pageImageOf(hdc);
    if (!job || !job->inPage || !page) return SP_ERROR;
    if (job->pages > 0 && !job->printer->newPage()) return SP_ERROR;
    QRect target(0, 0, job->painter->device()->width(), job->painter->device()->height());
    job->painter->drawImage(target, *page);
    ++job->pages;
    job->inPage = false;
    return 1;
}

int EndDoc(HDC hdc) {
    Job* job = pm::gdi::jobOf(hdc);
    if (!job || !job->painter) return SP_ERROR;
    if (job->inPage) EndPage(hdc);
    pm::gdi::endJob(*job);
    return 1;
}

int AbortDoc(HDC hdc) {
    Job* job = pm::gdi::jobOf(hdc);
    if (!job || !job->printer) return SP_ERROR;
    job->printer->abort();
    pm::gdi::endJob(*job);
    return 1;
}
