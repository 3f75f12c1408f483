// qxhost end to end without a window: which file a save writes after a load. A file that is
// not a patch is never replaced unasked, a name is kept whole or refused, a cut load leaves the
// stage untitled, and the deferred slice lines of a load are saved.
#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "qxhost_in_folder.h"

namespace {

const std::string kOut = QX_OUT_DIR;

using host_test::readFile;
using host_test::writeFile;

// The shipped demo patch opens with the writer's head; without it, it is a file of commands that
// the writer did not make.
std::string withoutFirstLine(const std::string& text) {
    const size_t end = text.find('\n');
    return end == std::string::npos ? std::string() : text.substr(end + 1);
}

std::vector<std::string> entriesOf(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (dirent* entry = ::readdir(dir)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..") names.push_back(name);
        }
        ::closedir(dir);
    }
    return names;
}

// The lines of a patch that hold a tab (the slices), in their order.
std::vector<std::string> tabLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (line.find('\t') != std::string::npos) lines.push_back(line);
    return lines;
}

const char kNotes[] = "buy milk\ncall the venue about the stage plan\nnew cables: 4 x 10 m\n";

// A small patch as the writer makes it.
const char kWriterPatch[] = "# RESET EVERYTHING\nHARD_RESET\n\n# SETUP BASICS\n"
                            "SET NUM_ROOM 1\nSET NUM_TARGET 2\nSET NUM_SOURCE 3\n";

// Runs qxhost in a fresh folder; the console goes to c.txt there.
struct QxhostPatchPath : host_test::QxhostInFolder {
    int run(const std::string& arguments) {
        return runQxhost("--headless " + arguments + " --console c.txt");
    }
    std::string console() const { return readFile(path("c.txt")); }
    bool said(const std::string& line) const {
        return console().find("0 " + line + "\n") != std::string::npos;
    }
};

// A file whose lines all fail is not the patch; one of which a line runs is, but a save asks
// before replacing it, and a run without a window cannot ask: both files stay as they were.
TEST_F(QxhostPatchPath, AFileThatIsNotAPatchIsNeverReplacedBySaveNow) {
    struct Case {
        const char* what;
        std::string text;
        std::vector<std::string> told;
    };
    const Case cases[] = {
        {"notes: no line runs",
         kNotes,
         {"NO LINE OF THE FILE RAN: IT IS NOT TAKEN AS THE PATCH TO SAVE",
          "THE STAGE IS UNTITLED: SAVE IT AS A NEW PATCH", ">> SAVE FILE DIALOG CANCELLED"}},
        {"a file of commands the writer did not make",
         // The demo's lines without its head and its template mark.
         withoutFirstLine(withoutFirstLine(readFile(kOut + "/PATCHES/DEMO.txt"))),
         {"-> NOT A PATCH FILE: ITS FIRST LINE IS NOT # RESET EVERYTHING",
          "-> NOT SAVED: NO BOX CAN ASK WHETHER TO REPLACE IT"}},
        {"notes with a line that runs",
         std::string("HARD_RESET\n") + kNotes,
         {"-> NOT A PATCH FILE: ITS FIRST LINE IS NOT # RESET EVERYTHING",
          "-> NOT SAVED: NO BOX CAN ASK WHETHER TO REPLACE IT"}},
    };
    for (const Case& c : cases) {
        writeFile(path("f.txt"), c.text);
        ASSERT_EQ(run("--load f.txt --send 'MUTE S1' --send SAVE_NOW"), 0) << c.what;
        EXPECT_EQ(readFile(path("f.txt")), c.text) << c.what;
        for (const std::string& line : c.told) EXPECT_TRUE(said(line)) << c.what << ": " << line;
        EXPECT_FALSE(said("SAVE COMPLETE")) << c.what;
        EXPECT_EQ(entriesOf(folder).size(), 3u) << c.what; // f.txt, c.txt, stderr.txt
    }
}

// A patch the writer made saves over itself, as SAVE AS would write it.
TEST_F(QxhostPatchPath, APatchTheWriterMadeIsSavedOverItself) {
    writeFile(path("p.txt"), kWriterPatch);
    ASSERT_EQ(run("--load p.txt --send 'MUTE S2' --save q.txt"), 0);
    ASSERT_EQ(run("--load p.txt --send 'MUTE S2' --send SAVE_NOW"), 0);
    EXPECT_TRUE(said("SAVE COMPLETE"));
    EXPECT_NE(readFile(path("p.txt")), kWriterPatch);
    EXPECT_EQ(readFile(path("p.txt")), readFile(path("q.txt")));
}

// The module names a host file "Z:" and the path, 2 longer. A patch whose name the patch path
// cannot hold whole is refused at the load, so a later save cannot write a cut name beside it.
TEST_F(QxhostPatchPath, ALongPathIsSavedWholeOrRefusedNeverCut) {
    struct Case {
        size_t hostLength;
        std::string text;
        bool loads;
    };
    const std::string demo = readFile(kOut + "/PATCHES/DEMO.txt");
    const Case cases[] = {{253, kWriterPatch, true},  {254, demo, false},
                          {254, kWriterPatch, false}, {255, kWriterPatch, false},
                          {257, kWriterPatch, false}, {258, kWriterPatch, false}};
    for (const Case& c : cases) {
        const std::string inside = path("long" + std::to_string(c.hostLength));
        std::system(("rm -rf '" + inside + "'").c_str());
        ::mkdir(inside.c_str(), 0755);
        const std::string file =
            inside + "/" + std::string(c.hostLength - inside.size() - 5, 'p') + ".txt";
        ASSERT_EQ(file.size(), c.hostLength);
        writeFile(file, c.text);
        ASSERT_EQ(run("--load '" + file + "' --send 'MUTE S1' --send SAVE_NOW"), 0);
        EXPECT_EQ(entriesOf(inside).size(), 1u) << c.hostLength << ": a file beside it";
        EXPECT_EQ(readFile(file) != c.text, c.loads) << c.hostLength;
        EXPECT_EQ(said("SAVE COMPLETE"), c.loads) << c.hostLength;
        if (!c.loads) {
            const bool refusedByLoader = c.hostLength < 258; // longer ones do not fit the dialog
            EXPECT_NE(console().find(refusedByLoader
                                         ? "0 -> PATH TOO LONG (255 CHARACTERS AT MOST) : Z:/"
                                         : "0 -> PATH TOO LONG (255 CHARACTERS AT MOST)\n"),
                      std::string::npos)
                << c.hostLength << "\n"
                << console();
            EXPECT_FALSE(said(">> OPEN FILE DIALOG CANCELLED")) << c.hostLength;
        }
    }
}

// SAVE AS to a path the module cannot hold says so, whatever the length past the limit.
TEST_F(QxhostPatchPath, SaveAsToALongPathSaysItIsTooLong) {
    for (const size_t length : {size_t{253}, size_t{256}, size_t{258}, size_t{300}}) {
        const std::string inside = path("save" + std::to_string(length));
        ::mkdir(inside.c_str(), 0755);
        const std::string file =
            inside + "/" + std::string(length - inside.size() - 5, 's') + ".txt";
        ASSERT_EQ(run("--save '" + file + "'"), 0);
        const bool fits = length <= 253;
        EXPECT_EQ(entriesOf(inside).size(), fits ? 1u : 0u) << length;
        EXPECT_EQ(said("SAVE COMPLETE"), fits) << length;
        EXPECT_EQ(said("-> PATH TOO LONG (255 CHARACTERS AT MOST)"), !fits) << length;
        EXPECT_FALSE(said(">> SAVE FILE DIALOG CANCELLED")) << length;
    }
}

// A name that is not UTF-8 cannot be carried unchanged: it is refused, and no file of another
// name appears.
TEST_F(QxhostPatchPath, ANameThatIsNotUtf8IsRefusedNeverReplaced) {
    const std::string latin1 = "caf\xe9.txt";
    ASSERT_EQ(run("--save '" + latin1 + "'"), 0);
    EXPECT_TRUE(said("-> NOT SAVED: THE NAME CHOSEN IS NOT UTF-8 TEXT"));
    EXPECT_FALSE(said("SAVE COMPLETE"));
    EXPECT_EQ(entriesOf(folder).size(), 2u); // c.txt, stderr.txt

    writeFile(path(latin1), kWriterPatch);
    ASSERT_EQ(run("--load '" + latin1 + "' --send SAVE_NOW"), 0);
    EXPECT_TRUE(said("FILE REFUSED, ITS NAME IS NOT UTF-8 TEXT"));
    EXPECT_FALSE(said("SAVE COMPLETE"));
    EXPECT_EQ(readFile(path(latin1)), kWriterPatch);
    EXPECT_EQ(entriesOf(folder).size(), 3u);
}

// A load stopped at its time limit (3 s in qxhost) leaves the stage untitled: the next save
// writes neither the file it cut nor the patch open before it.
TEST_F(QxhostPatchPath, ACutLoadLeavesTheStageUntitled) {
    writeFile(path("before.txt"), kWriterPatch);
    std::string large = "# RESET EVERYTHING\n";
    for (int i = 0; i < 60000; ++i) large += "HARD_RESET\nSET NUM_SOURCE 64\nSET NUM_TARGET 64\n";
    writeFile(path("large.txt"), large);
    ASSERT_EQ(run("--load before.txt --load large.txt --send SAVE_NOW"), 0);
    ASSERT_NE(console().find("0 LOAD STOPPED AFTER 3 SECONDS"), std::string::npos);
    EXPECT_TRUE(said("THE LOAD WAS CUT SHORT: THE STAGE IS NOW UNTITLED"));
    EXPECT_TRUE(said("THE STAGE IS UNTITLED: SAVE IT AS A NEW PATCH"));
    EXPECT_FALSE(said("SAVE COMPLETE"));
    EXPECT_EQ(readFile(path("large.txt")), large);
    EXPECT_EQ(readFile(path("before.txt")), kWriterPatch);
}

// The slice lines hold tabs, so the load defers them; without a window no timer runs them,
// so they run at the end of the load, before the save.
TEST_F(QxhostPatchPath, TheSlicesOfALoadAreSaved) {
    const std::string slices = "SLICE_M S:1 X:2\tS1\tS3\n"
                               "SLICE_X S:1 X:2\t10.50\t-20.00\n"
                               "SLICE_Y S:1 X:2\t1.00\t2.00\n"
                               "SLICE_S S:1 X:2\t0.50\t1.00\n"
                               "SLICE_L S:1 X:2\t1.00\t0.50\n";
    writeFile(path("f.txt"), std::string(kWriterPatch) + slices);
    ASSERT_EQ(run("--load f.txt --save g.txt"), 0);
    EXPECT_EQ(tabLines(readFile(path("g.txt"))), tabLines(slices));
}

} // namespace
