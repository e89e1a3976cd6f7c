// Work files "*.wrk.txt" and the last work "lastwork.ini": the whole state
// of a piece of work (catalogue path, map, earthquake selection, receiver
// fault, visualization, custom weights, field and sources).
//
// The state records are shared with the settings file. Each record is read
// whole and checked before it is applied, so a damaged file never leaves a
// record half-applied. A record holding a value that its dialog would
// refuse (a field depth of -5, a map range whose north edge lies south of
// its south edge, a grid over kMaxGridNodes nodes, a source 20 km above
// the surface, ...) is passed over and the reading goes on; a field that
// cannot be read ends the reading, and the records before it stay applied.
// The field's corners and width are not held to the field dialog's 10000
// km, nor the map range's east limit to 180: a field over a wide map, and a
// range across the date line, are stored so. Every "Input Error" is
// explained (Host::explain) with the file and the first reason.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "files/recordio.h"
#include "files/sourcefile.h"
#include "files/workslip.h"
#include "geo/projection.h"
#include "model/host.h"
#include "model/workstate.h"
#include "plot/plotframe.h"

namespace crustex {

inline constexpr const char* kWorkFileHeader =
    "//// This is a work-file for CRUSTEX. You should not edit this. ////";

// --- State records: the keyword and its values on one line. ---
void writevhyppath(RecordWriter& w, const WorkState& ws);
void writemaparea(RecordWriter& w, const WorkState& ws);
void writemapextra(RecordWriter& w, const WorkState& ws);
void writeeventpara(RecordWriter& w, const WorkState& ws);
void writecffpara(RecordWriter& w, const WorkState& ws);
void writecffextra(RecordWriter& w, const WorkState& ws);
void writevisualpara(RecordWriter& w, const WorkState& ws);
// The eighth value is always 0: the yz weight is not carried by files.
void writecustompara(RecordWriter& w, const WorkState& ws);
void writefieldpara(RecordWriter& w, const WorkState& ws);
// "pubstyle",#TRUE# while the publication style is on; nothing otherwise,
// so files of the screen style stay as they always were. A reader that
// does not know the keyword skips it and its value like any unknown text.
void writepubstyle(RecordWriter& w, const WorkState& ws);
// "topography",colour,contour (after "mapextra") while the map or either
// topography layer is on; nothing otherwise, so that files without a map
// stay as they always were. Readers that do not know the keyword skip it
// and its values like any unknown text.
void writetopography(RecordWriter& w, const WorkState& ws);

// Reading the values that follow a record's keyword. Nothing of the record
// is applied unless all of it is.
RecordRead readvhyppath(RecordReader& r, WorkState& ws);
RecordRead readmaparea(RecordReader& r, WorkState& ws);
// A graticule interval of 0 (no graticule) is taken; a data skip below 1 is
// stored as 1.
RecordRead readmapextra(RecordReader& r, WorkState& ws);
RecordRead readeventpara(RecordReader& r, WorkState& ws);
RecordRead readcffpara(RecordReader& r, WorkState& ws);
RecordRead readcffextra(RecordReader& r, WorkState& ws);
RecordRead readvisualpara(RecordReader& r, WorkState& ws);
// The eighth value is read and dropped.
RecordRead readcustompara(RecordReader& r, WorkState& ws);
// Also sets the plot window to 0..rwidth by 0..rwidth * 51 / 64.
RecordRead readfieldpara(RecordReader& r, WorkState& ws, PlotFrame& frame);
// A file without the record leaves the style as it is.
RecordRead readpubstyle(RecordReader& r, WorkState& ws);
// The two topography switches; a file without the record leaves them.
RecordRead readtopography(RecordReader& r, WorkState& ws);
// Reads the record of `keyword` when it is one that the work file and the
// settings file both carry ("maparea", "eventpara", "cffpara",
// "visualpara", "custompara", "pubstyle"); nothing for any other keyword.
std::optional<RecordRead> readsharedrecord(std::string_view keyword, RecordReader& r,
                                           WorkState& ws);

// The work file's text: the header line, the nine state records (and the
// style record after "visualpara" while the publication style is on), then
// the sources: "fltga" in geographic form while the map is on, else
// "fltxy". A mapdir path (files/workmapdir.h) is written as the "mapdir"
// record after "vhyppath", a slip model (files/workslip.h) as the
// "slipmodel" record after the sources.
std::string workfiletext(const WorkState& ws, const GeoFrame& geo, const std::string& mapdir = "",
                         const std::optional<SlipModelRecord>& slip = std::nullopt);

// Writes a work file (also "lastwork.ini") through a temporary file, so the
// previous file survives a failure; on failure "Open Error" is shown and
// false returned. The map directory is named in a "mapdir" record, relative
// to the work file, when it is the work file's directory or below it, or
// when both lie in one data tree (a directory whose "map" holds the coast
// file, as the shipped data: "../map/world/" from examples/); a map
// directory anywhere else writes no record (see files/workmapdir.h). A slip
// model read from a file is named relative to the work file.
bool storework(const WorkState& ws, Host& host, const GeoFrame& geo, const std::string& path);

// What the caller must do after reading a work file (the reader itself
// draws nothing).
struct WorkReadResult {
    bool opened = false;  // false: "Open Error" shown, nothing read or changed
    // "Input Error" shown (once): a field could not be read, records were
    // passed over, or a source list was cut short by the end of the file
    // (its sources are still installed).
    bool inputerror = false;
    bool mapmissing = false;  // "Map File not Exist in ..." shown, reading stopped
    int nsources = 0;         // sources installed; 0 when the list is unchanged
    bool slipmodel = false;   // a "slipmodel" record's model was installed
    bool fieldframe = false;  // "fieldpara" was applied: the plot window was set from rwidth
    // A geographic source block was met: clear the picture's background.
    bool clearbackground = false;
    // The map files were present for it: draw topography (when switched on),
    // the map, volcanoes and earthquakes and keep them as the background.
    // The projection has already been set up for the new map range, and
    // when needevent is set the earthquakes were selected into the event
    // table (reloadevents).
    bool drawmap = false;
    // The colour mode to set ("nomap" or "map"), or "" for no change.
    std::string colormode;
};

// Reads a work file or "lastwork.ini"; keywords are compared as written.
// A "mapdir" record sets the map directory, resolved against the work
// file's directory, unless followmapdir is false (the caller chose the map
// directory); one that does not exist is shown and the map directory kept.
// Disables the top menus while it reads and enables them again. Whatever
// happens after the file was opened: clears the quantity key, recomputes the
// inclined field's depth lines when inclined is set and marks the results
// stale. Sources are installed when the reading reached the end of the file
// (records passed over do not prevent it) and a source list was taken; with
// none, "No Fault" is shown unless "Input Error" was or a slip model was
// read (no source then contributes). The caller then acts on the result:
// colour mode, background and map, the source editor's list and the
// overlay.
// The slip model and what a model file brought (medium, regional stress,
// receivers, section) start afresh with every work file read; a
// "slipmodel" record then loads its file (files/workslip.h) when the
// reading reached the end of the file; a file that cannot be used is shown
// and the rest of the work stays.
WorkReadResult readworkfile(WorkState& ws, Host& host, Projection& proj, PlotFrame& frame,
                            const std::string& path,
                            const MapDataCheck& checkmapdata = coastfilepresent,
                            bool followmapdir = true);

// The same on file contents already in memory; name is the file named in
// the explanations of the messages ("" for none); a "mapdir" record is
// resolved against mapdirbase, and a "slipmodel" record against slipbase,
// each read and dropped without one.
WorkReadResult readworktext(WorkState& ws, Host& host, Projection& proj, PlotFrame& frame,
                            std::string content,
                            const MapDataCheck& checkmapdata = coastfilepresent,
                            const std::string& name = "",
                            const std::optional<std::string>& mapdirbase = std::nullopt,
                            const std::optional<std::string>& slipbase = std::nullopt);

}  // namespace crustex
