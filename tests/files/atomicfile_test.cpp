#include "files/atomicfile.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "files/appdir.h"
#include "files/datadirs.h"
#include "files/filetestutil.h"

namespace crustex {
namespace {

namespace fs = std::filesystem;
using test::ScratchDir;

std::set<std::string> names(const std::string& dir) {
    std::set<std::string> out;
    for (const auto& e : fs::directory_iterator(dir)) out.insert(e.path().filename().string());
    return out;
}

mode_t modeof(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 ? st.st_mode : 0;
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
    EXPECT_EQ(names(dir.str()), std::set<std::string>{"lastwork.ini"});

    EXPECT_FALSE(writefileatomic(dir.file("no/such/file"), "x"));
    EXPECT_FALSE(writefileatomic("", "x"));
    // Written in pieces; nothing of an uncommitted writer stays.
    {
        AtomicWriter w(path);
        EXPECT_TRUE(w.write("never ") && w.write("put in place"));
    }
    AtomicWriter w(dir.file("pieces.txt"));
    ASSERT_TRUE(w.write("one, ") && w.write("two") && w.commit());
    EXPECT_EQ(test::readfile(dir.file("pieces.txt")), "one, two");
    EXPECT_EQ(test::readfile(path), "the last work");
    EXPECT_EQ(names(dir.str()), (std::set<std::string>{"lastwork.ini", "pieces.txt"}));

    // A library that writes only by name writes the temporary file through
    // temporaryname(). A signal handler's removal of the temporary files under
    // way makes their commit fail, and a later write by that name brings no
    // file back.
    const std::string grid = dir.file("grid.nc");
    {
        AtomicWriter byname(grid);
        test::writefile(byname.temporaryname(), "written by name");
        ASSERT_TRUE(byname.commit());
    }
    EXPECT_EQ(test::readfile(grid), "written by name");
    AtomicWriter late(grid);
    ASSERT_TRUE(late.write("interrupted"));
    removelivetemporaries();
    test::writefile(late.temporaryname(), "late");
    EXPECT_FALSE(late.commit());
    EXPECT_EQ(test::readfile(grid), "written by name");
    EXPECT_EQ(names(dir.str()), (std::set<std::string>{"grid.nc", "lastwork.ini", "pieces.txt"}));
}

// A link (also a relative one, through another link) stays a link and the
// file it names is replaced, with the temporary file beside that file; a
// dangling link gets its file made.
TEST(AtomicFile, SavingThroughLinksReplacesTheFileTheyName) {
    ScratchDir home, dotfiles;
    test::writefile(dotfiles.file("crustex.ini"), "old");
    fs::create_symlink(dotfiles.file("crustex.ini"), home.file("link1"));
    fs::create_symlink("link1", home.file("crustex.ini"));
    ASSERT_TRUE(writefileatomic(home.file("crustex.ini"), "new"));
    EXPECT_TRUE(fs::is_symlink(home.file("crustex.ini")));
    EXPECT_TRUE(fs::is_symlink(home.file("link1")));
    EXPECT_EQ(test::readfile(dotfiles.file("crustex.ini")), "new");
    EXPECT_EQ(names(dotfiles.str()), std::set<std::string>{"crustex.ini"});
    EXPECT_EQ(resolvetarget(home.file("crustex.ini")), dotfiles.file("crustex.ini"));

    fs::create_symlink("made.txt", home.file("dangling"));
    ASSERT_TRUE(writefileatomic(home.file("dangling"), "made"));
    EXPECT_TRUE(fs::is_symlink(home.file("dangling")));
    EXPECT_EQ(test::readfile(home.file("made.txt")), "made");

    fs::create_symlink("loop", home.file("loop"));
    EXPECT_EQ(resolvetarget(home.file("loop")), "");
    EXPECT_FALSE(writefileatomic(home.file("loop"), "x"));
}

// Something that is not a regular file (or a file the user may not write) is
// refused and left as it was.
TEST(AtomicFile, RefusesTargetsThatAreNotRegularFiles) {
    ScratchDir dir;
    ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0644), 0);
    fs::create_directory(dir.file("folder"));
    for (const std::string& path :
         {dir.file("fifo"), dir.file("folder"), std::string("/dev/null")}) {
        const mode_t before = modeof(path);
        EXPECT_FALSE(writefileatomic(path, "x")) << path;
        EXPECT_EQ(modeof(path), before) << path;
    }
    EXPECT_EQ(names(dir.str()), (std::set<std::string>{"fifo", "folder"}));
    if (::geteuid() != 0) {  // the superuser may write any file
        test::writefile(dir.file("locked"), "keep");
        fs::permissions(dir.file("locked"), fs::perms::owner_read);
        EXPECT_FALSE(writefileatomic(dir.file("locked"), "x"));
        EXPECT_EQ(test::readfile(dir.file("locked")), "keep");
    }
}

// The old file's permissions (and owner and group, where allowed) stay; a
// new file gets 0666 less the umask.
TEST(AtomicFile, KeepsPermissionsAndOwnership) {
    ScratchDir dir;
    const std::string path = dir.file("shared.wrk.txt");
    test::writefile(path, "old");
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(path.c_str(), 1234, 5678), 0);
    }
    ASSERT_TRUE(writefileatomic(path, "new"));
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    if (root) {
        EXPECT_EQ(std::pair(st.st_uid, st.st_gid), std::pair(uid_t{1234}, gid_t{5678}));
    }

    for (const mode_t mask : {mode_t{022}, mode_t{077}}) {
        const mode_t was = ::umask(mask);
        const std::string fresh = dir.file("new" + std::to_string(mask));
        const bool ok = writefileatomic(fresh, "x");
        ::umask(was);
        ASSERT_TRUE(ok);
        EXPECT_EQ(modeof(fresh) & 07777, 0666u & ~mask) << mask;
    }
}

// A name as long as the directory can hold is saved; temporary files that a
// killed save of the same target left (also the "<name>.tmp-" ones of a grid
// writer) go when the next save of it starts, once they are old, while a
// fresh one (a save still running), another target's and a user's file of
// such a name stay.
TEST(AtomicFile, LongNamesAndStaleTemporaryFiles) {
    ScratchDir dir;
    const std::string longname = std::string(247, 'w') + ".txt";
    ASSERT_TRUE(writefileatomic(dir.file(longname), "long"));
    EXPECT_EQ(test::readfile(dir.file(longname)), "long");

    const std::string target = dir.file("a.flt.txt");
    const std::string prefix = temporaryprefix(target);
    EXPECT_EQ(fs::path(prefix).parent_path().string(), dir.str());
    EXPECT_LT(fs::path(prefix).filename().string().size(), 32u);
    EXPECT_NE(temporaryprefix(dir.file("b.flt.txt")), prefix);
    const std::string stale = prefix + "Killed", fresh = prefix + "Runnin";
    const std::string other = temporaryprefix(dir.file("b.flt.txt")) + "Killed";
    const std::string grid = target + ".tmp-Killed", users = target + ".tmp-Mine01";
    for (const std::string& t : {stale, fresh, other}) test::writefile(t, "partial");
    test::writefile(grid, std::string("\x89HDF\r\n\x1a\n", 8) + "partial");
    test::writefile(users, "the user's own");
    const auto old = fs::file_time_type::clock::now() - std::chrono::minutes(5);
    for (const std::string& t : {stale, other, grid, users}) fs::last_write_time(t, old);
    AtomicWriter w(target);  // removed before anything is written
    EXPECT_FALSE(fs::exists(stale));
    EXPECT_FALSE(fs::exists(grid));
    for (const std::string& t : {fresh, other, users}) EXPECT_TRUE(fs::exists(t)) << t;
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
    EXPECT_EQ(appfileforreading(readonly, kSettingsFileName), config.file("crustex/crustex.ini"));
    EXPECT_FALSE(fs::exists(config.file("crustex")));  // reading creates no directory
    EXPECT_EQ(appfilepath(readonly, kSettingsFileName), config.file("crustex/crustex.ini"));
    EXPECT_TRUE(fs::is_directory(config.file("crustex")));
    // An installed program never writes beside itself, even when it may.
    fs::create_directories(prog.file("bin"));
    fs::create_directories(installeddatadir(prog.file("bin")) + "/map");
    test::writefile(installeddatadir(prog.file("bin")) + "/map/japanv.map", "");
    EXPECT_EQ(appfilepath(prog.file("bin"), kLastWorkFileName),
              config.file("crustex/lastwork.ini"));

    // Reading prefers the user's file, then a copy shipped beside the program.
    ScratchDir shipped;
    test::writefile(shipped.file("crustex.ini"), "x");
    fs::permissions(shipped.str(), fs::perms::owner_write, fs::perm_options::remove);
    if (!directorywritable(shipped.str())) {
        EXPECT_EQ(appfileforreading(shipped.str(), kSettingsFileName), shipped.file("crustex.ini"));
        test::writefile(config.file("crustex/crustex.ini"), "y");
        EXPECT_EQ(appfileforreading(shipped.str(), kSettingsFileName),
                  config.file("crustex/crustex.ini"));
    }
    fs::permissions(shipped.str(), fs::perms::owner_write, fs::perm_options::add);
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
}

}  // namespace
}  // namespace crustex
