#include "AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>

namespace tarnwick::files {

namespace {

namespace fs = std::filesystem;

// Linux gives up on a chain of links after 40 as well.
constexpr int kMaxLinks = 40;

std::string systemReason(int error) { return std::strerror(error); }

// Follows `path` through symbolic links to the file they name, which need not exist
// yet (a dangling link is written through to where it points). Returns 0 or an errno.
int followLinks(std::string& path) {
    for (int hops = 0; hops < kMaxLinks; ++hops) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0) return errno == ENOENT ? 0 : errno;
        if (!S_ISLNK(info.st_mode)) return 0;
        std::error_code error;
        const fs::path link = fs::read_symlink(path, error);
        if (error) return error.value();
        path = link.is_absolute() ? link.string() : (fs::path(path).parent_path() / link).string();
    }
    return ELOOP;
}

// Why a file of this kind is not replaced, or "" for a regular file.
std::string refusal(mode_t mode) {
    if (S_ISREG(mode)) return {};
    if (S_ISDIR(mode)) return systemReason(EISDIR);
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "Not a regular file (a device)";
    if (S_ISFIFO(mode)) return "Not a regular file (a pipe)";
    return "Not a regular file";
}

std::string randomSuffix() {
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    thread_local std::mt19937_64 generator{std::random_device{}()};
    std::string suffix(8, ' ');
    for (char& c : suffix) c = kLetters[generator() % (sizeof kLetters - 1)];
    return suffix;
}

// A rename is on the disk only once its folder is; failing that, the file itself is
// already safe, so the error is not reported.
void syncFolder(const fs::path& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

AtomicFile::AtomicFile(std::string path) : path_(std::move(path)), target_(path_) {}

AtomicFile::~AtomicFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!committed_ && !temporary_.empty()) ::unlink(temporary_.c_str());
}

Status AtomicFile::result() const {
    if (failure_.empty()) return {};
    return Error{path_ + ": " + failure_};
}

Status AtomicFile::fail(std::string reason) {
    if (failure_.empty()) failure_ = std::move(reason);
    return result();
}

Status AtomicFile::failWithErrno(int error) { return fail(systemReason(error)); }

Status AtomicFile::open() {
    if (!failure_.empty() || !temporary_.empty()) return result();
    if (path_.empty()) return failWithErrno(ENOENT);
    if (const int error = followLinks(target_)) return failWithErrno(error);
    const fs::path target(target_);
    if (!target.has_filename()) return failWithErrno(EISDIR);

    struct stat info {};
    if (::stat(target_.c_str(), &info) == 0) {
        if (std::string why = refusal(info.st_mode); !why.empty()) return fail(std::move(why));
        // A file the user may not write is not replaced behind his back.
        if (::access(target_.c_str(), W_OK) != 0) return failWithErrno(errno);
        keepMode_ = true;
        mode_ = info.st_mode & 07777;
    } else if (errno != ENOENT) {
        return failWithErrno(errno);
    }

    // A hidden name of our own beside the target: the rename stays within one file
    // system, and O_EXCL makes sure no file already there is taken over.
    const std::string stem = "." + target.filename().string().substr(0, 100) + ".tarnwick-";
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string candidate = (target.parent_path() / (stem + randomSuffix())).string();
        fd_ = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ >= 0) {
            temporary_ = candidate;
            return result();
        }
        if (errno != EEXIST) return failWithErrno(errno);
    }
    return failWithErrno(EEXIST);
}

Status AtomicFile::write(std::string_view data) {
    if (!failure_.empty()) return result();
    if (fd_ < 0) return failWithErrno(EBADF);
    while (!data.empty()) {
        const ssize_t written = ::write(fd_, data.data(), data.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return failWithErrno(errno);
        }
        data.remove_prefix(static_cast<std::size_t>(written));
    }
    return result();
}

Status AtomicFile::commit() {
    if (!failure_.empty() || committed_) return result();
    if (fd_ < 0) return failWithErrno(EBADF);
    if (keepMode_ && ::fchmod(fd_, mode_) != 0) return failWithErrno(errno);
    // fsync before the rename: otherwise a crash soon after can leave the new name
    // on an empty file.
    if (::fsync(fd_) != 0) return failWithErrno(errno);
    const int closed = ::close(fd_);
    fd_ = -1;
    if (closed != 0) return failWithErrno(errno);
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) return failWithErrno(errno);
    committed_ = true;
    syncFolder(fs::path(target_).parent_path());
    return result();
}

Status writeFileAtomically(const std::string& path, std::string_view contents) {
    AtomicFile file(path);
    if (Status opened = file.open(); !opened) return opened;
    if (Status written = file.write(contents); !written) return written;
    return file.commit();
}

std::string failureReason(const Status& status, const std::string& path) {
    const std::string& message = status.error();
    const std::string prefix = path + ": ";
    return message.rfind(prefix, 0) == 0 ? message.substr(prefix.size()) : message;
}

}  // namespace tarnwick::files
