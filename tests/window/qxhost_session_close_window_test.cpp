// Closing qxhost's window, as its close box does, ends the run with the session written: the
// next plain start comes up on the stage the closed one left.
#include <fstream>
#include <sstream>

#include "qxhost_desktop_fixture.h"

namespace {

TEST_F(QxhostOnDesktop, ClosingTheWindowKeepsTheStageForThePlainStart) {
    auto environment = kNoPortal;
    environment.push_back({"XDG_STATE_HOME", absoluteFolder + "/state"});
    std::ofstream(folder + "/m.txt") << "HARD_RESET\nSET NUM_SOURCE 3\nPOS S2 X:120 Y:-80\n"
                                        "NAME S2 KICK\n";
    start({"--load", absoluteFolder + "/m.txt"}, environment);
    for (int i = 0; i < 100 && !consoleHas("<< PATCH LOADING COMPLETE >>"); ++i)
        qxhost_driver::pause(50);
    ASSERT_TRUE(consoleHas("<< PATCH LOADING COMPLETE >>"));
    EXPECT_EQ(close(), 0);

    const pid_t plain =
        dd::startQxhost({"--save", absoluteFolder + "/plain.txt", "--exit-after", "600"},
                        folder + "/plain-stderr.txt", environment);
    EXPECT_EQ(dd::awaitExit(plain), 0);
    std::ifstream in(folder + "/plain.txt");
    std::stringstream patch;
    patch << in.rdbuf();
    EXPECT_NE(patch.str().find("NAME S2 KICK"), std::string::npos) << patch.str().substr(0, 400);
    EXPECT_NE(patch.str().find("POS S2 X:120.00 y:-80.00"), std::string::npos);
    EXPECT_NE(dd::fileText(folder + "/plain-stderr.txt").find("qxhost: session restored from "),
              std::string::npos);
}

} // namespace
