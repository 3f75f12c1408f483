// Running a desktop dialog program as a child process while the interface stays alive.
#pragma once

#include <string>
#include <vector>

#include "qxplatform/win32.h"

namespace qxplatform {

struct HelperOutcome {
    bool started = false; // false: the program is not installed or could not start
    int exitCode = -1;    // the program's exit status; -1 when it died or was ended
    std::string output;   // what it wrote on its standard output
};

// True when `program` is an executable file in one of the folders of PATH.
bool programInstalled(const std::string& program);

// Starts the program from the argument vector (never through a shell), its standard output
// read, its standard input and error on /dev/null, and runs the modal loop until it ends. A
// quit posted meanwhile ends the program; with a quit already posted it is not started. Either
// way the dialog counts as cancelled (exit code -1, no output). Its dialog stays with the top-level
// window of `owner` (null: the window with the focus): transient for it, and raised when it is
// pressed. Every dialog a helper shows comes through here.
HelperOutcome runHelperModal(const std::vector<std::string>& arguments, HWND owner = nullptr);

// Tells the console once why a dialog could not open (the same reason is not repeated).
void reportOnce(const std::string& reason);

} // namespace qxplatform
