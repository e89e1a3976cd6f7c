#include "ui/pictureexport.h"

#include <QIODevice>
#include <QImage>
#include <QPageSize>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <algorithm>
#include <cctype>
#include <cmath>
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

bool writepicturefile(WorkState& ws, PlotContext& pc, Host& host, const PictureInputs& inputs,
                      const PictureFileOptions& options, std::string& error) {
    const std::string& name = options.path;
    ReplacementDevice file(name);
    if (!file.isOpen()) {
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
            drawn = drawon(&image, ws, pc, host, inputs, options);
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

}  // namespace crustex
