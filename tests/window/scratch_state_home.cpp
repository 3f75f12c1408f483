// Every qxhost that a window test starts keeps its session in a folder of this test process
// alone, never in the user's own and never in one a test before it left; it runs on the files
// of the build folder, and a test that asks for the user's module folder gets a scratch one.
#include <stdlib.h>

#include <cstdio>
#include <string>

namespace {

struct ScratchStateHome {
    std::string folder;
    ScratchStateHome() {
        char pattern[] = "/tmp/qx-window-state-XXXXXX";
        if (!mkdtemp(pattern)) return;
        folder = pattern;
        setenv("XDG_STATE_HOME", folder.c_str(), 1);
        setenv("XDG_DATA_HOME", (folder + "/data").c_str(), 1);
        setenv("QXHOST_BUILD_FOLDER", "1", 1);
    }
    ~ScratchStateHome() {
        if (!folder.empty()) std::system(("rm -rf '" + folder + "'").c_str());
    }
};

const ScratchStateHome scratchStateHome;

} // namespace
