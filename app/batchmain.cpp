// crustex-batch: pictures, grids, contour lines, site tables and vertical
// sections from work files, without a window or a display. The runs themselves live in the
// core (export/batchrun.h); this program adds the pictures, painted by Qt
// offscreen.
#include <unistd.h>

#include <QGuiApplication>
#include <climits>
#include <csignal>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "export/batchrun.h"
#include "export/fieldexport.h"
#include "files/atomicfile.h"
#include "ui/pictureexport.h"

// Where an installation keeps the shipped data (set by the build).
#ifndef CRUSTEX_DATA_DIR
#define CRUSTEX_DATA_DIR ""
#endif

namespace {

using namespace crustex;

// Qt's own warnings (no runtime directory, fonts) are not the program's
// words: only its critical messages reach standard error.
void qtmessages(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "crustex-batch: %s\n", text.toLocal8Bit().constData());
    if (type == QtFatalMsg) std::abort();
}

class QtRenderer : public PictureRenderer {
public:
    QtRenderer(int& argc, char** argv) : argc_(argc), argv_(argv) {}

    bool render(WorkState& ws, PlotContext& pc, Projection& proj, Host& host, SiteResults* sites,
                const BatchRequest& req, std::string& error) override {
        startapplication();
        PictureInputs in;
        in.projection = &proj;
        in.sites = sites;
        return writepicturefile(ws, pc, host, in, fileoptions(req), error);
    }

    bool rendersection(WorkState& ws, PlotContext& pc, Host& host, SectionPictureInputs& section,
                       const BatchRequest& req, std::string& error) override {
        startapplication();
        PictureFileOptions options = fileoptions(req);
        if (!req.size) {
            // The default width, in the aspect of the section's picture.
            const FrameView view = sectionview(section.section->spec);
            options.heightmm = options.widthmm * view.height / view.width;
        }
        return writesectionpicturefile(ws, pc, host, section, options, error);
    }

private:
    void startapplication() {
        if (app_) return;
        // Painting needs a GUI application but never a display.
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        app_ = std::make_unique<QGuiApplication>(argc_, argv_);
    }

    static PictureFileOptions fileoptions(const BatchRequest& req) {
        PictureFileOptions options;
        options.path = req.output;
        options.format = req.format == OutputFormat::Svg   ? PictureFileFormat::Svg
                         : req.format == OutputFormat::Png ? PictureFileFormat::Png
                                                           : PictureFileFormat::Pdf;
        const PictureSize size = req.size.value_or(defaultpicturesize());
        options.widthmm = size.widthmm(req.dpi);
        options.heightmm = size.heightmm(req.dpi);
        options.dpi = req.dpi;
        return options;
    }

    int& argc_;
    char** argv_;
    std::unique_ptr<QGuiApplication> app_;
};

// An interrupt, a termination or a hang-up takes the file being written
// with it, then ends the program as the signal would have. A signal the
// program was started to ignore (nohup) stays ignored.
void removetemporaryandend(int signal) {
    removelivetemporaries();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void endwritesonsignals() {
    struct sigaction action {};
    action.sa_handler = removetemporaryandend;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction old {};
        if (sigaction(signal, nullptr, &old) == 0 && old.sa_handler != SIG_IGN)
            sigaction(signal, &action, nullptr);
    }
}

std::string programdir() {
    char buf[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return ".";
    const std::string exe(buf, static_cast<std::size_t>(n));
    const std::size_t slash = exe.find_last_of('/');
    return slash == std::string::npos ? "." : exe.substr(0, slash);
}

std::string currentdir() {
    char buf[PATH_MAX];
    return ::getcwd(buf, sizeof buf) ? std::string(buf) : std::string(".");
}

std::string commandline(const std::vector<std::string>& args) {
    std::string out = "crustex-batch";
    for (const std::string& a : args) {
        const bool quote = a.empty() || a.find_first_of(" \t'\"") != std::string::npos;
        out += quote ? " '" + a + "'" : " " + a;
    }
    return out;
}

}  // namespace

int main(int argc, char* argv[]) {
    qInstallMessageHandler(qtmessages);
    endwritesonsignals();
    const std::vector<std::string> args(argv + 1, argv + argc);
    const BatchArgs parsed = parsebatchargs(args);
    StderrHost host;
    if (parsed.help) {
        std::fputs(batchusage().c_str(), stdout);
        return kBatchOk;
    }
    if (parsed.version) {
        std::printf("crustex-batch %s\n", kProgramVersion);
        return kBatchOk;
    }
    if (!parsed.request) {
        host.report(parsed.error + " (crustex-batch --help shows the usage)");
        return kBatchBadInput;
    }
    const BatchEnvironment env{programdir(), CRUSTEX_DATA_DIR, currentdir(), commandline(args)};
    QtRenderer renderer(argc, argv);
    return runbatch(*parsed.request, env, host, &renderer);
}
