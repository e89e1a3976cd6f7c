#include "files/storenames.h"

#include <string_view>

#include "files/workfile.h"

namespace crustex {

namespace {

std::string lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

bool endswith(std::string_view s, std::string_view tail) {
    return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

}  // namespace

StoreTarget storetarget(const std::string& chosen) {
    const std::string name = lower(chosen);
    if (endswith(name, ".flt")) return {FileKind::Source, chosen + ".txt"};
    if (endswith(name, ".flt.txt")) return {FileKind::Source, chosen};
    if (endswith(name, ".wrk")) return {FileKind::Work, chosen + ".txt"};
    if (endswith(name, ".wrk.txt")) return {FileKind::Work, chosen};
    return {};
}

FileKind openkind(const std::string& chosen) {
    const std::string name = lower(chosen);
    if (endswith(name, ".flt.txt")) return FileKind::Source;
    if (endswith(name, ".wrk.txt")) return FileKind::Work;
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
