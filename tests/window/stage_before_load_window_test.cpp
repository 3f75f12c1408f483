// qxhost in its window: the first load onto the stage the window started with writes no
// backup (the start-up's panel sizes are no change of the person's); a load onto a changed
// stage writes one and names it.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "qxhost_desktop_fixture.h"

namespace {

class StageBeforeLoadWindow : public QxhostOnDesktop {
protected:
    std::string writePatch(const std::string& name, const std::string& text) {
        const std::string path = absoluteFolder + "/" + name;
        std::FILE* file = std::fopen(path.c_str(), "wb");
        std::fwrite(text.data(), 1, text.size(), file);
        std::fclose(file);
        return path;
    }
    size_t backupsNamed() const {
        const std::string text = dd::fileText(console());
        size_t n = 0;
        for (size_t at = text.find(kKept); at != std::string::npos; at = text.find(kKept, at + 1))
            ++n;
        return n;
    }
    static constexpr const char* kKept = "THE STAGE BEFORE THE LOAD IS KEPT AS BACKUPS\\";
};

TEST_F(StageBeforeLoadWindow, OnlyTheChangedStageIsKept) {
    const std::string a = writePatch("A.txt", "# RESET EVERYTHING\nSET NUM_SOURCE 3\n");
    const std::string b = writePatch("B.txt", "# RESET EVERYTHING\nSET NUM_SOURCE 2\n");
    start({"--load", a, "--load", b, "--send", "MUTE S1", "--load", a});
    dd::pause(1500);
    EXPECT_EQ(close(), 0) << stderrText();
    EXPECT_EQ(backupsNamed(), 1u) << dd::fileText(console());
}

} // namespace
