#pragma once
// Replacing a file so that it is always either the whole old file or the whole new one.
// The new contents go to a temporary file of a name no one else uses, in the same folder
// as the target, and are renamed over the target only when written and on the disk. A
// failure at any step removes the temporary file and leaves the target as it was.
//
// A symbolic link is followed: the file it names is replaced and the link stays. Only a
// regular file (or a name not yet taken) is replaced; a folder, device, pipe or socket is
// refused, so a device is never turned into a regular file. An existing file keeps its
// permission bits; a new file gets the usual ones (0666 less the umask).
//
// Every step reports a Status whose message is "<path>: <reason>": the file as the
// caller named it, and the system's reason or why the file was refused.
#include <string>
#include <string_view>
#include <sys/types.h>

#include "Result.h"

namespace tarnwick::files {

class AtomicFile {
public:
    explicit AtomicFile(std::string path);
    // Removes the temporary file unless commit() succeeded.
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Checks the target and creates the temporary file.
    Status open();
    // The temporary file, for writers that need a name of their own (SQLite); they must
    // have closed it before commit().
    const std::string& temporaryPath() const { return temporary_; }
    // Appends to the temporary file. After a failure every later call fails the same way.
    Status write(std::string_view data);
    // Flushes to the disk and renames the temporary file over the target.
    Status commit();

private:
    Status fail(std::string reason);
    Status failWithErrno(int error);
    Status result() const;

    std::string path_;       // as given
    std::string target_;     // after following symbolic links
    std::string temporary_;  // empty until open() created it
    int fd_ = -1;
    bool keepMode_ = false;  // the target exists: its permission bits are copied
    mode_t mode_ = 0;
    bool committed_ = false;
    std::string failure_;    // the first failure; it sticks
};

// Replaces (or creates) `path` with `contents` through an AtomicFile.
Status writeFileAtomically(const std::string& path, std::string_view contents);

// The reason alone, for a message that names the file itself: the failure's message
// without the leading "<path>: " (empty when `status` is a success).
std::string failureReason(const Status& status, const std::string& path);

}  // namespace tarnwick::files
