#include "export/outputfile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <vector>

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

TemporaryOutput::TemporaryOutput(std::string target) : target_(std::move(target)) {
    std::vector<char> name(target_.begin(), target_.end());
    const std::string suffix = ".tmp-XXXXXX";
    name.insert(name.end(), suffix.begin(), suffix.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) return;
    ::close(fd);
    path_ = name.data();
}

TemporaryOutput::~TemporaryOutput() {
    if (!committed_ && !path_.empty()) ::unlink(path_.c_str());
}

bool TemporaryOutput::commit() {
    if (path_.empty() || committed_) return false;
    if (::chmod(path_.c_str(), 0644) != 0) return false;
    if (std::rename(path_.c_str(), target_.c_str()) != 0) return false;
    committed_ = true;
    return true;
}

}  // namespace crustex
