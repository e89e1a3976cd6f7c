#include "ui/pictureexport.h"

#include <QIODevice>
#include <QImage>
#include <QPageSize>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <functional>
#include <string_view>

#include "compose/pubpicture.h"
#include "files/atomicfile.h"
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

// Per format its extension and the bytes a whole file ends with (PDF may
// add a line end after its end mark).
struct FormatEnd {
    PictureFileFormat format;
    std::string_view extension;
    std::string_view ending;
};
constexpr std::string_view kPngEnd("IEND\xAE\x42\x60\x82", 8);
constexpr FormatEnd kFormats[] = {
    {PictureFileFormat::Pdf, ".pdf", "%%EOF"},
    {PictureFileFormat::Svg, ".svg", "</svg>"},
    {PictureFileFormat::Png, ".png", kPngEnd},
};

std::string_view endingof(PictureFileFormat format) {
    for (const FormatEnd& f : kFormats)
        if (f.format == format) return f.ending;
    return {};
}

// Hands what a Qt writer writes to a replacement of the file, and keeps the
// first failure and the last bytes written.
class ReplacementDevice : public QIODevice {
public:
    explicit ReplacementDevice(const std::string& path) : file_(path) {
        if (file_.ok()) open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }
    bool isSequential() const override { return true; }
    // Puts the file in place when every write succeeded and it ends with
    // `ending` (trailing blanks and line ends aside).
    bool commit(std::string_view ending) {
        std::string_view tail = tail_;
        while (!tail.empty() && std::string_view(" \r\n").find(tail.back()) != tail.npos)
            tail.remove_suffix(1);
        return !failed_ && tail.ends_with(ending) && file_.commit();
    }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        const std::string_view piece(data, static_cast<std::size_t>(size));
        if (failed_ || !file_.write(piece)) {
            failed_ = true;
            return -1;
        }
        tail_ += piece.substr(piece.size() - std::min<std::size_t>(piece.size(), kTail));
        if (tail_.size() > kTail) tail_.erase(0, tail_.size() - kTail);
        return size;
    }

private:
    static constexpr std::size_t kTail = 16;
    AtomicWriter file_;
    std::string tail_;
    bool failed_ = false;
};

// The user scale that shows `box` fitted into the device, aspect kept,
// centred.
FrameView devicefit(const QPainterSurface& s, const FrameView& box) {
    const double w = box.width, h = box.height;
    const double pw = std::max(1, s.pixelWidth() - 1);
    const double ph = std::max(1, s.pixelHeight() - 1);
    if (pw / ph > w / h) {
        const double sw = h * pw / ph;
        return {static_cast<float>(box.left - (sw - w) / 2), box.top, static_cast<float>(sw),
                static_cast<float>(h)};
    }
    const double sh = w * ph / pw;
    return {box.left, static_cast<float>(box.top - (sh - h) / 2), static_cast<float>(w),
            static_cast<float>(sh)};
}

// Where the drawing goes on the page: the nominal frame (kFrameLeft..
// kFrameRight by kFrameTop..kFrameBottom) fitted into the device with the
// part of the frame the picture shows (`view`) in its place, or `view`
// itself fitted into the device.
struct PagePlace {
    FrameView view;
    bool nominalplace = true;
};

void fitframe(QPainterSurface& s, const PagePlace& place) {
    const FrameView shown = place.nominalplace ? fitview(devicefit(s, FrameView{}), place.view)
                                               : devicefit(s, place.view);
    s.setScale(shown.left, shown.top, shown.width, shown.height);
}

// Draws onto a page surface; false when the drawing was not made whole.
using PageDrawing = std::function<bool(Surface& page)>;

// Draws on the device at its place.
bool drawon(QPaintDevice* device, const PagePlace& place, const PictureFileOptions& options,
            const PageDrawing& draw) {
    QPainterSurface page(device);
    fitframe(page, place);
    page.setFontSize(options.fontsize);
    page.setPenScale(page.pixelsPerUnitX());
    const bool drawn = draw(page);
    page.flush();
    return drawn;
}

QString titleof(const WorkState& ws, std::string_view suffix = {}) {
    const QuantityInfo* q = findquantity(ws.quantitykey);
    if (q == nullptr) return QString();
    return QString::fromUtf8(q->title.data(), qsizetype(q->title.size())) +
           QString::fromUtf8(suffix.data(), qsizetype(suffix.size()));
}

// Writes the file of the drawing: the page, the SVG drawing or the image
// for the options.
bool writedrawing(const PictureFileOptions& options, const PagePlace& view, const QString& title,
                  const PageDrawing& draw, std::string& error) {
    const std::string& name = options.path;
    ReplacementDevice file(name);
    if (!file.isOpen()) {
        error = "cannot write '" + name + "'";
        return false;
    }
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
            drawn = drawon(&pdf, view, options, draw);
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
            drawn = drawon(&svg, view, options, draw);
            break;
        }
        case PictureFileFormat::Png: {
            const QSize pixels = picturepixels(options);
            QImage image(pixels, QImage::Format_RGB32);
            if (image.isNull()) {
                error = "cannot write '" + name + "': an image of " +
                        std::to_string(pixels.width()) + " x " + std::to_string(pixels.height()) +
                        " pixels could not be allocated";
                return false;
            }
            image.fill(Qt::white);
            const int perMetre = static_cast<int>(std::lround(options.dpi / kMmPerInch * 1000));
            image.setDotsPerMeterX(perMetre);
            image.setDotsPerMeterY(perMetre);
            drawn = drawon(&image, view, options, draw);
            written = drawn && image.save(&file, "PNG");
            break;
        }
    }
    if (!drawn) {
        error = "the picture for '" + name + "' was not drawn";
        return false;
    }
    if (!written || !file.commit(endingof(options.format))) {
        error = "cannot write '" + name + "'";
        return false;
    }
    return true;
}

}  // namespace

std::optional<PictureFileFormat> picturefileformat(const std::string& path) {
    for (const FormatEnd& f : kFormats) {
        if (path.size() < f.extension.size()) continue;
        const auto end = path.end() - static_cast<std::ptrdiff_t>(f.extension.size());
        if (std::equal(end, path.end(), f.extension.begin(), [](char a, char b) {
                return std::tolower(static_cast<unsigned char>(a)) == b;
            }))
            return f.format;
    }
    return std::nullopt;
}

QSize picturepixels(const PictureFileOptions& options) {
    return {topixels(options.widthmm, options.dpi), topixels(options.heightmm, options.dpi)};
}

void showfitted(QPainterSurface& surface, const FrameView& view) {
    const FrameView shown = devicefit(surface, view);
    surface.setScale(shown.left, shown.top, shown.width, shown.height);
}

bool writepicturefile(WorkState& ws, PlotContext& pc, Host& host, const PictureInputs& inputs,
                      const PictureFileOptions& options, std::string& error) {
    return writedrawing(
        options, {pictureview(ws)}, titleof(ws),
        [&](Surface& page) {
            Surface* screen = pc.screen;
            Surface* target = pc.target;
            pc.screen = &page;
            pc.target = &page;
            const PictureOutcome outcome = drawpicture(ws, pc, host, "screen", inputs);
            pc.screen = screen;
            pc.target = target;
            return outcome == PictureOutcome::Drawn && !ws.abortflag;
        },
        error);
}

bool writesectionpicturefile(WorkState& ws, PlotContext& pc, Host& host,
                             SectionPictureInputs& section, const PictureFileOptions& options,
                             std::string& error) {
    return writedrawing(
        options, {sectionview(section.section->spec), false}, titleof(ws, " (vertical section)"),
        [&](Surface& page) {
            PlotContext onpage = pc;
            onpage.screen = &page;
            onpage.target = &page;
            return drawsectionpicture(ws, onpage, host, section) == SectionOutcome::Drawn;
        },
        error);
}

}  // namespace crustex
