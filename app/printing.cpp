// "Print....": the printer dialog, the page set-up of the picture and the
// printed picture; Ctrl-Q during drawing cancels the job.
#include <QFile>
#include <QPainter>
#include <QPrinter>

#include "app/mainwindow.h"
#include "app/plotcalls.h"
#include "app/printlayout.h"
#include "app/windowhost.h"
#include "ui/printpage.h"
#include "ui/qpaintersurface.h"

namespace crustex {

void MainWindow::printPicture() {
    QPrinter printer(QPrinter::HighResolution);
    const std::optional<QSizeF> page = chooseprinterpage(printer, printDialog, this);
    if (!page) return;
    const std::optional<PrintLayout> layout =
        printlayout(page->width(), page->height(), ws_.xmargin, ws_.ymargin);
    if (!layout) {
        reportnoprintroom(*host_);
        return;
    }

    QPainterSurface paper(&printer);
    const FrameView shown = fitview(
        {layout->left, layout->top, layout->scalewidth, layout->scaleheight}, shownview(ws_));
    paper.setScale(shown.left, shown.top, shown.width, shown.height);
    paper.setFontSize(surface_->FontSize());
    setplotframe(pc_.frame, ws_.rwidth);

    if (!beginWork(true)) return;
    ws_.abortflag = false;
    const PictureOutcome outcome =
        composepicture(ws_, pc_, *host_, proj_, &paper,
                       ws_.pastedbackground && !dumyimg_.isNull() ? &dumyimg_ : nullptr, &sites_,
                       nullptr, currentReceivers());
    beginWork(false);
    pc_.target = surface_.get();

    if (outcome != PictureOutcome::Drawn || ws_.abortflag) {
        // Ctrl-Q during drawing: the job is cancelled, not printed.
        printer.abort();
        paper.flush();
        // A file output that could not be cancelled is removed: an
        // abandoned print leaves nothing behind.
        if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
            QFile::remove(printer.outputFileName());
        }
        ws_.abortflag = false;
        host_->setStatus("");
    } else {
        paper.flush();
    }
    refreshPlot();
}

}  // namespace crustex
