#include "files/atomicfile.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <string>

#include "files/appdir.h"
#include "files/filetestutil.h"

namespace crustex {
namespace {

using test::ScratchDir;

long entries(const std::string& dir) {
    return std::distance(std::filesystem::directory_iterator(dir),
                         std::filesystem::directory_iterator());
}

// A replacement is whole; a write that fails half-way (the file size limit
// stands in for a full disk) leaves the old file untouched. Neither leaves a
// temporary file behind.
TEST(AtomicFile, ReplacesWholeOrKeepsTheOldFile) {
    ScratchDir dir;
    const std::string path = dir.file("lastwork.ini");
    test::writefile(path, "old contents that are longer than the new ones");
    ASSERT_TRUE(writefileatomic(path, "the last work"));
    EXPECT_EQ(test::readfile(path), "the last work");
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    auto oldsig = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 16;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool ok = writefileatomic(path, std::string(4096, 'x'));
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldsig);
    EXPECT_FALSE(ok);
    EXPECT_EQ(test::readfile(path), "the last work");
    EXPECT_EQ(entries(dir.str()), 1);

    EXPECT_FALSE(writefileatomic(dir.file("no/such/file"), "x"));
    EXPECT_FALSE(writefileatomic("", "x"));
    EXPECT_FALSE(writefileplain(dir.file("no/such/file"), "x"));
    EXPECT_TRUE(writefileplain(dir.file("plain.txt"), "abc"));
    EXPECT_EQ(test::readfile(dir.file("plain.txt")), "abc");
}

TEST(AppDir, ProgramDirectoryWhenWritableElseUserConfig) {
    ScratchDir prog;
    ScratchDir config;
    const char* saved = std::getenv("XDG_CONFIG_HOME");
    const std::string savedvalue = saved ? saved : "";
    setenv("XDG_CONFIG_HOME", config.str().c_str(), 1);

    EXPECT_EQ(appfilepath(prog.str(), kLastWorkFileName), prog.file("lastwork.ini"));
    // A program directory that cannot be written (here: one that is not there).
    const std::string readonly = prog.file("not-there");
    EXPECT_EQ(userconfigdir(), config.file("crustex"));
    EXPECT_EQ(appfilepath(readonly, kSettingsFileName), config.file("crustex/crustex.ini"));
    EXPECT_TRUE(std::filesystem::is_directory(config.file("crustex")));

    // Reading prefers the user's file, then a copy shipped beside the program.
    ScratchDir shipped;
    test::writefile(shipped.file("crustex.ini"), "x");
    std::filesystem::permissions(shipped.str(), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    if (!directorywritable(shipped.str())) {
        EXPECT_EQ(appfileforreading(shipped.str(), kSettingsFileName), shipped.file("crustex.ini"));
        test::writefile(config.file("crustex/crustex.ini"), "y");
        EXPECT_EQ(appfileforreading(shipped.str(), kSettingsFileName),
                  config.file("crustex/crustex.ini"));
    }
    std::filesystem::permissions(shipped.str(), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
    if (saved)
        setenv("XDG_CONFIG_HOME", savedvalue.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
}

TEST(AppDir, ReadWholeFileRefusesOversizedFiles) {
    ScratchDir dir;
    test::writefile(dir.file("f"), std::string(100, 'a'));
    std::string out = "unchanged";
    EXPECT_FALSE(readwholefile(dir.file("f"), out, 99));
    EXPECT_EQ(out, "unchanged");
    EXPECT_TRUE(readwholefile(dir.file("f"), out, 100));
    EXPECT_EQ(out.size(), 100u);
    EXPECT_FALSE(readwholefile(dir.file("none"), out));
    EXPECT_FALSE(readwholefile(dir.str(), out));
}

}  // namespace
}  // namespace crustex
