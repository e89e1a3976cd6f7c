// Scratch directories and whole-file helpers shared by the core tests.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace crustex::test {

// A fresh directory removed again at the end of the test.
class ScratchDir {
public:
    ScratchDir() {
        std::string name = (std::filesystem::temp_directory_path() / "crustex-test-XXXXXX");
        path_ = ::mkdtemp(name.data());
    }
    ~ScratchDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    std::string str() const { return path_.string(); }
    // The directory with a trailing '/', as the program keeps its folders.
    std::string folder() const { return str() + "/"; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    std::string mkdir(const std::string& name) const {
        std::filesystem::create_directories(path_ / name);
        return file(name);
    }

private:
    std::filesystem::path path_;
};

inline void writefile(const std::string& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

inline std::string readfile(const std::string& path) {
    std::stringstream ss;
    ss << std::ifstream(path, std::ios::binary).rdbuf();
    return ss.str();
}

}  // namespace crustex::test
