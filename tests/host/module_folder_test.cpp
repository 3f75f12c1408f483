// A person's module folder: laid out from the build folder at every start, the program files
// replaced, the shipped files laid only where missing, so that what a person saved or changed
// there outlives a rebuild (or `make clean`) of the build folder; and which runs use it.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "qxhost/module_folder.h"
#include "qxhost_in_folder.h"

namespace {

namespace fs = std::filesystem;
using host_test::readFile;
using host_test::writeFile;

// A build folder of the shape the build makes: the module beside qxhost, the shipped files
// in shipped/; `version` marks every file's bytes.
void makeBuildFolder(const std::string& build, const std::string& version) {
    fs::remove_all(build);
    for (const char* folder : {"shipped/PATCHES", "shipped/MACROS", "shipped/TUTORIAL"})
        fs::create_directories(build + "/" + folder);
    writeFile(build + "/QX_GUI.sem", "module " + version);
    for (const char* name : {"QX_GUI.vert", "QX_GUI.frag", "USER_MENU.txt", "EQ_PRESETS.txt",
                             "PATCHES/DEMO.txt", "MACROS/MACRO_PANEL.txt", "TUTORIAL/HOME.txt"})
        writeFile(build + "/shipped/" + name, std::string(name) + " " + version);
    writeFile(build + "/shipped/MACROS/.keep", "");
}

// No temporary of the laying is left anywhere in the folder.
std::vector<std::string> leftovers(const std::string& folder) {
    std::vector<std::string> found;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.path().filename().string().find(".laying-") != std::string::npos)
            found.push_back(entry.path().string());
    return found;
}

struct ModuleFolder : host_test::QxhostInFolder {
    std::string build() const { return path("build/out"); }
    std::string user() const { return path("data/qxhost"); }
    bool layOut(std::string& error) const {
        return qxhost::layOutModuleFolder(build(), user(), error);
    }
};

TEST_F(ModuleFolder, WhatAPersonSavedOrChangedOutlivesARebuildAndTheProgramIsTheNewOne) {
    makeBuildFolder(build(), "v1");
    std::string error;
    ASSERT_TRUE(layOut(error)) << error;
    // The person's work: a changed menu, a shipped patch saved over, a patch of their own, a
    // backup.
    writeFile(user() + "/USER_MENU.txt", "my menu");
    writeFile(user() + "/PATCHES/DEMO.txt", "my demo");
    writeFile(user() + "/PATCHES/MINE.txt", "my patch");
    writeFile(user() + "/BACKUPS/MINE.txt", "my backup");
    fs::remove(user() + "/EQ_PRESETS.txt");
    // `make clean` and a build of a newer program.
    fs::remove_all(path("build"));
    makeBuildFolder(build(), "v2");
    ASSERT_TRUE(layOut(error)) << error;

    const struct {
        const char* name;
        std::string expected;
    } cases[] = {
        {"QX_GUI.sem", "module v2"},
        {"QX_GUI.vert", "QX_GUI.vert v2"},
        {"QX_GUI.frag", "QX_GUI.frag v2"},
        {"USER_MENU.txt", "my menu"},
        {"PATCHES/DEMO.txt", "my demo"},
        {"PATCHES/MINE.txt", "my patch"},
        {"BACKUPS/MINE.txt", "my backup"},
        {"EQ_PRESETS.txt", "EQ_PRESETS.txt v2"}, // a shipped file deleted comes back
        {"MACROS/MACRO_PANEL.txt", "MACROS/MACRO_PANEL.txt v1"},
        {"TUTORIAL/HOME.txt", "TUTORIAL/HOME.txt v1"},
    };
    for (const auto& c : cases) EXPECT_EQ(readFile(user() + "/" + c.name), c.expected) << c.name;
    EXPECT_FALSE(fs::exists(user() + "/MACROS/.keep"));
    EXPECT_EQ(leftovers(user()), std::vector<std::string>{});
}

TEST_F(ModuleFolder, TheFolderIsTheUsersOwnAndTheModuleKeepsItsMode) {
    makeBuildFolder(build(), "v1");
    ::chmod((build() + "/QX_GUI.sem").c_str(), 0755);
    std::string error;
    ASSERT_TRUE(layOut(error)) << error;
    struct stat info {};
    ASSERT_EQ(::stat(user().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    ASSERT_EQ(::stat((user() + "/QX_GUI.sem").c_str(), &info), 0);
    EXPECT_TRUE(info.st_mode & S_IXUSR) << "the module lost its mode";
}

TEST_F(ModuleFolder, AFolderOthersCanWriteIsNotUsed) {
    makeBuildFolder(build(), "v1");
    fs::create_directories(user());
    ::chmod(user().c_str(), 0777);
    std::string error;
    EXPECT_FALSE(layOut(error));
    EXPECT_EQ(error,
              "the module folder " + user() + " is not used: others can write it (mode 0777)");
    EXPECT_FALSE(fs::exists(user() + "/QX_GUI.sem"));
}

TEST_F(ModuleFolder, ALinkPlantedAtAFileNameIsNeverFollowed) {
    makeBuildFolder(build(), "v1");
    fs::create_directories(user());
    ::chmod(user().c_str(), 0700);
    writeFile(path("victim"), "the user's own file");
    for (const char* name : {"QX_GUI.sem", "QX_GUI.vert", "USER_MENU.txt"})
        fs::create_symlink(path("victim"), user() + "/" + name);
    std::string error;
    ASSERT_TRUE(layOut(error)) << error;
    EXPECT_EQ(readFile(path("victim")), "the user's own file");
    // A program file is replaced as a name: the link goes, a file of the build takes its place.
    EXPECT_FALSE(fs::is_symlink(user() + "/QX_GUI.vert"));
    EXPECT_EQ(readFile(user() + "/QX_GUI.vert"), "QX_GUI.vert v1");
    // A shipped file that is there, a link included, is the person's.
    EXPECT_TRUE(fs::is_symlink(user() + "/USER_MENU.txt"));
}

TEST(UserModuleFolder, FollowsXdgDataHomeThenHome) {
    const struct {
        const char* dataHome;
        const char* home;
        std::string expected;
    } cases[] = {
        {"/data", "/home/a", "/data/qxhost"},
        {"relative", "/home/a", "/home/a/.local/share/qxhost"},
        {nullptr, "/home/a", "/home/a/.local/share/qxhost"},
        {nullptr, nullptr, ""},
    };
    const std::string savedData = std::getenv("XDG_DATA_HOME") ? std::getenv("XDG_DATA_HOME") : "";
    const std::string savedHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    for (const auto& c : cases) {
        c.dataHome ? ::setenv("XDG_DATA_HOME", c.dataHome, 1) : ::unsetenv("XDG_DATA_HOME");
        c.home ? ::setenv("HOME", c.home, 1) : ::unsetenv("HOME");
        EXPECT_EQ(qxhost::userModuleFolder(), c.expected);
    }
    savedData.empty() ? ::unsetenv("XDG_DATA_HOME")
                      : ::setenv("XDG_DATA_HOME", savedData.c_str(), 1);
    savedHome.empty() ? ::unsetenv("HOME") : ::setenv("HOME", savedHome.c_str(), 1);
}

// Which runs lay out the user's folder: a windowed run as a person starts it does (here without
// a display, so it stops at the window, after the module was loaded).
TEST_F(ModuleFolder, OnlyAPlainWindowedRunUsesTheUsersFolder) {
    const std::string out = QX_OUT_DIR;
    const struct {
        std::string arguments;
        std::string environment;
        bool laidOut;
    } cases[] = {
        {"--exit-after 100", "", true},
        {"--exit-after 100", "QXHOST_BUILD_FOLDER=1", false},
        {"--headless", "", false},
        {"--module '" + out + "/QX_GUI.sem' --exit-after 100", "", false},
    };
    for (const auto& c : cases) {
        fs::remove_all(path("data"));
        runQxhost(c.arguments, "env -u DISPLAY -u QXHOST_BUILD_FOLDER XDG_STATE_HOME='" +
                                   path("state") + "' XDG_DATA_HOME='" + path("data") + "' " +
                                   c.environment + " ");
        EXPECT_EQ(fs::exists(user() + "/QX_GUI.sem"), c.laidOut) << c.arguments << c.environment;
        if (!c.laidOut) continue;
        EXPECT_EQ(readFile(user() + "/QX_GUI.sem"), readFile(out + "/QX_GUI.sem"));
        EXPECT_EQ(readFile(user() + "/USER_MENU.txt"), readFile(out + "/shipped/USER_MENU.txt"));
        EXPECT_TRUE(fs::is_directory(user() + "/BACKUPS"));
    }
}

} // namespace
