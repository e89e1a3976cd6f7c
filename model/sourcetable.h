// The source table as the editor and the source files see it: storing the
// editor's boxes into a record, the names of the source list's entries and
// the twenty-source limit.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/faultrec.h"
#include "model/formcheck.h"
#include "model/host.h"

namespace crustex {

// The texts of the source editor's fourteen numeric boxes.
struct SourceTexts {
    std::string fx0, fx1, fy0, fy1;
    std::string fdipangle, fwidth, fdepth;
    std::string slip, rakeangle, tensile;
    std::string px, py, pdepth, piso;
};

// The editor's boxes for a record, each written with "0.##".
SourceTexts sourcetexts(const faultrec& f);

// Checks the boxes in the order fx0, fx1, fy0, fy1, fdipangle, fwidth,
// fdepth, slip, rakeangle, tensile, px, py, pdepth, piso (every one must be a
// number; the bounds come from the source editor's table), then refuses a
// fault whose two edges coincide (reported on "fx0"). On success all
// fourteen fields are stored into `rec` (its sourcetype is kept); on a
// rejection `rec` is untouched.
FormCheck storetxt(const SourceTexts& texts, faultrec& rec);

// Source list entries.
inline constexpr std::string_view kSingleFaultEntry = "Single Fault";
inline constexpr std::string_view kSinglePointEntry = "Single Point";
inline constexpr std::string_view kMultiSourcePrefix = "Multi-Source";

// "Multi-Source" followed by k formatted with "#": multisourceentry(3) is
// "Multi-Source3".
std::string multisourceentry(int k);

// The number K of a "Multi-SourceK" entry, or 0 for any other text.
int multisourcenumber(std::string_view entry);

// The list for a work with `count` sources: "Single Fault", "Single Point",
// and, when count is above 1, "Multi-Source1" .. "Multi-Source<count>".
std::vector<std::string> sourcelistentries(int count);

// "You can Take only 20 sources": the warning for a source beyond the limit.
std::string sourcelimittext();
// "You can Take only 20 Faults": the same for a source or work file.
std::string faultlimittext();

// Shows the editor's limit warning ("Warning", exclamation icon, OK).
void sourcelimitmessage(Host& host);
// Shows the file readers' limit warning.
void faultlimitmessage(Host& host);

// True when one more source may be added to a list of `count` sources;
// otherwise shows the limit warning and returns false.
bool addsourceallowed(int count, Host& host);

}  // namespace crustex
