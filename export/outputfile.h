// The check of an output's name before a run does any work. The outputs
// themselves appear whole or not at all, through files/atomicfile.h (a
// library that wants a file name writes the replacement's temporary file).
#pragma once

#include <string>

namespace crustex {

// Why an output cannot be written there, checked before any work: its
// directory is missing or not writable, or the name is a directory. Empty
// when the path looks writable.
std::string outputpathproblem(const std::string& path);

}  // namespace crustex
