#include "qxhost/module_folder.h"

#include "qxhost/session_store.h"
#include "qxplatform/file_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

namespace qxhost {
namespace {

namespace fs = std::filesystem;

constexpr const char* kModuleName = "QX_GUI.sem";
constexpr size_t kLargestFile = size_t{1} << 30;

// The files the build makes, replaced at every start: the module and the shaders. Every other
// shipped file is the person's once laid.
bool isProgramFile(const fs::path& relative) {
    const std::string extension = relative.extension().string();
    return relative == kModuleName || extension == ".vert" || extension == ".frag";
}

std::string reason() {
    return std::strerror(errno);
}

// The folder (and the folders above it) made private to the user where missing; an existing
// one must be the user's own and writable by no one else, since the module is loaded from it.
bool makeOwnFolder(const std::string& folder, std::string& error) {
    std::error_code failed;
    if (!fs::exists(folder, failed)) {
        const std::string above = fs::path(folder).parent_path().string();
        if (!above.empty() && above != folder && !makeOwnFolder(above, error)) return false;
        if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
            error = "cannot make the folder " + folder + ": " + reason();
            return false;
        }
    }
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        error = folder + " is not a folder";
        return false;
    }
    return true;
}

bool isOwnAndPrivate(const std::string& folder, std::string& error) {
    const std::string why = whyPlaceNotPrivate(folder);
    if (!why.empty()) error = "the module folder " + folder + " is not used: " + why;
    return why.empty();
}

bool writeWhole(int fd, const std::vector<uint8_t>& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return ::fsync(fd) == 0;
}

// Copies `from` to `to` with `from`'s mode less the umask. A program file (`replace`) replaces
// the one there through the platform's file writer; a shipped text file is linked into place
// from a temporary only while no file of that name is there (a file that is there, even one made
// meanwhile, is kept), and the temporary never outlives the call.
bool layFile(const std::string& from, const std::string& to, bool replace, std::string& error) {
    std::vector<uint8_t> bytes;
    if (readWholeFile(from, kLargestFile, bytes, error) != FileRead::Read) {
        if (error.empty()) error = "cannot read " + from + ": there is no such file";
        return false;
    }
    struct stat source {};
    ::stat(from.c_str(), &source);
    const mode_t mask = ::umask(0);
    ::umask(mask);
    const mode_t mode = (source.st_mode & 0777) & ~mask;
    if (replace) {
        qxplatform::WriteOptions options;
        options.useFixedMode = true;
        options.fixedMode = mode;
        const qxplatform::WriteResult written = qxplatform::writeFileAtomically(
            to, reinterpret_cast<const char*>(bytes.data()), bytes.size(), options);
        if (!written.replaced()) error = "cannot write " + to + ": " + std::strerror(written.error);
        return written.replaced();
    }
    std::string partial = to + ".laying-XXXXXX";
    const int fd = ::mkostemp(partial.data(), O_CLOEXEC);
    if (fd < 0) {
        error = "cannot write beside " + to + ": " + reason();
        return false;
    }
    bool ok = ::fchmod(fd, mode) == 0 && writeWhole(fd, bytes);
    ok = ::close(fd) == 0 && ok;
    if (ok) ok = ::link(partial.c_str(), to.c_str()) == 0 || errno == EEXIST;
    if (!ok) error = "cannot write " + to + ": " + reason();
    ::unlink(partial.c_str());
    return ok;
}

void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// The shipped files under `shipped`, laid into `userFolder` folder by folder.
bool layShippedFiles(const fs::path& shipped, const std::string& userFolder, std::string& error) {
    std::error_code failed;
    for (fs::recursive_directory_iterator it(shipped, failed), end; !failed && it != end;
         it.increment(failed)) {
        const fs::path relative = fs::relative(it->path(), shipped);
        if (relative.filename().string().front() == '.') continue;
        const std::string target = (fs::path(userFolder) / relative).string();
        if (it->is_directory()) {
            if (!makeOwnFolder(target, error)) return false;
            continue;
        }
        struct stat there {};
        const bool missing = ::lstat(target.c_str(), &there) != 0;
        const bool program = isProgramFile(relative);
        if ((program || missing) && !layFile(it->path().string(), target, program, error))
            return false;
    }
    if (failed) error = "cannot read " + shipped.string() + ": " + failed.message();
    return !failed;
}

} // namespace

std::string userModuleFolder() {
    const std::string data = xdgBaseFolder("XDG_DATA_HOME", ".local/share");
    return data.empty() ? data : data + "/qxhost";
}

bool buildFolderAsked() {
    const char* asked = std::getenv("QXHOST_BUILD_FOLDER");
    return asked && std::strcmp(asked, "1") == 0;
}

bool layOutModuleFolder(const std::string& buildFolder, const std::string& userFolder,
                        std::string& error) {
    if (!makeOwnFolder(userFolder, error) || !isOwnAndPrivate(userFolder, error)) return false;
    if (!layShippedFiles(fs::path(buildFolder) / "shipped", userFolder, error)) return false;
    if (!makeOwnFolder(userFolder + "/BACKUPS", error)) return false;
    if (!layFile(buildFolder + "/" + kModuleName, userFolder + "/" + kModuleName, true, error))
        return false;
    syncFolder(userFolder);
    return true;
}

} // namespace qxhost
