// The platform layer's first half: paths, clock, text conversion, system calls, message boxes,
// dialogs and the debug output.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <fstream>
#include <string>

#include "qxplatform/runtime.h"
#include "qxplatform/test_hooks.h"
#include "qxplatform/win32.h"

namespace {

using qxplatform::toHostPath;

std::string currentFolder() {
    char buffer[PATH_MAX];
    return ::getcwd(buffer, sizeof buffer) ? buffer : "";
}

// A scratch folder holding MACROS/Macro_Panel.txt and PATCHES/, removed afterwards.
struct ScratchFolder : ::testing::Test {
    std::string root;
    void SetUp() override {
        char pattern[] = "/tmp/qxplatform-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        root = pattern;
        ::mkdir((root + "/MACROS").c_str(), 0755);
        ::mkdir((root + "/Patches").c_str(), 0755);
        std::ofstream(root + "/MACROS/Macro_Panel.txt") << "TOGGLE_PANEL CLI\n";
    }
    void TearDown() override { std::system(("rm -rf '" + root + "'").c_str()); }
    std::string windowsForm(const std::string& hostPath) {
        return qxplatform::toModulePath(hostPath);
    }
};

TEST(PathMapping, DriveFormBecomesHostForm) {
    struct Case {
        std::string in, out;
    } cases[] = {
        {"Z:\\no_such_folder_qx\\b", "/no_such_folder_qx/b"},
        {"Z:/no_such_folder_qx/b", "/no_such_folder_qx/b"},
        {"z:\\no_such_folder_qx", "/no_such_folder_qx"},
        {"Z:\\", "/"},
        {"relative_qx\\name.txt", "relative_qx/name.txt"},
        {"/already/host_qx", "/already/host_qx"},
    };
    for (const Case& c : cases) EXPECT_EQ(toHostPath(c.in), c.out) << c.in;
    EXPECT_EQ(toHostPath(std::u16string(u"Z:\\no_such_folder_qx\\b")), "/no_such_folder_qx/b");
}

TEST(PathMapping, DriveRelativeNameIsTakenFromTheCurrentFolder) {
    EXPECT_EQ(toHostPath("Z:name_qx.txt"), currentFolder() + "/name_qx.txt");
    EXPECT_EQ(toHostPath("Z:sub_qx\\name.txt"), currentFolder() + "/sub_qx/name.txt");
}

TEST(PathMapping, ModuleFormRoundTrips) {
    EXPECT_EQ(qxplatform::toModulePath("/a/b/QX_GUI.sem"), "Z:\\a\\b\\QX_GUI.sem");
    EXPECT_EQ(toHostPath(qxplatform::toModulePath("/a/b/QX_GUI.sem")), "/a/b/QX_GUI.sem");
    EXPECT_EQ(
        qxplatform::toModulePath("rel"), "Z:" + [] {
            std::string f = currentFolder() + "/rel";
            for (char& c : f)
                if (c == '/') c = '\\';
            return f;
        }());
}

TEST_F(ScratchFolder, MissingComponentsMatchWithoutRegardToCase) {
    const std::string exact = root + "/MACROS/Macro_Panel.txt";
    EXPECT_EQ(toHostPath(windowsForm(root) + "\\MACROS\\MACRO_PANEL.TXT"), exact);
    EXPECT_EQ(toHostPath(windowsForm(root) + "\\macros\\macro_panel.txt"), exact);
    EXPECT_EQ(toHostPath(windowsForm(root) + "\\PATCHES\\NEW.TXT"), root + "/Patches/NEW.TXT");
    // A name that matches nothing stays as written.
    EXPECT_EQ(toHostPath(windowsForm(root) + "\\NOPE\\X.TXT"), root + "/NOPE/X.TXT");
    FILE* file = qxplatform::openFile(windowsForm(root) + "\\MACROS\\MACRO_PANEL.TXT", "r");
    ASSERT_NE(file, nullptr);
    char line[64] = {};
    EXPECT_NE(std::fgets(line, sizeof line, file), nullptr);
    std::fclose(file);
    EXPECT_STREQ(line, "TOGGLE_PANEL CLI\n");
}

TEST_F(ScratchFolder, FileAttributesFollowTheMapping) {
    auto attributes = [&](const std::string& windowsPath) {
        return GetFileAttributesW(qxplatform::widen(windowsPath).c_str());
    };
    EXPECT_EQ(attributes(windowsForm(root) + "\\MACROS"), DWORD(FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_EQ(attributes(windowsForm(root) + "\\macros\\MACRO_PANEL.TXT"),
              DWORD(FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(attributes(windowsForm(root) + "\\MACROS\\MISSING.TXT"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesW(nullptr), INVALID_FILE_ATTRIBUTES);
}

TEST(Clock, ManualClockIsSetAdvancedAndReleased) {
    qxplatform::setManualClock(1000);
    EXPECT_EQ(qxplatform::processClock(), 1000);
    EXPECT_EQ(qxplatform::processClock(), 1000); // it does not move by itself
    qxplatform::advanceManualClock(9);
    EXPECT_EQ(qxplatform::processClock(), 1009);
    qxplatform::setManualClock(5);
    EXPECT_EQ(qxplatform::processClock(), 5);
    qxplatform::releaseManualClock();
    int32_t first = qxplatform::processClock();
    EXPECT_GE(first, 0);
    ::usleep(20000);
    int32_t second = qxplatform::processClock();
    EXPECT_GE(second - first, 15); // wall milliseconds, not processor time
    EXPECT_LT(second - first, 5000);
}

TEST(Clock, ManualLocalTime) {
    std::tm fixed{};
    fixed.tm_year = 124;
    fixed.tm_mon = 2;
    fixed.tm_mday = 7;
    fixed.tm_hour = 13;
    qxplatform::setManualLocalTime(fixed);
    std::tm now = qxplatform::localTimeNow();
    EXPECT_EQ(now.tm_year, 124);
    EXPECT_EQ(now.tm_mday, 7);
    EXPECT_EQ(now.tm_hour, 13);
    qxplatform::releaseManualLocalTime();
    EXPECT_GE(qxplatform::localTimeNow().tm_year, 124);
}

TEST(TextConversion, MultiByteToWideCharMeasuresThenConverts) {
    const char* text = "A\xc3\xa9";
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, text, 3, nullptr, 0), 2);
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0), 3); // with the terminator
    char16_t wide[4] = {u'#', u'#', u'#', u'#'};
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, text, -1, wide, 4), 3);
    EXPECT_EQ(std::u16string(wide), u"A\u00e9");
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, text, -1, wide, 2), 0); // too small: nothing
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "", 0, nullptr, 0), 0);
    char back[8] = {};
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"A\u00e9", -1, back, 8, nullptr, nullptr), 4);
    EXPECT_STREQ(back, text);
    // Text that is not UTF-8 becomes replacement characters, never a read past its end.
    EXPECT_EQ(qxplatform::widen("\xc3"), u"\uFFFD");
}

TEST(Kernel, ModuleFileNameIsTheProgramInDriveForm) {
    HMODULE module = nullptr;
    ASSERT_TRUE(GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                       GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                   reinterpret_cast<LPCWSTR>(&currentFolder), &module));
    char16_t buffer[MAX_PATH] = {};
    DWORD length = GetModuleFileNameW(module, buffer, MAX_PATH);
    char self[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
    ASSERT_GT(n, 0);
    self[n] = 0;
    const std::u16string expected = qxplatform::widen(qxplatform::toModulePath(self));
    EXPECT_EQ(std::u16string(buffer), expected);
    EXPECT_EQ(length, expected.size());
    EXPECT_EQ(std::u16string(buffer).substr(0, 3), u"Z:\\");
}

TEST(Kernel, SystemInformation) {
    SYSTEM_INFO info;
    GetNativeSystemInfo(&info);
    EXPECT_GE(info.dwNumberOfProcessors, 1u);
#if defined(__x86_64__)
    EXPECT_EQ(info.wProcessorArchitecture, PROCESSOR_ARCHITECTURE_AMD64);
    EXPECT_TRUE(IsProcessorFeaturePresent(PF_XMMI_INSTRUCTIONS_AVAILABLE));   // SSE
    EXPECT_TRUE(IsProcessorFeaturePresent(PF_XMMI64_INSTRUCTIONS_AVAILABLE)); // SSE2
#endif
    EXPECT_FALSE(IsProcessorFeaturePresent(9999));
    char16_t folder[MAX_PATH] = {};
    UINT length = GetWindowsDirectoryW(folder, MAX_PATH);
    EXPECT_GT(length, 0u);
    EXPECT_EQ(std::u16string(folder).substr(0, 3), u"Z:\\");
}

TEST(DebugOutput, ReachesTheSinkTheHostSet) {
    std::vector<std::string> seen;
    qxplatform::setDebugOutputSink([&](const std::string& text) { seen.push_back(text); });
    OutputDebugStringA("FIRST");
    OutputDebugStringA(nullptr);
    OutputDebugStringA("SECOND");
    qxplatform::setDebugOutputSink(nullptr);
    OutputDebugStringA("DROPPED");
    EXPECT_EQ(seen, (std::vector<std::string>{"FIRST", "SECOND"}));
}

TEST(MessageBoxes, NeverBlockAndAreRecorded) {
    qxplatform::clearMessageBoxes();
    qxplatform::setMessageBoxesQuiet(true);
    EXPECT_EQ(MessageBoxW(nullptr, u"NO SHADER", u"ERROR", MB_OK), IDOK);
    EXPECT_EQ(MessageBoxA(nullptr, "FONT", "Ah, yeh, now ... that's not good.", MB_OK), IDOK);
    for (int i = 0; i < 40; ++i) MessageBoxA(nullptr, std::to_string(i).c_str(), "INFO", MB_OK);
    qxplatform::setMessageBoxesQuiet(false);
    auto boxes = qxplatform::recentMessageBoxes();
    ASSERT_EQ(boxes.size(), 32u); // the last ones are kept
    EXPECT_EQ(boxes.back().caption, "INFO");
    EXPECT_EQ(boxes.back().text, "39");
    qxplatform::clearMessageBoxes();
    EXPECT_TRUE(qxplatform::recentMessageBoxes().empty());
}

// A yes/no box takes the queued answers in order; other boxes leave them. Without an answer
// and without a window on screen no box can be shown, which is 0, never a yes.
TEST(MessageBoxes, AYesNoBoxTakesQueuedAnswersAndIsNeverSilentlyYes) {
    qxplatform::clearMessageBoxes();
    qxplatform::clearMessageBoxAnswers();
    qxplatform::setMessageBoxesQuiet(true);
    qxplatform::queueMessageBoxAnswer(IDNO);
    qxplatform::queueMessageBoxAnswer(IDYES);
    EXPECT_EQ(MessageBoxW(nullptr, u"SAVED", u"INFO", MB_OK), IDOK);
    EXPECT_EQ(MessageBoxW(nullptr, u"REPLACE?", u"Save", MB_YESNO | MB_ICONEXCLAMATION), IDNO);
    EXPECT_EQ(MessageBoxA(nullptr, "REPLACE?", "Save", MB_YESNO), IDYES);
    EXPECT_EQ(MessageBoxW(nullptr, u"REPLACE?", u"Save", MB_YESNO), 0);
    qxplatform::setMessageBoxesQuiet(false);
    EXPECT_EQ(MessageBoxW(nullptr, u"REPLACE?", u"Save", MB_YESNO), 0); // no window shown
    const auto boxes = qxplatform::recentMessageBoxes();
    ASSERT_EQ(boxes.size(), 5u);
    EXPECT_EQ(boxes[0].type, static_cast<unsigned>(MB_OK));
    EXPECT_EQ(boxes[1].type, static_cast<unsigned>(MB_YESNO | MB_ICONEXCLAMATION));
    EXPECT_EQ(boxes[1].text, "REPLACE?");
    qxplatform::clearMessageBoxes();
}

// A chosen path the buffer cannot hold, or a name that is not UTF-8, is refused with its
// reason rather than handed on cut or changed; a cancel has none.
TEST(Dialogs, APathTooLongOrNotUtf8IsRefusedWithItsReason) {
    struct Case {
        const char* what;
        std::string answer;
        BOOL chosen;
        DWORD error;
    };
    const std::string folder = "/tmp/" + std::string(240, 'f') + "/";
    const Case cases[] = {
        {"module form fills the buffer", folder + std::string(257 - folder.size(), 'n'), TRUE, 0},
        {"one more", folder + std::string(258 - folder.size(), 'n'), FALSE, FNERR_BUFFERTOOSMALL},
        {"latin-1", "/tmp/caf\xe9.txt", FALSE, FNERR_INVALIDFILENAME},
        {"a cut UTF-8 sequence", "/tmp/caf\xc3", FALSE, FNERR_INVALIDFILENAME},
        {"UTF-8", "/tmp/caf\xc3\xa9.txt", TRUE, 0},
    };
    for (const Case& c : cases) {
        for (const auto kind : {qxplatform::DialogKind::Open, qxplatform::DialogKind::Save}) {
            qxplatform::clearDialogAnswers();
            qxplatform::queueDialogAnswer(kind, c.answer);
            char16_t file[MAX_PATH] = {};
            OPENFILENAMEW dialog{};
            dialog.lStructSize = sizeof dialog;
            dialog.lpstrFile = file;
            dialog.nMaxFile = MAX_PATH;
            const BOOL chosen = kind == qxplatform::DialogKind::Open ? GetOpenFileNameW(&dialog)
                                                                     : GetSaveFileNameW(&dialog);
            EXPECT_EQ(chosen, c.chosen) << c.what;
            EXPECT_EQ(CommDlgExtendedError(), c.error) << c.what;
            if (chosen) {
                EXPECT_EQ(qxplatform::narrow(file), qxplatform::toModulePath(c.answer)) << c.what;
            }
        }
    }
    EXPECT_FALSE(GetOpenFileNameW(nullptr));
    EXPECT_EQ(CommDlgExtendedError(), 0u); // nothing queued: cancelled
}

TEST(Dialogs, AnswerFromTheirQueuesElseCancel) {
    qxplatform::clearDialogAnswers();
    char16_t file[MAX_PATH] = {};
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.lpstrFile = file;
    dialog.nMaxFile = MAX_PATH;
    EXPECT_FALSE(GetOpenFileNameW(&dialog)); // nothing queued: cancelled

    qxplatform::queueDialogAnswer(qxplatform::DialogKind::Open, "/data/PATCHES/show.txt");
    qxplatform::queueDialogAnswer(qxplatform::DialogKind::Save, "Z:\\out\\saved.txt");
    OPENFILENAMEW noBuffer{};
    EXPECT_FALSE(GetSaveFileNameW(&noBuffer)); // nowhere to write: cancelled, answer kept
    dialog.lpstrFile = file;
    dialog.nMaxFile = MAX_PATH;
    ASSERT_TRUE(GetOpenFileNameW(&dialog));
    EXPECT_EQ(std::u16string(file), u"Z:\\data\\PATCHES\\show.txt");
    EXPECT_EQ(dialog.nFileOffset, 16);
    EXPECT_EQ(dialog.nFileExtension, 21);
    EXPECT_FALSE(GetOpenFileNameW(&dialog)); // each answer is used once
    ASSERT_TRUE(GetSaveFileNameW(&dialog));
    EXPECT_EQ(std::u16string(file), u"Z:\\out\\saved.txt");

    CHOOSECOLORW colour{};
    colour.rgbResult = 0x123456;
    EXPECT_FALSE(ChooseColorW(&colour));
    EXPECT_EQ(colour.rgbResult, 0x123456u); // cancelled: unchanged
    qxplatform::queueDialogAnswer(qxplatform::DialogKind::Colour, "0x0000FF");
    ASSERT_TRUE(ChooseColorW(&colour));
    EXPECT_EQ(colour.rgbResult, 0x0000FFu);
}

} // namespace

namespace {

LRESULT CALLBACK plainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

// A window procedure that ends the program when a window without a parent goes, as the
// editor's does, so a child of the desktop must answer the desktop.
TEST(WindowParents, AChildOfTheDesktopAnswersTheDesktopAndOnlyTopLevelWindowsHaveNone) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &plainProc;
    windowClass.lpszClassName = u"WindowParentsTest";
    RegisterClassExW(&windowClass);
    auto make = [](DWORD style, HWND parent) {
        return CreateWindowExW(0, u"WindowParentsTest", nullptr, style, 0, 0, 50, 40, parent,
                               nullptr, nullptr, nullptr);
    };
    HWND top = make(0, nullptr);
    HWND onDesktop = make(WS_CHILD, GetDesktopWindow());
    HWND popupOnDesktop = make(0, GetDesktopWindow());
    HWND child = make(WS_CHILD, top);
    ASSERT_TRUE(top && onDesktop && popupOnDesktop && child);
    EXPECT_EQ(GetParent(top), nullptr);
    EXPECT_EQ(GetParent(onDesktop), GetDesktopWindow());
    EXPECT_EQ(GetParent(popupOnDesktop), nullptr);
    EXPECT_EQ(GetParent(child), top);
    for (HWND w : {onDesktop, popupOnDesktop, top}) DestroyWindow(w);
}

} // namespace
