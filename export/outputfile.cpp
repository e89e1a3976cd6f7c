#include "export/outputfile.h"

#include <sys/stat.h>
#include <unistd.h>

#include "model/fsutil.h"

namespace crustex {

namespace {

std::string directoryof(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

}  // namespace

std::string outputpathproblem(const std::string& path) {
    if (path.empty() || path.back() == '/') return "no output file name in '" + path + "'";
    if (directoryexists(path)) return "'" + path + "' is a directory";
    const std::string dir = directoryof(path);
    if (!directoryexists(dir)) return "no directory '" + dir + "' for '" + path + "'";
    if (::access(dir.c_str(), W_OK | X_OK) != 0)
        return "cannot write in directory '" + dir + "' for '" + path + "'";
    return {};
}

}  // namespace crustex
