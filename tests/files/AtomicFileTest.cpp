// Replacing files whole: what is written where, what is refused, and what a failure
// leaves behind.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <sstream>

#include "AtomicFile.h"
#include "FileSizeLimit.h"

namespace {

namespace fs = std::filesystem;
using tarnwick::files::writeFileAtomically;

std::string contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return in ? text.str() : "<missing>";
}

void put(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

mode_t modeOf(const fs::path& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? info.st_mode : 0;
}

// Every entry below `dir` (links not followed): its type and permission bits, and the
// bytes of a regular file.
std::map<fs::path, std::string> snapshot(const fs::path& dir) {
    std::map<fs::path, std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(dir)) {
        struct stat info {};
        ::lstat(entry.path().c_str(), &info);
        entries[entry.path().lexically_relative(dir)] =
            std::to_string(info.st_mode) + (S_ISREG(info.st_mode) ? ":" + contents(entry.path()) : "");
    }
    return entries;
}

// A character device of our own where the rights allow it, so that a faulty helper run
// as root cannot replace the real /dev/null; otherwise /dev/null, whose folder only
// root may write.
std::string deviceNode(const fs::path& dir) {
    const std::string own = dir / "null";
    return ::mknod(own.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0 ? own : "/dev/null";
}

// A success writes the file the path names (the link's target for a link), with the old
// file's permission bits or, for a new file, 0666 less the umask, and changes nothing else
// in the folder. A failure changes nothing at all. No temporary file is left either way.
TEST(AtomicFile, WritesRegularFilesWholeRefusesOthersAndLeavesNothingBehind) {
    struct Case {
        const char* name;
        std::function<fs::path(const fs::path& dir)> prepare;  // returns the path to write
        const char* reason;                                    // nullptr: the write succeeds
        bool diskFills = false;
    };
    const Case cases[] = {
        {"new file", [](const fs::path& d) { return d / "new.csv"; }, nullptr},
        {"0600 file",
         [](const fs::path& d) {
             put(d / "private.csv", "old");
             fs::permissions(d / "private.csv", fs::perms::owner_read | fs::perms::owner_write);
             return d / "private.csv";
         },
         nullptr},
        {"the user's X.part and X.new beside",
         [](const fs::path& d) {
             put(d / "x.csv.part", "mine");
             put(d / "x.csv.new", "mine too");
             return d / "x.csv";
         },
         nullptr},
        {"link to a file",
         [](const fs::path& d) {
             fs::create_directory(d / "real");
             put(d / "real/file.csv", "old");
             fs::create_symlink("real/file.csv", d / "link.csv");
             return d / "link.csv";
         },
         nullptr},
        {"device node", [](const fs::path& d) { return fs::path(deviceNode(d)); }, "Not a regular file (a device)"},
        {"link to a device",
         [](const fs::path& d) {
             fs::create_symlink(deviceNode(d), d / "full.csv");
             return d / "full.csv";
         },
         "Not a regular file (a device)"},
        {"folder",
         [](const fs::path& d) {
             fs::create_directory(d / "folder");
             return d / "folder";
         },
         "Is a directory"},
        {"disk fills",
         [](const fs::path& d) {
             put(d / "good.csv", "good old contents");
             return d / "good.csv";
         },
         "File too large", true},
    };
    const std::string text(5000, 'n');
    const mode_t umaskNow = ::umask(022);
    ::umask(umaskNow);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        char folder[] = "/tmp/tarnwick-atomic-XXXXXX";
        ASSERT_NE(::mkdtemp(folder), nullptr);
        const fs::path dir = fs::canonical(folder);
        const fs::path path = c.prepare(dir);
        std::map<fs::path, std::string> expected = snapshot(dir);
        const mode_t modeBefore = modeOf(path);
        const fs::path written = fs::weakly_canonical(path).lexically_relative(dir);
        tarnwick::Status result;
        {
            std::optional<FileSizeLimit> limit;
            if (c.diskFills) {
                EXPECT_TRUE(limit.emplace(1000).ok());
            }
            result = writeFileAtomically(path, text);
        }
        if (c.reason) {
            EXPECT_EQ(result.error().rfind(path.string() + ": ", 0), 0u) << result.error();
            EXPECT_NE(result.error().find(c.reason), std::string::npos) << result.error();
            EXPECT_EQ(modeOf(path), modeBefore);
        } else {
            EXPECT_TRUE(result.ok()) << result.error();
            const mode_t mode = modeBefore ? modeBefore : S_IFREG | (0666 & ~umaskNow);
            expected[written] = std::to_string(mode) + ":" + text;
        }
        EXPECT_TRUE(snapshot(dir) == expected) << "other files changed or a temporary file was left";
        fs::remove_all(dir);
    }
}

}  // namespace
