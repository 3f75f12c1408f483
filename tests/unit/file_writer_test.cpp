// The platform's one file writer: whole or nothing, never through a link, synced in order.
#include <gtest/gtest.h>

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "qxplatform/file_writer.h"
#include "qxplatform/test_hooks.h"

namespace {

using qxplatform::FolderSafety;
using qxplatform::writeFileAtomically;
using qxplatform::WriteOptions;
using qxplatform::WriteResult;
using qxplatform::WriteStep;

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::vector<std::string> entriesOf(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (const dirent* entry = ::readdir(dir))
            if (std::string(entry->d_name) != "." && std::string(entry->d_name) != "..")
                names.push_back(entry->d_name);
        ::closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

mode_t modeOf(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 ? (info.st_mode & 07777) : 0;
}

bool isLink(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

// A scratch folder with a victim file outside it that planted links point at; the umask is
// 022 while a test runs.
struct FileWriter : ::testing::Test {
    std::string root, folder, target, victim;
    mode_t savedMask = 0;
    void SetUp() override {
        char pattern[] = "/tmp/qxwriter-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        root = pattern;
        folder = root + "/folder";
        target = folder + "/file.txt";
        victim = root + "/victim.txt";
        ASSERT_EQ(::mkdir(folder.c_str(), 0700), 0);
        writeFile(victim, "PRIVATE\n");
        ::chmod(victim.c_str(), 0600);
        savedMask = ::umask(022);
    }
    void TearDown() override {
        qxplatform::setFileWriteFault(WriteStep::NoFailure, 0);
        qxplatform::setFileWriteStepRecorder(nullptr);
        ::umask(savedMask);
        ::chmod(folder.c_str(), 0700);
        std::system(("rm -rf '" + root + "'").c_str());
    }
};

TEST_F(FileWriter, ANewFileTakesTheUmaskAnOldOneKeepsItsModeAFixedModeIsExact) {
    EXPECT_TRUE(writeFileAtomically(target, "one").replaced());
    EXPECT_EQ(readFile(target), "one");
    EXPECT_EQ(modeOf(target), 0644u);

    ::chmod(target.c_str(), 0640);
    EXPECT_TRUE(writeFileAtomically(target, "two").replaced());
    EXPECT_EQ(readFile(target), "two");
    EXPECT_EQ(modeOf(target), 0640u);

    WriteOptions fixed;
    fixed.useFixedMode = true;
    fixed.fixedMode = 0600;
    ::umask(0);
    EXPECT_TRUE(writeFileAtomically(target, "three", fixed).replaced());
    EXPECT_EQ(modeOf(target), 0600u);
    EXPECT_TRUE(writeFileAtomically(folder + "/new.txt", "four", fixed).replaced());
    EXPECT_EQ(modeOf(folder + "/new.txt"), 0600u);
    EXPECT_EQ(entriesOf(folder), (std::vector<std::string>{"file.txt", "new.txt"}));
}

TEST_F(FileWriter, EmptyContentsReplaceTheFile) {
    writeFile(target, "OLD");
    EXPECT_TRUE(writeFileAtomically(target, "").replaced());
    EXPECT_EQ(readFile(target), "");
}

// Each step failed in turn: the old file stays byte for byte and no temporary is left; the
// result names the step and its error.
TEST_F(FileWriter, EveryFailedStepKeepsTheOldFileAndLeavesNoTemporary) {
    const WriteStep steps[] = {
        WriteStep::CheckName,   WriteStep::MakeFolder,  WriteStep::OpenFolder,
        WriteStep::CheckFolder, WriteStep::CheckTarget, WriteStep::CreateTemporary,
        WriteStep::Write,       WriteStep::SyncFile,    WriteStep::SetMode,
        WriteStep::Close,       WriteStep::Rename};
    WriteOptions every; // options under which every step runs
    every.makeFolders = qxplatform::FolderMaking::WholePath;
    every.folderMode = 0700;
    every.requirePrivateFolder = true;
    every.useFixedMode = true;
    for (WriteStep step : steps) {
        writeFile(target, "OLD CONTENT\n");
        ::chmod(target.c_str(), 0644);
        qxplatform::setFileWriteFault(step, EIO);
        const WriteResult result = writeFileAtomically(target, "NEW", every);
        const char* name = qxplatform::writeStepName(step);
        EXPECT_EQ(result.failed, step) << name;
        EXPECT_EQ(result.error, EIO) << name;
        EXPECT_FALSE(result.replaced()) << name;
        EXPECT_EQ(readFile(target), "OLD CONTENT\n") << name;
        EXPECT_EQ(modeOf(target), 0644u) << name;
        EXPECT_EQ(entriesOf(folder), std::vector<std::string>{"file.txt"}) << name;
    }
    // After the rename the new contents are in place; a failed folder sync says so.
    qxplatform::setFileWriteFault(WriteStep::SyncFolder, EIO);
    const WriteResult late = writeFileAtomically(target, "NEW", every);
    EXPECT_EQ(late.failed, WriteStep::SyncFolder);
    EXPECT_TRUE(late.replaced());
    EXPECT_EQ(readFile(target), "NEW");
    EXPECT_EQ(entriesOf(folder), std::vector<std::string>{"file.txt"});
}

TEST_F(FileWriter, RealConditionsNameTheStepThatFailed) {
    struct Case {
        std::string path;
        WriteStep step;
        int error;
    } cases[] = {
        {"", WriteStep::CheckName, ENOENT},
        {folder + "/", WriteStep::CheckName, EISDIR},
        {folder + "/missing/file.txt", WriteStep::OpenFolder, ENOENT},
        {victim + "/file.txt", WriteStep::OpenFolder, ENOTDIR},
        {folder, WriteStep::CheckTarget, EISDIR},
    };
    for (const Case& c : cases) {
        const WriteResult result = writeFileAtomically(c.path, "NEW");
        EXPECT_EQ(result.failed, c.step) << c.path;
        EXPECT_EQ(result.error, c.error) << c.path;
    }
    EXPECT_EQ(entriesOf(folder), std::vector<std::string>());
    EXPECT_EQ(readFile(victim), "PRIVATE\n");
}

TEST_F(FileWriter, AReadOnlyFileOrFolderIsNotWritten) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes read-only files and folders";
    writeFile(target, "OLD");
    ::chmod(target.c_str(), 0444);
    WriteResult result = writeFileAtomically(target, "NEW");
    EXPECT_EQ(result.failed, WriteStep::CheckTarget);
    EXPECT_EQ(result.error, EACCES);
    ::chmod(target.c_str(), 0644);
    ::chmod(folder.c_str(), 0500);
    result = writeFileAtomically(target, "NEW");
    EXPECT_EQ(result.failed, WriteStep::CreateTemporary);
    EXPECT_EQ(readFile(target), "OLD");
    ::chmod(folder.c_str(), 0700);
    EXPECT_EQ(entriesOf(folder), std::vector<std::string>{"file.txt"});
}

TEST_F(FileWriter, MissingFoldersAreMadeAsAskedWithTheModeAsked) {
    WriteOptions options;
    options.folderMode = 0700;
    const std::string deep = folder + "/a/b/file.txt";
    options.makeFolders = qxplatform::FolderMaking::TargetFolder; // only the last one
    EXPECT_EQ(writeFileAtomically(deep, "NEW", options).failed, WriteStep::MakeFolder);
    EXPECT_EQ(entriesOf(folder), std::vector<std::string>());
    EXPECT_TRUE(writeFileAtomically(folder + "/a/file.txt", "NEW", options).replaced());
    EXPECT_EQ(modeOf(folder + "/a"), 0700u);

    options.makeFolders = qxplatform::FolderMaking::WholePath;
    options.folderMode = 0750;
    EXPECT_TRUE(writeFileAtomically(deep, "NEW", options).replaced());
    EXPECT_EQ(readFile(deep), "NEW");
    EXPECT_EQ(modeOf(folder + "/a"), 0700u); // an existing folder is left as it is
    EXPECT_EQ(modeOf(folder + "/a/b"), 0750u);
}

// The folder sync comes after the rename, and the file is synced before it.
TEST_F(FileWriter, StepsRunInOrderWithTheFolderSyncedAfterTheRename) {
    writeFile(target, "OLD");
    std::vector<WriteStep> steps;
    qxplatform::setFileWriteStepRecorder([&steps](WriteStep step) { steps.push_back(step); });
    EXPECT_TRUE(writeFileAtomically(target, "NEW").replaced());
    const std::vector<WriteStep> expected = {WriteStep::CheckName,   WriteStep::OpenFolder,
                                             WriteStep::CheckTarget, WriteStep::CreateTemporary,
                                             WriteStep::Write,       WriteStep::SetMode,
                                             WriteStep::SyncFile,    WriteStep::Close,
                                             WriteStep::Rename,      WriteStep::SyncFolder};
    EXPECT_EQ(steps, expected);
}

// A link at the target is replaced by the new file; the file it named is not touched.
TEST_F(FileWriter, ALinkAtTheTargetIsReplacedNeverFollowed) {
    ASSERT_EQ(::symlink(victim.c_str(), target.c_str()), 0);
    EXPECT_TRUE(writeFileAtomically(target, "NEW").replaced());
    EXPECT_FALSE(isLink(target));
    EXPECT_EQ(readFile(target), "NEW");
    EXPECT_EQ(modeOf(target), 0644u); // the victim's 0600 is not lent through the link
    EXPECT_EQ(readFile(victim), "PRIVATE\n");
    EXPECT_EQ(modeOf(victim), 0600u);

    // A dangling link creates nothing where it points.
    const std::string nowhere = root + "/nowhere.txt";
    ::unlink(target.c_str());
    ASSERT_EQ(::symlink(nowhere.c_str(), target.c_str()), 0);
    EXPECT_TRUE(writeFileAtomically(target, "NEW").replaced());
    EXPECT_EQ(readFile(target), "NEW");
    EXPECT_EQ(::access(nowhere.c_str(), F_OK), -1);
}

// Links planted at every name an attacker can guess (the old writer's "<name>.tmp-<pid>",
// names of the writer's own pattern, a link named like a left-over temporary of a dead run)
// are neither followed nor removed by a write.
TEST_F(FileWriter, LinksPlantedInTheFolderAreNeverFollowed) {
    const std::string pid = std::to_string(::getpid());
    const std::vector<std::string> planted = {
        "file.txt.tmp-" + pid,
        ".qxwrite-" + pid + "-0000000000000000.tmp",
        ".qxwrite-999999999-0123456789abcdef.tmp",
        ".qx_save_AAAAAA",
        "file.txt.partial",
    };
    for (const std::string& name : planted)
        ASSERT_EQ(::symlink(victim.c_str(), (folder + "/" + name).c_str()), 0) << name;
    for (int i = 0; i < 20; ++i)
        ASSERT_TRUE(writeFileAtomically(target, "NEW " + std::to_string(i)).replaced());
    EXPECT_EQ(readFile(target), "NEW 19");
    EXPECT_EQ(readFile(victim), "PRIVATE\n");
    for (const std::string& name : planted) EXPECT_TRUE(isLink(folder + "/" + name)) << name;
    EXPECT_EQ(entriesOf(folder).size(), planted.size() + 1);
}

TEST_F(FileWriter, APrivateFolderIsRequiredWhenAsked) {
    WriteOptions options;
    options.requirePrivateFolder = true;
    for (mode_t mode : {0777, 0770, 0703}) {
        ::chmod(folder.c_str(), mode);
        EXPECT_EQ(qxplatform::checkFolderSafety(folder), FolderSafety::WritableByOthers);
        const WriteResult result = writeFileAtomically(target, "NEW", options);
        EXPECT_EQ(result.failed, WriteStep::CheckFolder) << std::oct << mode;
        EXPECT_EQ(result.error, EPERM);
        EXPECT_EQ(entriesOf(folder), std::vector<std::string>()) << std::oct << mode;
    }
    ::chmod(folder.c_str(), 0755);
    EXPECT_EQ(qxplatform::checkFolderSafety(folder), FolderSafety::Private);
    EXPECT_TRUE(writeFileAtomically(target, "NEW", options).replaced());
    EXPECT_EQ(qxplatform::checkFolderSafety(root + "/none"), FolderSafety::Missing);
    EXPECT_EQ(qxplatform::checkFolderSafety(victim), FolderSafety::NotAFolder);
}

TEST_F(FileWriter, AFolderOfAnotherUserIsRefusedWhenAPrivateOneIsAsked) {
    if (::geteuid() != 0) GTEST_SKIP() << "only root can give a folder to another user";
    ASSERT_EQ(::chown(folder.c_str(), 65534, 65534), 0);
    EXPECT_EQ(qxplatform::checkFolderSafety(folder), FolderSafety::OwnedByAnother);
    WriteOptions options;
    options.requirePrivateFolder = true;
    EXPECT_EQ(writeFileAtomically(target, "NEW", options).failed, WriteStep::CheckFolder);
    EXPECT_EQ(entriesOf(folder), std::vector<std::string>());
}

// A child process writes the target and stops when it reaches the rename, leaving its
// temporary: it dies there, or stays alive until killed.
struct StoppedWriter {
    pid_t pid = -1;
    explicit StoppedWriter(const std::string& target, bool dies) {
        int ready[2];
        if (::pipe(ready) != 0) return;
        pid = ::fork();
        if (pid == 0) {
            qxplatform::setFileWriteStepRecorder([&](WriteStep step) {
                if (step != WriteStep::Rename) return;
                if (dies) ::_exit(0);
                (void)::write(ready[1], "x", 1);
                ::pause();
            });
            writeFileAtomically(target, "LOST");
            ::_exit(1);
        }
        ::close(ready[1]);
        char byte = 0;
        if (dies)
            ::waitpid(pid, nullptr, 0);
        else
            (void)::read(ready[0], &byte, 1);
        ::close(ready[0]);
    }
    ~StoppedWriter() {
        if (pid <= 0) return;
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
    }
};

TEST_F(FileWriter, ATemporaryOfAKilledRunIsRemovedAtTheNextWrite) {
    writeFile(target, "OLD");
    { StoppedWriter dead(target, true); }
    ASSERT_EQ(entriesOf(folder).size(), 2u); // the file and the left-over temporary
    EXPECT_TRUE(writeFileAtomically(folder + "/other.txt", "NEW").replaced());
    EXPECT_EQ(entriesOf(folder), (std::vector<std::string>{"file.txt", "other.txt"}));
    EXPECT_EQ(readFile(target), "OLD");
}

TEST_F(FileWriter, ATemporaryOfALiveRunIsKeptUntilItIsOld) {
    StoppedWriter alive(target, false);
    std::vector<std::string> entries = entriesOf(folder);
    ASSERT_EQ(entries.size(), 1u);
    const std::string temporary = folder + "/" + entries[0];
    EXPECT_TRUE(writeFileAtomically(target, "NEW").replaced());
    EXPECT_EQ(entriesOf(folder).size(), 2u); // a write of a live run may still be going on

    const timespec old[2] = {{0, UTIME_OMIT}, {::time(nullptr) - 600, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, temporary.c_str(), old, 0), 0);
    EXPECT_TRUE(writeFileAtomically(target, "NEWER").replaced());
    EXPECT_EQ(entriesOf(folder), std::vector<std::string>{"file.txt"});
    EXPECT_EQ(readFile(target), "NEWER");
}

} // namespace
