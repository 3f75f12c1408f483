// The module folder of a person's run: a folder of the user's own, outside the build, into
// which the build's program files are laid at every start and the shipped files only when
// missing, so that what a person saves or changes there outlives every build.
#pragma once

#include <string>

namespace qxhost {

// $XDG_DATA_HOME/qxhost, or ~/.local/share/qxhost when XDG_DATA_HOME is unset or not an
// absolute path; empty when neither it nor HOME gives a folder.
std::string userModuleFolder();

// True when the environment asks for the build folder beside qxhost (QXHOST_BUILD_FOLDER=1:
// the tests and the pictures of `make run`).
bool buildFolderAsked();

// Lays out `userFolder` from the build folder `buildFolder` (where qxhost, QX_GUI.sem and the
// shipped files in shipped/ lie): the module and the shaders are replaced by the build's, every
// other shipped file is laid only where no file of that name is, and BACKUPS/ is made. Each
// file is written whole under a name of its own and then moved into place. False with `error`
// set when the folder cannot be used (not the user's own, writable by others, or a file that
// could not be laid).
bool layOutModuleFolder(const std::string& buildFolder, const std::string& userFolder,
                        std::string& error);

} // namespace qxhost
