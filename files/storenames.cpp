#include "files/storenames.h"

#include "files/appdir.h"
#include "files/workfile.h"

namespace crustex {

StoreTarget storetarget(const std::string& chosen) {
    const std::string name = asciilower(chosen);
    if (name.ends_with(".flt")) return {FileKind::Source, chosen + ".txt"};
    if (name.ends_with(".flt.txt")) return {FileKind::Source, chosen};
    if (name.ends_with(".wrk")) return {FileKind::Work, chosen + ".txt"};
    if (name.ends_with(".wrk.txt")) return {FileKind::Work, chosen};
    return {};
}

FileKind openkind(const std::string& chosen) {
    const std::string name = asciilower(chosen);
    if (name.ends_with(".flt.txt")) return FileKind::Source;
    if (name.ends_with(".wrk.txt")) return FileKind::Work;
    return FileKind::None;
}

FileKind storesourcecommand(const WorkState& ws, Host& host, const GeoFrame& geo,
                            const std::string& chosen, bool withmap) {
    const StoreTarget t = storetarget(chosen);
    bool ok = false;
    switch (t.kind) {
        case FileKind::None: return FileKind::None;
        case FileKind::Source:
            ok = withmap ? storesourcemap(ws, host, geo, t.path) : storesource(ws, host, t.path);
            break;
        case FileKind::Work: ok = storework(ws, host, geo, t.path); break;
    }
    return ok ? t.kind : FileKind::None;
}

}  // namespace crustex
