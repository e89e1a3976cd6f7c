// Opening a slip-model file of any of the formats the program reads: the
// input files of stress-transfer studies (.inp), finite-source models (.fsp),
// the survey's finite-fault text (.param, also "basic_inversion.param") and
// the program's own patch CSV (.csv). The format follows from the file's
// extension, letter case aside, or, failing that, from its contents.
//
// Reading never touches the work state; installing a read and placed model
// replaces the work state's slip model (and, for a .inp file, the medium,
// the regional stress, the receivers and the section it brings). A file that
// cannot be used leaves everything as it was; its summary says why:
// "<file>, line N: reason" (see files/slipreport.h).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "files/centredpatch.h"
#include "files/inpfile.h"
#include "files/slipplace.h"
#include "files/slipreport.h"
#include "files/sourcefile.h"
#include "model/workstate.h"

namespace crustex {

enum class SlipFormat { Unknown, Inp, Fsp, Param, Csv };

// Files larger than this are refused (a 100,000-patch file is about 10 MB).
inline constexpr std::size_t kMaxSlipFileBytes = 256u * 1024u * 1024u;

// The format by the name's extension, else by the text.
SlipFormat slipformatof(std::string_view name, std::string_view text);

// What reading a file gave: a .inp model, or a table of centred patches.
struct SlipFileRead {
    SlipFormat format = SlipFormat::Unknown;
    std::optional<InpModel> inp;
    PatchTable table;
    ReadReport report;
};

// Reads a file's text; `name` is what messages call it and what picks the
// format.
SlipFileRead readslipbuffer(std::string_view text, const std::string& name);
// Reads a file (at most kMaxSlipFileBytes); messages name it by `path`.
SlipFileRead readslipfile(const std::string& path);

// The latitudes and longitudes the model covers: its patch centres, or a
// .inp file's Map info. None when the model is not geographic.
struct GeoBox {
    float lat1 = 0, lon1 = 0, lat2 = 0, lon2 = 0;  // south-west, north-east
};
std::optional<GeoBox> slipgeobox(const SlipFileRead& read);

// Places what was read (files/slipplace.h); false with the reason in
// read.report when nothing can be placed.
bool placeslipfile(SlipFileRead& read, const GeoFrame* geo, PlacedModel& out);

// The summary line of a read and placed file ("model.inp: 120 patches, 40
// receivers, ...") or of the reason it was refused.
std::string slipsummary(const SlipFileRead& read, const PlacedModel& placed);

// Replaces the work state's slip model by the placed one (its file name set
// to `file`); a .inp file also brings its medium (when given), regional
// stress, receivers and section. Results are marked stale.
void installslipmodel(WorkState& ws, const SlipFileRead& read, PlacedModel&& placed,
                      const std::string& file);

// The whole command: reads, places and installs the file. The work state is
// changed only on success; `summary` gets the line for the status strip or
// standard error either way.
bool loadslipfile(WorkState& ws, const GeoFrame* geo, const std::string& path,
                  std::string& summary);
// The same for a file already read from `path`.
bool loadslipread(WorkState& ws, const GeoFrame* geo, SlipFileRead& read, const std::string& path,
                  std::string& summary);

}  // namespace crustex
