// What the file commands do with the name the user chose.
#pragma once

#include <string>

#include "files/sourcefile.h"
#include "model/host.h"
#include "model/workstate.h"

namespace crustex {

enum class FileKind { None, Source, Work };

struct StoreTarget {
    FileKind kind = FileKind::None;
    std::string path;  // the name to write, ".txt" added where the rule says
};

// "Store Source..." and "Store Source with Map....": compared lower-cased, a
// name ending in ".flt" gets ".txt" appended and is a source file, one ending
// in ".flt.txt" is a source file; else ".wrk" gets ".txt" appended and is a
// work file, ".wrk.txt" is a work file; any other name writes nothing.
StoreTarget storetarget(const std::string& chosen);

// "Open Source....": the last 8 characters of the lower-cased name decide:
// ".flt.txt" a source file, ".wrk.txt" a work file, anything else nothing.
FileKind openkind(const std::string& chosen);

// Carries out "Store Source..." (withmap false) or "Store Source with
// Map...." (withmap true) for the chosen name. Returns the kind written, or
// None when the name fits no rule or the write failed ("Open Error" shown).
FileKind storesourcecommand(const WorkState& ws, Host& host, const GeoFrame& geo,
                            const std::string& chosen, bool withmap);

}  // namespace crustex
