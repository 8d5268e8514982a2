// The save folder and whole-file replacement with POSIX calls, which report
// every failure (fsync, close) that a stream would hide.
#include "save/SaveFolder.h"

#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <iostream>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string errnoText(int error) { return std::error_code(error, std::generic_category()).message(); }

bool isAbsolute(const char* value) { return value && value[0] == '/'; }

bool failWrite(const fs::path& path, const std::string& why) {
    std::cerr << "[Save] could not write " << path.string() << ": " << why << "; the old file is kept\n";
    return false;
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

// The rename is only durable once the folder's own entry list is on disk; a
// folder that cannot be synced (some file systems) still has the new file.
void syncFolder(const fs::path& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

std::optional<fs::path> saveFolderPath(const char* xdgDataHome, const char* home) {
    if (isAbsolute(xdgDataHome)) return fs::path(xdgDataHome) / "pembrix";
    if (isAbsolute(home)) return fs::path(home) / ".local" / "share" / "pembrix";
    return std::nullopt;
}

bool ensureSaveFolder(const fs::path& folder) {
    std::error_code error;
    fs::create_directories(folder / "ghosts", error);
    if (error || !fs::is_directory(folder / "ghosts")) {
        std::cerr << "[Save] could not create the save folder " << (folder / "ghosts").string() << ": "
                  << (error ? error.message() : "a file is in the way") << "\n";
        return false;
    }
    return true;
}

fs::path badFilePath(const fs::path& path) { return fs::path(path.string() + ".bad"); }

bool keepAsBad(const fs::path& path) {
    if (::rename(path.c_str(), badFilePath(path).c_str()) != 0) {
        std::cerr << "[Save] could not keep " << path.string() << " aside as .bad: " << errnoText(errno) << "\n";
        return false;
    }
    return true;
}

bool replaceFile(const fs::path& path, std::string_view bytes, OldFile old) {
    // mkstemp gives a fresh name beside the file, so the rename stays within one file system.
    std::string pattern = path.string() + ".XXXXXX";
    std::vector<char> temporary(pattern.begin(), pattern.end());
    temporary.push_back('\0');
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) return failWrite(path, errnoText(errno));
    const bool written = writeAll(fd, bytes) && ::fsync(fd) == 0;
    const int writeError = errno;
    if (::close(fd) != 0 || !written) {
        const int error = written ? errno : writeError;
        ::unlink(temporary.data());
        return failWrite(path, errnoText(error));
    }
    std::error_code ignored;
    const bool moveOldAside = old == OldFile::KeepAsBad && fs::is_regular_file(fs::symlink_status(path, ignored));
    if (moveOldAside && ::rename(path.c_str(), badFilePath(path).c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.data());
        return failWrite(path, "cannot keep it aside as .bad: " + errnoText(error));
    }
    if (::rename(temporary.data(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.data());
        if (moveOldAside) ::rename(badFilePath(path).c_str(), path.c_str());
        return failWrite(path, errnoText(error));
    }
    syncFolder(path.parent_path());
    return true;
}

SaveFileBytes readSaveFile(const fs::path& path, std::size_t maxBytes) {
    SaveFileBytes result;
    // O_NONBLOCK: opening a FIFO left in the file's place must not hang the start-up.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        if (errno == ENOENT) return result;
        result.outcome = ReadOutcome::Failed;
        result.problem = errnoText(errno);
        return result;
    }
    struct stat info {};
    result.outcome = ReadOutcome::Failed;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        result.problem = S_ISDIR(info.st_mode) ? "a folder is in its place" : "not a regular file";
    } else if (static_cast<std::uintmax_t>(info.st_size) > maxBytes) {
        result.problem = "larger than " + std::to_string(maxBytes) + " bytes";
    } else {
        result.outcome = ReadOutcome::Read;
        char buffer[4096];
        for (;;) {
            const ssize_t got = ::read(fd, buffer, sizeof buffer);
            if (got < 0 && errno == EINTR) continue;
            if (got < 0) {
                result = {ReadOutcome::Failed, {}, errnoText(errno)};
                break;
            }
            if (got == 0) break;
            result.bytes.append(buffer, static_cast<size_t>(got));
            if (result.bytes.size() > maxBytes) {  // it grew while being read
                result = {ReadOutcome::Failed, {}, "larger than " + std::to_string(maxBytes) + " bytes"};
                break;
            }
        }
    }
    ::close(fd);
    return result;
}
