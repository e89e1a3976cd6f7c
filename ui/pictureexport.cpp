#include "ui/pictureexport.h"

#include <QImage>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <cmath>
#include <memory>

#include "compose/pubpicture.h"
#include "plot/plotframe.h"
#include "ui/qpaintersurface.h"

namespace crustex {

namespace {

constexpr double kMmPerInch = 25.4;
// Vector pages are laid out at this resolution; it sets only how finely
// coordinates are rounded.
constexpr int kVectorDpi = 1200;
// The SVG's user units: CSS pixels.
constexpr int kSvgDpi = 96;

int topixels(double mm, int dpi) {
    return std::max(1, static_cast<int>(std::lround(mm / kMmPerInch * dpi)));
}

// Fits the picture's frame (kFrameLeft..kFrameRight by kFrameTop..
// kFrameBottom) into the device, aspect kept, centred; then shows the part
// of the frame the picture shows (`view`) in its place.
void fitframe(QPainterSurface& s, const FrameView& view) {
    const double w = kFrameRight - kFrameLeft;
    const double h = kFrameBottom - kFrameTop;
    const double pw = std::max(1, s.pixelWidth() - 1);
    const double ph = std::max(1, s.pixelHeight() - 1);
    FrameView nominal;
    if (pw / ph > w / h) {
        const double sw = h * pw / ph;
        nominal = {static_cast<float>(kFrameLeft - (sw - w) / 2), kFrameTop, static_cast<float>(sw),
                   static_cast<float>(h)};
    } else {
        const double sh = w * ph / pw;
        nominal = {kFrameLeft, static_cast<float>(kFrameTop - (sh - h) / 2), static_cast<float>(w),
                   static_cast<float>(sh)};
    }
    const FrameView shown = fitview(nominal, view);
    s.setScale(shown.left, shown.top, shown.width, shown.height);
}

// Draws the picture on the device; false when it was not drawn whole.
bool drawon(QPaintDevice* device, WorkState& ws, PlotContext& pc, Host& host,
            const PictureInputs& inputs, const PictureFileOptions& options) {
    QPainterSurface page(device);
    fitframe(page, pictureview(ws));
    page.setFontSize(options.fontsize);
    page.setPenScale(page.pixelsPerUnitX());
    Surface* screen = pc.screen;
    Surface* target = pc.target;
    pc.screen = &page;
    pc.target = &page;
    const PictureOutcome outcome = drawpicture(ws, pc, host, "screen", inputs);
    pc.screen = screen;
    pc.target = target;
    page.flush();
    return outcome == PictureOutcome::Drawn && !ws.abortflag;
}

}  // namespace

std::optional<PictureFileFormat> picturefileformat(const QString& path) {
    const QString lower = path.toLower();
    if (lower.endsWith(".pdf")) return PictureFileFormat::Pdf;
    if (lower.endsWith(".svg")) return PictureFileFormat::Svg;
    if (lower.endsWith(".png")) return PictureFileFormat::Png;
    return std::nullopt;
}

QSize picturepixels(const PictureFileOptions& options) {
    return {topixels(options.widthmm, options.dpi), topixels(options.heightmm, options.dpi)};
}

bool writepicturefile(WorkState& ws, PlotContext& pc, Host& host, const PictureInputs& inputs,
                      const PictureFileOptions& options, std::string& error) {
    const std::string name = options.path.toStdString();
    QSaveFile file(options.path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = "cannot write '" + name + "'";
        return false;
    }
    const QString title = [&] {
        const QuantityInfo* q = findquantity(ws.quantitykey);
        return QString::fromUtf8(q ? q->title.data() : "", q ? qsizetype(q->title.size()) : 0);
    }();
    bool drawn = false;
    bool written = true;
    switch (options.format) {
        case PictureFileFormat::Pdf: {
            QPdfWriter pdf(&file);
            pdf.setResolution(kVectorDpi);
            pdf.setPageSize(
                QPageSize(QSizeF(options.widthmm, options.heightmm), QPageSize::Millimeter));
            pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
            pdf.setCreator("CRUSTEX");
            pdf.setTitle(title);
            drawn = drawon(&pdf, ws, pc, host, inputs, options);
            break;
        }
        case PictureFileFormat::Svg: {
            QSvgGenerator svg;
            svg.setOutputDevice(&file);
            svg.setResolution(kSvgDpi);
            const QSize size(topixels(options.widthmm, kSvgDpi),
                             topixels(options.heightmm, kSvgDpi));
            svg.setSize(size);
            svg.setViewBox(QRect(QPoint(0, 0), size));
            svg.setTitle(title);
            svg.setDescription("CRUSTEX");
            drawn = drawon(&svg, ws, pc, host, inputs, options);
            break;
        }
        case PictureFileFormat::Png: {
            QImage image(picturepixels(options), QImage::Format_RGB32);
            image.fill(Qt::white);
            const int perMetre = static_cast<int>(std::lround(options.dpi / kMmPerInch * 1000));
            image.setDotsPerMeterX(perMetre);
            image.setDotsPerMeterY(perMetre);
            drawn = drawon(&image, ws, pc, host, inputs, options);
            written = drawn && image.save(&file, "PNG");
            break;
        }
    }
    if (!drawn) {
        file.cancelWriting();
        error = "the picture for '" + name + "' was not drawn";
        return false;
    }
    if (!written || !file.commit()) {
        error = "cannot write '" + name + "'";
        return false;
    }
    return true;
}

}  // namespace crustex
