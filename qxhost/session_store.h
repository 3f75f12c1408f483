// Where the session file lives and how it is written, read and set aside on disk.
#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <string>
#include <vector>

namespace qxhost {

// The folder that holds `path`: "." for a bare name.
std::string folderOf(const std::string& path);

// mkdir -p: every missing folder of the path, each made private to the user. False when the
// path is not a folder at the end.
bool makeFolders(const std::string& folder);

// Why a file or folder is not the user's alone: another user owns it, or its group or others
// can write it. Empty when only the user can change it.
std::string whyNotPrivate(const struct stat& info);
// The same for the file or folder at `path`; empty too when there is none yet.
std::string whyPlaceNotPrivate(const std::string& path);
// The same for a folder, as the platform's file writer judges it (a file there is no folder).
std::string whyFolderNotPrivate(const std::string& folder);

// The folder an XDG base-directory variable names, or ~/`underHome` when it is unset or not an
// absolute path; empty when neither it nor HOME gives a folder.
std::string xdgBaseFolder(const char* variable, const char* underHome);

// $XDG_STATE_HOME/qxhost/session, or ~/.local/state/qxhost/session when XDG_STATE_HOME is
// unset or not an absolute path; empty when neither it nor HOME gives a folder.
std::string defaultSessionPath();

// Writes the session whole or not at all through the platform's file writer, private to the
// user (mode 0600, missing folders made 0700, a folder others can reach refused). False with
// `error` saying which step failed and why.
bool writeSessionFile(const std::string& path, const std::vector<uint8_t>& bytes,
                      std::string& error);

enum class FileRead { Read, Missing, Failed };
// Reads a whole file of at most `maxBytes`; a larger one is Failed with `error` set.
FileRead readWholeFile(const std::string& path, size_t maxBytes, std::vector<uint8_t>& bytes,
                       std::string& error);

// Keeps the file as "<path>.<why>-<UTC time>" beside it (with "-2", "-3" ... when that name is
// taken, never replacing a file). Move: the file leaves its name. KeepCopy: a hard link keeps
// it under both names, so that a write that replaces it leaves the copy (on a file system
// without hard links it is moved). The new path, or empty when it could not be kept.
enum class Aside { Move, KeepCopy };
std::string setFileAside(const std::string& path, const std::string& why, Aside how);

// Removes the oldest of the files kept aside for `why` beyond the `keep` newest.
void removeOldestAside(const std::string& path, const std::string& why, size_t keep);

} // namespace qxhost
