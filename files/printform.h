// Numbers in the print form of the two area files ("fixarea.lst" and the
// area export): a blank or "-", the general form, and a trailing blank; two
// numbers on a line stand in 14-column print zones.
#pragma once

#include <string>

namespace crustex {

// " 34 ", "-1.5 ", " 0 ".
std::string printform(float v);

// a, padded with blanks to the start of the next 14-column print zone, then
// b: the second text starts at column 15 (or 29, ... when a is longer).
std::string printzones(const std::string& a, const std::string& b);

}  // namespace crustex
