// The bounded reader of user text files: lines with either line end, lines past the length
// limit cut with one note, and files that are not regular files refused without blocking.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>
#include <vector>

#include "app/bounded_text_file.h"
#include "patch_round_trip_support.h"

namespace {

using patch_test::ScratchFolder;
using patch_test::writeFile;

TEST(BoundedTextFile, SplitsLinesAndCutsThoseTooLong) {
    ScratchFolder scratch("bounded");
    const std::string path = scratch.path + "/LINES.TXT";
    const std::string longLine(kMaxTextLineLength + 10, 'A');
    writeFile(path, "ONE\r\nTWO\n" + longLine + "\nLAST");
    const TextFileRead read = readTextFile(path);
    ASSERT_TRUE(read.read);
    const std::vector<std::string> lines(read.lines().begin(), read.lines().end());
    EXPECT_EQ(lines, (std::vector<std::string>{"ONE", "TWO", std::string(kMaxTextLineLength, 'A'),
                                               "LAST"}));
    EXPECT_FALSE(read.endsWithLineEnd);
    EXPECT_EQ(read.notes,
              std::vector<std::string>{"LINES CUT AT 16384 CHARACTERS, FIRST ON LINE 3 : " + path});

    writeFile(path, "A\n");
    EXPECT_TRUE(readTextFile(path).endsWithLineEnd);
    // Lines are made as they are reached: a file of empty lines holds no more than its bytes.
    writeFile(path, std::string(1000, '\n'));
    const TextFileRead empty = readTextFile(path);
    EXPECT_EQ(std::distance(empty.lines().begin(), empty.lines().end()), 1000);
}

TEST(BoundedTextFile, RefusesWhatIsNotARegularFileOrTooLarge) {
    ScratchFolder scratch("bounded");
    const std::string fifo = scratch.path + "/PIPE";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0); // no writer: a blocking open would wait forever
    const std::string big = scratch.path + "/BIG.TXT";
    writeFile(big, "X");
    ASSERT_EQ(::truncate(big.c_str(), kMaxTextFileBytes + 1), 0);
    struct Case {
        std::string path;
        const char* note;
    };
    for (const Case& c : {Case{"/dev/zero", "FILE REFUSED, NOT A REGULAR FILE : "},
                          Case{scratch.path, "FILE REFUSED, NOT A REGULAR FILE : "},
                          Case{fifo, "FILE REFUSED, NOT A REGULAR FILE : "},
                          Case{big, "FILE REFUSED, LARGER THAN 8 MB : "}}) {
        const TextFileRead read = readTextFile(c.path);
        EXPECT_FALSE(read.read) << c.path;
        EXPECT_TRUE(read.text.empty()) << c.path;
        EXPECT_EQ(read.notes, std::vector<std::string>{c.note + c.path}) << c.path;
    }
    // A caller's own limit refuses with the caller's note.
    writeFile(big, "0123456789");
    const TextFileRead capped = readTextFile(big, 9, "TOO MUCH : ");
    EXPECT_FALSE(capped.read);
    EXPECT_EQ(capped.notes, std::vector<std::string>{"TOO MUCH : " + big});
    EXPECT_TRUE(readTextFile(big, 10).read);

    const TextFileRead missing = readTextFile(scratch.path + "/NONE.TXT");
    EXPECT_FALSE(missing.read);
    EXPECT_TRUE(missing.notes.empty());
}

} // namespace
