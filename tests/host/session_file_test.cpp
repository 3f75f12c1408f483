// The session file's writer and reader: what is written reads back; what is damaged, cut short,
// of another version or for too many instances is refused with a message, never half taken.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dsp_link/state_pins.h"
#include "qxhost/session_file.h"

namespace {

using namespace qxhost;
using Status = SessionReadResult::Status;

std::vector<uint8_t> bytesOf(const std::string& text) {
    return std::vector<uint8_t>(text.begin(), text.end());
}

// Two instances: the first with a record blob, an empty value and the patch-file record, the
// second with nothing at all.
std::vector<SessionInstance> twoInstances() {
    std::vector<uint8_t> patchRecord(280, 0);
    patchRecord[0] = 'Z';
    patchRecord[279] = 0xff;
    return {{{9, std::vector<uint8_t>(128, 0x41)}, {28, {}}, {30, patchRecord}}, {}};
}

SessionReadResult read(const std::vector<uint8_t>& file, int32_t maxInstances = 4) {
    return readSession(file.data(), file.size(), maxInstances);
}

TEST(SessionFile, WhatIsWrittenReadsBackValueForValue) {
    const std::vector<SessionInstance> written = twoInstances();
    const SessionReadResult result = read(writeSession(written));
    ASSERT_EQ(result.status, Status::Ok) << result.message;
    ASSERT_EQ(result.instances.size(), 2u);
    ASSERT_EQ(result.instances[0].size(), 3u);
    for (size_t p = 0; p < 3; ++p) {
        EXPECT_EQ(result.instances[0][p].pinId, written[0][p].pinId);
        EXPECT_EQ(result.instances[0][p].value, written[0][p].value);
    }
    EXPECT_TRUE(result.instances[0][1].value.empty()) << "a zero-size value stays one";
    EXPECT_TRUE(result.instances[1].empty());
}

TEST(SessionFile, TheHeadLineNamesMagicVersionCountLengthAndChecksum) {
    const std::vector<uint8_t> file = writeSession({{{5, {1, 2, 3}}}});
    const std::string text(file.begin(), file.end());
    // Body: pin count 1, pin 5, size 3, the three bytes: 15 bytes.
    const std::string head = text.substr(0, text.find('\n'));
    EXPECT_EQ(head.rfind("QXHOST SESSION 1 1 15 ", 0), 0u) << head;
    EXPECT_EQ(head.size(), std::string("QXHOST SESSION 1 1 15 ").size() + 8);
    EXPECT_EQ(text.size(), head.size() + 1 + 15);
}

TEST(SessionFile, EveryCutShortFileIsRefused) {
    const std::vector<uint8_t> file = writeSession(twoInstances());
    for (size_t length = 0; length < file.size(); ++length) {
        const std::vector<uint8_t> cut(file.begin(), file.begin() + length);
        const SessionReadResult result = read(cut);
        EXPECT_EQ(result.status, Status::Damaged) << "length " << length;
        EXPECT_FALSE(result.message.empty());
        EXPECT_TRUE(result.instances.empty());
    }
}

TEST(SessionFile, EveryFlippedByteIsRefused) {
    const std::vector<uint8_t> file = writeSession(twoInstances());
    for (size_t at = 0; at < file.size(); ++at) {
        std::vector<uint8_t> flipped = file;
        flipped[at] ^= 0x20;
        const SessionReadResult result = read(flipped);
        EXPECT_NE(result.status, Status::Ok) << "byte " << at;
        EXPECT_FALSE(result.message.empty());
    }
}

TEST(SessionFile, AFileWithBytesPastItsLengthIsRefused) {
    std::vector<uint8_t> file = writeSession(twoInstances());
    file.push_back(0);
    EXPECT_EQ(read(file).status, Status::Damaged);
}

TEST(SessionFile, AnotherVersionIsToldByNumber) {
    const SessionReadResult result = read(bytesOf("QXHOST SESSION 2 1 0 00000000\n"));
    EXPECT_EQ(result.status, Status::OtherVersion);
    EXPECT_EQ(result.version, 2);
    EXPECT_EQ(result.message, "it is of format version 2, and this qxhost reads version 1");
}

TEST(SessionFile, MoreInstancesThanAskedAreRefusedFewerAreTaken) {
    const std::vector<uint8_t> file = writeSession(twoInstances());
    const SessionReadResult tooMany = read(file, 1);
    EXPECT_EQ(tooMany.status, Status::TooManyInstances);
    EXPECT_EQ(tooMany.message, "it holds 2 instances, more than the 1 asked for");
    EXPECT_TRUE(tooMany.instances.empty());
    const SessionReadResult fewer = read(file, 3);
    EXPECT_EQ(fewer.status, Status::Ok);
    EXPECT_EQ(fewer.instances.size(), 2u);
}

// A body of a correct head line, so that the reader gets past the checksum.
std::vector<uint8_t> withHead(uint32_t instances, const std::vector<uint8_t>& body) {
    char head[96];
    std::snprintf(head, sizeof head, "QXHOST SESSION 1 %u %zu %08x\n", instances, body.size(),
                  crc32Of(body.data(), body.size()));
    std::vector<uint8_t> file = bytesOf(head);
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

std::vector<uint8_t> words(std::initializer_list<uint32_t> values) {
    std::vector<uint8_t> out;
    for (uint32_t v : values)
        for (int b = 0; b < 4; ++b) out.push_back(static_cast<uint8_t>(v >> (8 * b)));
    return out;
}

TEST(SessionFile, BodiesThatLieAreRefusedWithWhatIsWrong) {
    struct Case {
        const char* what;
        uint32_t instances;
        std::vector<uint8_t> body;
        const char* message;
    };
    const Case cases[] = {
        {"a value past the end", 1, words({1, 9, 0xfffffff0u}),
         "instance 0 pin 9 claims 4294967280 bytes"},
        {"a value over the bound", 1, words({1, 9, kSessionMaxValueBytes + 1}),
         "instance 0 pin 9 claims 1048577 bytes"},
        {"a huge pin count", 1, words({0x7fffffffu}), "instance 0 claims 2147483647 pins"},
        {"a pin that holds no state", 1, words({1, 61, 0}),
         "instance 0 holds pin 61, which is no state pin"},
        {"a pin twice", 1, words({2, 30, 0, 30, 0}), "instance 0 holds pin 30 twice"},
        {"a missing instance", 2, words({0}), "instance 1 is cut short"},
        {"a pin head cut short", 1, words({1, 9}), "instance 0 is cut short"},
        {"an instance too many", 1, words({0, 0}), "it has bytes after its last instance"},
    };
    for (const Case& c : cases) {
        const SessionReadResult result = read(withHead(c.instances, c.body));
        EXPECT_EQ(result.status, Status::Damaged) << c.what;
        EXPECT_EQ(result.message, c.message) << c.what;
    }
}

TEST(SessionFile, HeadLinesThatAreNotTheWritersAreRefused) {
    const char* const heads[] = {
        "",
        "# RESET EVERYTHING\n",
        "QXHOST SESSION 1 0 0 00000000",         // no line end
        "QXHOST SESSION 1 0 0 0000000\n",        // short checksum
        "QXHOST SESSION 1 257 0 00000000\n",     // past every instance count
        "QXHOST SESSION 1 -1 0 00000000\n",      // a sign
        "QXHOST SESSION 01 0 0 00000000\n",      // a leading zero
        "QXHOST SESSION 1 0 0 00000000 x\n",     // a word too many
        "QXHOST SESSION 1 0 0 0000000G\n",       // not hex
        "QXHOST SESSION 1 0 99 00000000\n",      // longer than the file
        "QXHOST SESSION 1 0 0 00000001\n",       // wrong checksum of the empty body
        "QXHOST SESSION 1 0 0 00000000\n\n",     // a byte past the body
        "QXHOST SESSION 1  0 0 00000000\n",      // two blanks
        "QXHOST SESSION 99999999999999999999\n", // a version past every number
    };
    for (const char* head : heads) {
        const SessionReadResult result = read(bytesOf(head));
        EXPECT_EQ(result.status, Status::Damaged) << head;
        EXPECT_FALSE(result.message.empty()) << head;
    }
    EXPECT_EQ(read(bytesOf("QXHOST SESSION 1 0 0 00000000\n")).status, Status::Ok);
}

TEST(SessionFile, StatePinsAreTheModulesStatePinsInTheirRestoreOrder) {
    std::vector<int32_t> expected;
    for (const StatePin& pin : kStatePinsInRestoreOrder) expected.push_back(pin.pinId);
    EXPECT_EQ(sessionPins(), expected);
    for (int32_t notState : {1, 2, 3, 4, 6, 19, 20, 26, 37, 60, 61, 67})
        EXPECT_FALSE(isSessionPin(notState)) << notState;
}

} // namespace
