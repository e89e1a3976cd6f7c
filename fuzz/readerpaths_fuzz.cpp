// Opens one path through every data-file reader. The first byte chooses what
// the path names: a regular file holding the other bytes, a FIFO without a
// writer, a directory, a symbolic link that leads to itself, or /dev/null.
// No reader may wait on the path or crash on it; a reader that waited would
// hold the target until libFuzzer's timeout reports it.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "files/arealist.h"
#include "files/settingsfile.h"
#include "files/sitefile.h"
#include "files/workfile.h"
#include "fuzz/fuzzinput.h"
#include "geo/demtiles.h"
#include "geo/eventcatalogue.h"
#include "geo/mapdraw.h"
#include "geo/volcanoes.h"
#include "model/fsutil.h"
#include "plot/palette.h"
#include "plot/recordingsurface.h"

namespace {

namespace fs = std::filesystem;

// A folder of the run holding, in a subfolder per kind, "fixarea.lst" as a
// regular file, a FIFO, a directory and a link to itself.
struct Paths {
    fs::path root;
    Paths() {
        std::string name = (fs::temp_directory_path() / "crustex-readerpaths-XXXXXX").string();
        root = ::mkdtemp(name.data());
        for (const char* kind : {"file", "fifo", "dir", "loop"})
            fs::create_directories(root / kind);
        ::mkfifo(list("fifo").c_str(), 0600);
        fs::create_directories(list("dir"));
        fs::create_symlink(list("loop"), list("loop"));
    }
    ~Paths() {
        std::error_code ec;
        fs::remove_all(root, ec);
    }
    std::string list(const char* kind) const { return (root / kind / "fixarea.lst").string(); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace crustex;
    if (size == 0) return 0;
    static const Paths paths;
    static const char* const kinds[] = {"file", "fifo", "dir", "loop", nullptr};
    const char* kind = kinds[data[0] % 5];
    const std::string path = kind ? paths.list(kind) : "/dev/null";
    const std::string dir = kind ? (paths.root / kind).string() : "/dev";
    if (kind == nullptr) readarealist(dir);
    const std::string content = fuzz::bytes(data + 1, size - 1);
    if (kind == kinds[0]) std::ofstream(path, std::ios::binary) << content;

    fuzz::Reading in;
    const SourceFileHooks hooks = in.maphooks(data[0] >> 3);
    readworkfile(in.ws, in.host, in.proj, in.frame, path, hooks.checkmapdata);
    readsourcefile(in.ws, in.host, in.geo(), path, hooks);
    readsitefile(in.ws, in.host, in.geo(), path, hooks);
    WindowPlaces places;
    readsettings(in.ws, places, path);
    // Saving keeps a list file not read whole, and refuses what is no
    // regular file (nothing is written under /dev).
    if (kind != nullptr) savearealist(dir, readarealist(dir));

    EventTable table;
    readevents(path, eventselection(in.ws), table, in.host);
    Projection proj;
    if (setprojection(proj, in.ws)) {
        Palette palette;
        const MapColors colors = initmapconst(palette);
        RecordingSurface surface;
        const MapView view{proj, surface, colors, 30, 40, 130, 140};
        drawmapfile(path, view, 0);
    }
    // The topography tiles and the volcano list are read whole.
    std::string text;
    if (readwholefile(path, text)) {
        readdemfile(text, 8);
        parsevolcanoes(text);
    }
    return 0;
}
