// GNSS velocity fields as GMT writes and reads them ("lon lat ve vn se sn
// corr name", one site a line, velocities in mm) turned into an
// observation-site file: an "obd" block of east and north values. With the
// up column the lines read "lon lat ve vn se sn corr vu su name" (the up
// value and its error after the horizontal ones) and the block is "obd3".
//
// Lines that are empty or start with '#' or '>' are passed over. Each other
// line starts with its 7 (with up, 9) numbers, whitespace-separated; the
// rest of the line is the site name, which may be a number or hold blanks
// (a made-up "S<line>" when there is none), cut to the longest text a site
// file holds. A line whose longitude lies outside -360..360 or whose
// latitude lies outside -90..90 is passed over.
// The standard errors and the east-north correlation follow the block as
// an uncertainty block, "obsig" (se, sn, corr) or with the up column
// "obsig3" (se, sn, su, corr), one record per site in the same order.
// Longitudes are given in -180..180; the height is 0. A value written as
// NaN goes into the site file as the no-value marker.
#pragma once

#include <cstddef>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

#include "tools/convertmodes.h"

namespace crustex::tools {

struct GnssSite {
    std::string name;
    float lat = 0, lon = 0;
    float east = 0, north = 0;
    float up = 0;  // only with an up column
    // One-sigma errors (mm) and the east-north correlation.
    float sigeast = 0, signorth = 0, sigup = 0, corr = 0;
};

struct GnssField {
    static constexpr std::size_t kMaxProblems = 100;

    std::vector<GnssSite> sites;
    // "line N: ..." for each line passed over or name cut, the first
    // kMaxProblems of them; the others are only counted.
    std::vector<std::string> problems;
    long unlisted = 0;

    void problem(std::string text);
};

// Reads the lines; a site file holds at most 32767 sites, so reading keeps
// no more than one site beyond that.
GnssField parsegmtvelocity(std::istream& in, bool withup);

// The site file: a first quoted text line saying where it came from (the
// reader skips text that is not a keyword), then the block and its
// uncertainty block.
std::string gnsssitefile(const GnssField& field, bool withup, std::string_view source);

// crustex-convert gmtvelo INPUT OUTPUT [--up]
int rungmtvelo(ModeArgs args, std::ostream& err);

}  // namespace crustex::tools
