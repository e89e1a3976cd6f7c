#include "ui/sectionwindow.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QDateTime>
#include <QFile>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "engine/fieldgrid.h"
#include "export/gridcsv.h"
#include "export/sectionexport.h"
#include "files/atomicfile.h"
#include "files/sourcefile.h"
#include "stress/sectiontraces.h"
#include "ui/pictureexport.h"
#include "ui/printpage.h"
#include "ui/qpaintersurface.h"
#include "ui/sitewindow.h"
#include "ui/workbench.h"

namespace crustex {

namespace {

constexpr const char* kShownInstead = "uz";
constexpr const char* kExportTitle = "Export Cross Section";
constexpr const char* kExportFilter =
    "PDF (*.pdf)|*.pdf|SVG (*.svg)|*.svg|PNG (*.png)|*.png|CSV (*.csv)|*.csv";
constexpr int kDefaultDpi = 300;

bool contoured(const WorkState& ws) {
    const QuantityInfo* q = findquantity(ws.quantitykey);
    return q != nullptr && q->kind == QuantityKind::Contour && quantityoffered(ws, *q);
}

// Shows the quantity the section draws in ws.quantitykey while it lives:
// the selected one when it has contours, else Displacement Z.
class ShownKey {
public:
    explicit ShownKey(WorkState& ws)
        : ws_(ws),
          kept_(contoured(ws) ? ws.quantitykey : std::exchange(ws.quantitykey, kShownInstead)) {}
    ~ShownKey() { ws_.quantitykey = std::move(kept_); }
    ShownKey(const ShownKey&) = delete;
    ShownKey& operator=(const ShownKey&) = delete;

private:
    WorkState& ws_;
    std::string kept_;
};

// The user scale that shows `view` on a page of `page` mm inside the
// margins (mm), aspect kept, centred; nothing when the margins leave no room.
std::optional<FrameView> pageview(const FrameView& view, QSizeF page, int xmargin, int ymargin) {
    const double roomw = page.width() - 2.0 * xmargin, roomh = page.height() - 2.0 * ymargin;
    if (!(roomw > 0) || !(roomh > 0)) return std::nullopt;
    const double mm = std::min(roomw / view.width, roomh / view.height);  // per frame unit
    return FrameView{static_cast<float>(view.left - (xmargin + (roomw - view.width * mm) / 2) / mm),
                     static_cast<float>(view.top - (ymargin + (roomh - view.height * mm) / 2) / mm),
                     static_cast<float>(page.width() / mm), static_cast<float>(page.height() / mm)};
}

// The name with ".pdf" when it has none of the offered extensions.
QString withextension(const QString& name) {
    for (const char* ext : {".pdf", ".svg", ".png", ".csv"})
        if (name.endsWith(ext, Qt::CaseInsensitive)) return name;
    return name + ".pdf";
}

}  // namespace

SectionWindow::SectionWindow(Workbench& wb, QWidget* parent)
    : QMainWindow(parent, Qt::Window),
      wb_(wb),
      surface_(std::make_unique<QPainterSurface>(600, 460)) {
    setObjectName("sectionwin");
    setWindowTitle("Cross Section");
    auto* client = new QWidget(this);
    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    picture_ = new SitePicture(
        *surface_, [this](int w, int h) { resizePicture(w, h); }, client);
    picture_->setObjectName("sectionpbx");
    note_ = new QLabel(client);
    note_->setObjectName("sectionnote");
    note_->setTextFormat(Qt::PlainText);
    note_->setFrameShape(QFrame::Panel);
    note_->setFrameShadow(QFrame::Sunken);
    note_->setWordWrap(true);
    note_->hide();
    layout->addWidget(picture_, 1);
    layout->addWidget(note_);
    setCentralWidget(client);
    surface_->onChanged = [this] { picture_->update(); };
    askResolution = [this]() -> std::optional<int> {
        bool ok = false;
        const int dpi = QInputDialog::getInt(this, kExportTitle, "Resolution (dpi):", kDefaultDpi,
                                             50, 1200, 50, &ok);
        if (!ok) return std::nullopt;
        return dpi;
    };
    buildMenus();
    resize(640, 520);
}

SectionWindow::~SectionWindow() { surface_->onChanged = nullptr; }

void SectionWindow::buildMenus() {
    auto item = [this](QMenu* menu, const char* name, const QString& caption,
                       std::function<void()> command) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(name);
        actions_.insert(name, a);
        connect(a, &QAction::triggered, this, [command] { command(); });
    };
    QMenu* file = menuBar()->addMenu("File");
    item(file, "printmenu", "Print...", [this] { print(); });
    item(file, "exportmenu", "Export...", [this] { exportFile(); });
    file->addSeparator();
    item(file, "closemenu", "Close", [this] { close(); });
    QMenu* edit = menuBar()->addMenu("Edit");
    item(edit, "copymenu", "Copy Picture", [this] { copyPicture(); });
    connect(file, &QMenu::aboutToShow, this, [this] {
        actions_.value("printmenu")->setEnabled(section_ != nullptr);
        actions_.value("exportmenu")->setEnabled(section_ != nullptr);
    });
}

void SectionWindow::showSection(const SectionChoice& choice) {
    choice_ = choice;
    show();
    raise();
    refresh(true);
}

void SectionWindow::refresh(bool modelchanged) {
    if (!isVisible() || !choice_) {
        if (modelchanged) section_.reset();
        return;
    }
    // Drawing lets the window system run: what it asks for meanwhile is
    // done when the drawing is.
    if (busy_) {
        pending_ = std::max(pending_, modelchanged ? 2 : 1);
        return;
    }
    busy_ = true;
    for (int round = modelchanged || !section_ ? 2 : 1; round != 0;
         round = std::exchange(pending_, 0)) {
        if (round == 2) evaluate();
        draw();
    }
    busy_ = false;
}

bool SectionWindow::evaluate() {
    section_.reset();
    if (!choice_ || (longWork && !longWork(true))) return false;
    WorkState& ws = wb_.state();
    Host& host = wb_.host();
    ws.abortflag = false;
    host.setBusy(true);
    host.setStatus(kGridStrainStatus);
    const PointsRun run{0, [&](int done, int total) {
                            host.showProgress(done, total);
                            return !abortrequested(host, ws.abortflag);
                        }};
    const NorthReference north =
        ws.needmap ? NorthReference{&wb_.projection(), &wb_.plot().frame} : NorthReference{};
    auto section = std::make_unique<Section>();
    const bool evaluated = evaluatesection(ws, choice_->spec, north, *section, run);
    host.setBusy(false);
    host.setStatus("");
    ws.abortflag = false;
    if (longWork) longWork(false);
    if (evaluated) section_ = std::move(section);
    return evaluated;
}

void SectionWindow::resizePicture(int width, int height) {
    surface_->resize(width, height);
    // Not within the resize: drawing lets the window system run.
    QTimer::singleShot(0, this, [this] { refresh(false); });
}

void SectionWindow::setNote(const QString& text) {
    note_->setText(text);
    note_->setVisible(!text.isEmpty());
}

SectionPictureInputs SectionWindow::inputs() {
    const WorkState& ws = wb_.state();
    SectionPictureInputs in;
    in.section = section_.get();
    in.traces = sectiontraces(ws, choice_->spec);
    in.eventwithin = choice_->eventwithin;
    if (ws.needmap && ws.needevent)
        in.events = sectionevents(ws.eventtable, choice_->spec, in.eventwithin, wb_.projection(),
                                  wb_.plot().frame);
    return in;
}

bool SectionWindow::drawOn(Surface& on) {
    WorkState& ws = wb_.state();
    PlotContext pc = wb_.plot();
    pc.screen = &on;
    pc.target = &on;
    SectionPictureInputs in = inputs();
    ShownKey key(ws);
    return drawsectionpicture(ws, pc, wb_.host(), in) == SectionOutcome::Drawn && !ws.abortflag;
}

void SectionWindow::draw() {
    surface_->setAutoRedraw(true);
    if (!section_) {
        surface_->Cls();
        setNote(choice_ ? " The section was not evaluated: Redraw Picture evaluates it again"
                        : QString());
        picture_->update();
        return;
    }
    showfitted(*surface_, sectionview(choice_->spec));
    const WorkState& ws = wb_.state();
    QString note;
    if (!contoured(ws)) {
        const QuantityInfo* q = findquantity(ws.quantitykey);
        note = q ? " " + QString::fromUtf8(q->title.data(), q->title.size()) +
                       " has no contours: the section shows Displacement Z"
                 : QString(" No contour quantity is selected: the section shows Displacement Z");
    }
    drawOn(*surface_);
    setNote(note);
    picture_->update();
}

void SectionWindow::print() {
    if (!section_) return;
    QPrinter printer(QPrinter::HighResolution);
    const std::optional<QSizeF> page = chooseprinterpage(printer, printDialog, this);
    if (!page) return;
    WorkState& ws = wb_.state();
    const std::optional<FrameView> shown =
        pageview(sectionview(choice_->spec), *page, ws.xmargin, ws.ymargin);
    if (!shown) {
        reportnoprintroom(wb_.host());
        return;
    }
    QPainterSurface paper(&printer);
    paper.setScale(shown->left, shown->top, shown->width, shown->height);
    paper.setFontSize(surface_->FontSize());
    const bool work = longWork && longWork(true);
    ws.abortflag = false;
    // Ctrl-Q during drawing cancels the job.
    if (!drawOn(paper)) printer.abort();
    ws.abortflag = false;
    if (work) longWork(false);
    paper.flush();
}

void SectionWindow::copyPicture() {
    QClipboard* clip = QGuiApplication::clipboard();
    clip->clear();
    clip->setImage(surface_->image());
}

bool SectionWindow::exportFile() {
    if (!section_ || !askSaveFile) return false;
    QString name = askSaveFile(kExportTitle, kExportFilter);
    if (name.isEmpty()) return false;
    name = withextension(name);
    const std::string path = QFile::encodeName(name).toStdString();
    if (name.endsWith(".csv", Qt::CaseInsensitive)) {
        if (writeCsv(path)) return true;
        openerrormessage(wb_.host());
        return false;
    }
    PictureFileOptions options;
    options.path = path;
    options.format = picturefileformat(path).value_or(PictureFileFormat::Pdf);
    options.fontsize = surface_->FontSize();
    const FrameView view = sectionview(choice_->spec);
    options.heightmm = options.widthmm * view.height / view.width;
    if (options.format == PictureFileFormat::Png) {
        const std::optional<int> dpi = askResolution ? askResolution() : kDefaultDpi;
        if (!dpi) return false;
        options.dpi = *dpi;
    }
    WorkState& ws = wb_.state();
    const bool work = longWork && longWork(true);
    ws.abortflag = false;
    SectionPictureInputs in = inputs();
    std::string error;
    bool written = false;
    {
        ShownKey key(ws);
        written = writesectionpicturefile(ws, wb_.plot(), wb_.host(), in, options, error);
    }
    if (work) longWork(false);
    // Ctrl-Q during drawing abandons the file without a message.
    if (!written && !ws.abortflag) {
        wb_.host().setStatus(error);
        openerrormessage(wb_.host());
    }
    ws.abortflag = false;
    return written;
}

bool SectionWindow::writeCsv(const std::string& path) {
    const WorkState& ws = wb_.state();
    std::vector<const QuantityName*> quantities = defaultgridquantities();
    const QuantityName* shown = findquantityname(contoured(ws) ? ws.quantitykey : kShownInstead);
    if (shown && std::find(quantities.begin(), quantities.end(), shown) == quantities.end())
        quantities.push_back(shown);
    const GridProvenance provenance{
        std::string("CRUSTEX ") + kProgramVersion,
        QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toStdString() +
            " CRUSTEX Cross Section Export..."};
    const GeoFrame geo{wb_.projection(), wb_.plot().frame};
    const FieldGridExport grid = collectsection(ws, *section_, gridvariables(quantities),
                                                ws.needmap ? &geo : nullptr, provenance);
    return writefileatomic(path, gridcsvtext(grid));
}

void SectionWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    hide();
}

}  // namespace crustex
