// Source files "*.flt.txt": the source list in plane field coordinates
// ("fltxy2", written by "Store Source...") or in geographic form with the map
// range ("maparea" then "fltga2", written by "Store Source with Map...."),
// and the older ten-value records ("fltxy", "fltga", "fltgd").
//
// The source-list records here are shared with the work file.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "files/recordio.h"
#include "geo/projection.h"
#include "model/faultrec.h"
#include "model/host.h"
#include "model/workstate.h"
#include "plot/plotframe.h"

namespace crustex {

// The projection and plot frame that geographic records are converted with.
struct GeoFrame {
    const Projection& proj;
    const PlotFrame& frame;
};

// How the records of a source list are laid out.
enum class SourceForm {
    Plane15,       // "fltxy" in a work file, "fltxy2"
    Plane10,       // "fltxy" in an old source file
    Geographic15,  // "fltga" in a work file, "fltga2"
    Geographic10,  // "fltga" in an old source file
    GeoSlip10,     // "fltgd": geographic with dip-slip and strike-slip components
};

// One record of each form written onto the current line.
void writeplanerecord(RecordWriter& w, const faultrec& f);
void writegeorecord(RecordWriter& w, const faultrec& f, const GeoFrame& geo);

// Reads one record of the given form. False on a field error (f may then be
// partly filled).
bool readsourcerecord(RecordReader& r, SourceForm form, const GeoFrame& geo, faultrec& f);

// Reads a source list: the count, then up to 20 records, which replace
// `scratch`. A list that the end of the file cuts short of its count
// replaces `scratch` with what was read and returns Cut; a 21st record is
// not read: the fault limit warning is shown and the field after the
// twentieth record is left for the next keyword. A list with a source type
// other than 0 (fault) or 1 (inflation point), or with a value that the
// source editor would refuse for the source's type (a fault's depth, width
// or dip, a point's depth), is refused whole and `scratch` kept; so it is
// after a field error (Broken).
RecordRead readsourcelist(RecordReader& r, SourceForm form, const GeoFrame& geo, Host& host,
                          std::vector<faultrec>& scratch);

// Installs a read list: nfault = its size and sources 1..n replaced; the
// quantity key is cleared and the grid and CFF results marked stale. The
// caller rebuilds the source editor's list and redraws the overlay.
void installsources(WorkState& ws, const std::vector<faultrec>& list);

// Tells whether the map data files are present (the coast line file
// "japanv.map" in the map directory). The default check applies what the
// missing files mean (checkmapdata): no coast file clears needmap, no
// "1km" directory the topography contours.
using MapDataCheck = std::function<bool(WorkState&)>;
bool coastfilepresent(WorkState& ws);

// "Map File not Exist in " followed by the map directory ("Error", critical).
void mapmissingmessage(const WorkState& ws, Host& host);

// "Open Error" ("Error", critical).
void openerrormessage(Host& host);
// The same after explaining it: "Open Error: ", the file and ": ", and the
// reason ("no such file", "not a regular file (a FIFO)", ...).
void openerrormessage(Host& host, const std::string& path, const std::string& why);
// True when the chosen file opens for reading as a regular file; else the
// explained "Open Error" is shown and false returned (a FIFO is refused at
// once, without waiting for a writer).
bool openablefile(Host& host, const std::string& path);

// Writes text to path through a temporary file (writefileatomic); when that
// fails "Open Error" is shown and false returned.
bool storetext(Host& host, const std::string& path, std::string_view text);
// Reads a whole file into content; when it cannot be read (a FIFO, a
// directory or anything else that is not a regular file, a file over the
// size cap) "Open Error" is shown, explained with the path and the reason,
// and false returned.
bool loadtext(Host& host, const std::string& path, std::string& content);

// The file's text for "Store Source...": "fltxy2" with the count, then one
// plane record per source.
std::string sourcefiletext(const WorkState& ws);
// The file's text for "Store Source with Map....": "maparea" with the four
// corners, then "fltga2" with the count and one geographic record per source.
std::string sourcemapfiletext(const WorkState& ws, const GeoFrame& geo);

// Write the two source files; on failure "Open Error" is shown and false
// returned.
bool storesource(const WorkState& ws, Host& host, const std::string& path);
bool storesourcemap(const WorkState& ws, Host& host, const GeoFrame& geo, const std::string& path);

struct SourceFileHooks {
    MapDataCheck checkmapdata = coastfilepresent;
    // "maparea": shows the map dialog with these corners and the map check
    // box on; its OK applies the range and draws the map (setting up the
    // projection that later geographic records use). Without a hook the
    // corners are passed over.
    std::function<void(float lat1, float lon1, float lat2, float lon2)> showmapdialog;
};

struct SourceReadResult {
    bool opened = false;  // false: "Open Error" shown, nothing read
    // "Input Error" shown: a field could not be read (the source list is
    // unchanged), a list was refused (a later good list is still taken) or
    // cut short by the end of the file (what was read is taken).
    bool inputerror = false;
    bool mapmissing = false;  // "Map File not Exist in ..." shown; reading stopped
    int nsources = 0;         // sources installed; 0 when the list is unchanged
};

// Reads a source file; keywords are compared lower-cased. When the file was
// read to its end and a list was taken, the sources are installed
// (installsources); the caller then rebuilds the
// source editor's list and redraws the overlay. Messages go through host.
SourceReadResult readsourcefile(WorkState& ws, Host& host, const GeoFrame& geo,
                                const std::string& path, const SourceFileHooks& hooks = {});

// The same on file contents already in memory; name is the file named in
// the explanations of the messages ("" for none).
SourceReadResult readsourcetext(WorkState& ws, Host& host, const GeoFrame& geo, std::string content,
                                const SourceFileHooks& hooks = {}, const std::string& name = "");

}  // namespace crustex
