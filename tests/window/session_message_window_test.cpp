// What the session says reaches a person at a desktop: a damaged session is told in a box on
// the desktop and in the instance's console, not only on standard error.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "qxhost_desktop_fixture.h"

namespace {

class SessionMessage : public QxhostOnDesktop {
protected:
    void SetUp() override {
        if (!dd::installed("zenity")) GTEST_SKIP() << "zenity is not installed: no box to see";
        QxhostOnDesktop::SetUp();
    }
};

TEST_F(SessionMessage, ADamagedSessionIsToldInABoxAndInTheInstancesConsole) {
    const std::string session = absoluteFolder + "/session";
    std::FILE* file = std::fopen(session.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fputs("QXHOST SESSION 1 junk\n", file);
    std::fclose(file);
    // As a person starts it: no time limit, ended by its close box.
    qxhost = dd::startQxhost({"--session", session, "--console", console()}, folder + "/stderr.txt",
                             kNoPortal);
    const std::string box = dd::awaitWindow("qxhost", 15);
    ASSERT_FALSE(box.empty()) << "no box on the desktop: " << stderrText();
    dd::typeInto(box, "", {"Return"});
    ASSERT_TRUE(dd::awaitNoWindow("qxhost"));
    editor = qxhost_driver::findEditorWindow(display, {});
    ASSERT_NE(editor, 0u);
    EXPECT_EQ(close(), 0) << stderrText();
    const std::string told = "the session file " + session + " cannot be used: ";
    EXPECT_NE(stderrText().find("[qxhost] The session file " + session), std::string::npos)
        << stderrText();
    // The instance's own console lines (its number first; the long line wrapped), beside
    // qxhost's line in the file.
    EXPECT_TRUE(consoleHas("0 qxhost: the session file"));
    EXPECT_TRUE(consoleHas("0    " + absoluteFolder)) << dd::fileText(console()).substr(0, 3000);
    EXPECT_TRUE(consoleHas("qxhost: " + told));
}

} // namespace
