// The session is written through the platform's file writer: private to the user, never
// through a link planted beside it, and each failure worded for the session's console line.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "qxhost/session_store.h"
#include "qxhost_in_folder.h"
#include "qxplatform/file_writer.h"
#include "qxplatform/test_hooks.h"

namespace {

using host_test::readFile;
using qxplatform::WriteStep;

mode_t modeOf(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 ? (info.st_mode & 07777) : 0;
}

struct SessionWrite : ::testing::Test {
    std::string root, folder, session, victim;
    const std::vector<uint8_t> bytes{'N', 'E', 'W'};
    void SetUp() override {
        char pattern[] = "/tmp/qxsession-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        root = pattern;
        folder = root + "/state/qxhost";
        session = folder + "/session";
        victim = root + "/victim.txt";
        std::ofstream(victim) << "PRIVATE\n";
        ::chmod(victim.c_str(), 0600);
    }
    void TearDown() override {
        qxplatform::setFileWriteFault(WriteStep::NoFailure, 0);
        qxplatform::setFileWriteStepRecorder(nullptr);
        std::system(("rm -rf '" + root + "'").c_str());
    }
};

// The old writer's temporary was "<session>.tmp-<pid>": a link planted there by another user
// replaced the file it named. Links there and at the session itself are never followed.
TEST_F(SessionWrite, LinksPlantedAtTheSessionAndItsOldTemporaryNameAreNeverFollowed) {
    ASSERT_EQ(::system(("mkdir -p '" + folder + "'").c_str()), 0);
    ASSERT_EQ(::chmod(folder.c_str(), 0700), 0);
    const std::string oldTemporary = session + ".tmp-" + std::to_string(::getpid());
    ASSERT_EQ(::symlink(victim.c_str(), oldTemporary.c_str()), 0);
    ASSERT_EQ(::symlink(victim.c_str(), session.c_str()), 0);
    std::string error;
    ASSERT_TRUE(qxhost::writeSessionFile(session, bytes, error)) << error;
    EXPECT_EQ(readFile(victim), "PRIVATE\n");
    EXPECT_EQ(readFile(session), "NEW");
    EXPECT_EQ(modeOf(session), 0600u);
}

TEST_F(SessionWrite, TheSessionAndItsFoldersArePrivateWhateverTheUmask) {
    const mode_t saved = ::umask(0);
    std::vector<WriteStep> steps;
    qxplatform::setFileWriteStepRecorder([&steps](WriteStep step) { steps.push_back(step); });
    std::string error;
    const bool written = qxhost::writeSessionFile(session, bytes, error);
    ::umask(saved);
    ASSERT_TRUE(written) << error;
    EXPECT_EQ(modeOf(session), 0600u);
    EXPECT_EQ(modeOf(folder), 0700u);
    EXPECT_EQ(modeOf(root + "/state"), 0700u);
    ASSERT_GE(steps.size(), 2u);
    EXPECT_EQ(steps[steps.size() - 2], WriteStep::Rename);
    EXPECT_EQ(steps.back(), WriteStep::SyncFolder); // the rename is on the disk
}

TEST_F(SessionWrite, EachFailureIsWordedAndKeepsTheOldSession) {
    std::string error;
    ASSERT_TRUE(qxhost::writeSessionFile(session, {'O', 'L', 'D'}, error)) << error;

    ASSERT_EQ(::chmod(folder.c_str(), 0777), 0);
    EXPECT_FALSE(qxhost::writeSessionFile(session, bytes, error));
    EXPECT_EQ(error, "the folder " + folder + " is not used: others can write it (mode 0777)");
    ASSERT_EQ(::chmod(folder.c_str(), 0700), 0);

    qxplatform::setFileWriteFault(WriteStep::Rename, EIO);
    EXPECT_FALSE(qxhost::writeSessionFile(session, bytes, error));
    EXPECT_EQ(error, "cannot write " + session + " (rename): Input/output error");
    qxplatform::setFileWriteFault(WriteStep::NoFailure, 0);
    EXPECT_EQ(readFile(session), "OLD");

    std::ofstream(root + "/plain") << "a file, not a folder";
    EXPECT_FALSE(qxhost::writeSessionFile(root + "/plain/qxhost/session", bytes, error));
    EXPECT_EQ(error, "cannot make the folder " + root + "/plain/qxhost: Not a directory");
}

} // namespace
