// What the desktop's dialog programs are asked and how their answers are read: the request
// taken from the caller's structure, the argument vectors of zenity and kdialog, colours and
// file addresses.
#include <gtest/gtest.h>

#include "qxplatform/desktop_dialogs.h"

namespace {

using namespace qxplatform::desktop;
using Arguments = std::vector<std::string>;

const char16_t kPatchFilter[] = u"Text Files (*.txt)\0*.txt\0All Files (*.*)\0*.*\0";

OPENFILENAMEW patchDialog(char16_t* file, DWORD flags) {
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.lpstrFilter = kPatchFilter;
    dialog.lpstrFile = file;
    dialog.nMaxFile = 260;
    dialog.lpstrDefExt = u"txt";
    dialog.Flags = flags;
    return dialog;
}

TEST(DesktopFileRequest, TakesFiltersDefaultTitlesExtensionAndOverwritePrompt) {
    char16_t file[260] = {};
    const OPENFILENAMEW save = patchDialog(file, OFN_OVERWRITEPROMPT | OFN_FILEMUSTEXIST);
    const FileRequest request = fileRequestFrom(save, true, "/home/me");
    EXPECT_EQ(request.title, "Save As");
    ASSERT_EQ(request.filters.size(), 2u);
    EXPECT_EQ(request.filters[0].label, "Text Files (*.txt)");
    EXPECT_EQ(request.filters[0].patterns, Arguments{"*.txt"});
    EXPECT_EQ(request.filters[1].patterns, Arguments{"*"}); // "*.*" is every file here
    EXPECT_EQ(request.defaultExtension, "txt");
    EXPECT_TRUE(request.overwritePrompt);
    EXPECT_EQ(request.folder, "/home/me");
    EXPECT_EQ(request.name, "");

    const FileRequest open = fileRequestFrom(save, false, "/home/me");
    EXPECT_EQ(open.title, "Open");
    EXPECT_FALSE(open.overwritePrompt); // only a save asks before replacing
}

TEST(DesktopFileRequest, CallersTitleFolderNameAndFilterIndexWin) {
    char16_t file[260] = u"Z:\\data\\show.txt";
    OPENFILENAMEW dialog = patchDialog(file, 0);
    dialog.lpstrTitle = u"Pick";
    dialog.nFilterIndex = 2;
    FileRequest request = fileRequestFrom(dialog, false, "/elsewhere");
    EXPECT_EQ(request.title, "Pick");
    EXPECT_EQ(request.folder, "/data"); // the path in the buffer names the folder
    EXPECT_EQ(request.name, "show.txt");
    EXPECT_EQ(request.selectedFilter, 1u);
    dialog.lpstrInitialDir = u"Z:\\patches";
    EXPECT_EQ(fileRequestFrom(dialog, false, "/elsewhere").folder, "/patches");
}

TEST(DesktopFileRequest, FilterListsEndAtAnEmptyLabel) {
    static const char16_t filter[] = u"Macros\0*.txt;*.mac\0\0Ignored\0*.x\0";
    char16_t file[260] = {};
    OPENFILENAMEW dialog = patchDialog(file, 0);
    dialog.lpstrFilter = filter;
    const FileRequest request = fileRequestFrom(dialog, false, "");
    ASSERT_EQ(request.filters.size(), 1u);
    EXPECT_EQ(request.filters[0].patterns, (Arguments{"*.txt", "*.mac"}));
}

TEST(DesktopFileRequest, DefaultExtensionOnlyWhenTheNameHasNone) {
    const struct {
        const char* chosen;
        const char* written;
    } cases[] = {
        {"/p/show", "/p/show.txt"},
        {"/p/show.txt", "/p/show.txt"},
        {"/p/show.mac", "/p/show.mac"},
        {"/p.d/show", "/p.d/show.txt"}, // a dot in a folder is not an extension
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(withDefaultExtension(c.chosen, "txt"), c.written);
    EXPECT_EQ(withDefaultExtension("/p/show", ""), "/p/show");
    EXPECT_EQ(folderOf("/p/q/show.txt"), "/p/q");
    EXPECT_EQ(folderOf("/show.txt"), "/");
}

FileRequest saveRequest() {
    FileRequest request;
    request.save = true;
    request.title = "Save As";
    request.filters = {{"Text Files (*.txt)", {"*.txt"}}, {"All Files (*.*)", {"*"}}};
    request.folder = "/home/me/it's here";
    request.name = "a b.txt";
    return request;
}

TEST(DesktopHelperArguments, FileChoosersGetTitleFolderAndFiltersAsSingleArguments) {
    FileRequest request = saveRequest();
    EXPECT_EQ(zenityFileArguments(request),
              (Arguments{"zenity", "--file-selection", "--title=Save As", "--save",
                         "--filename=/home/me/it's here/a b.txt",
                         "--file-filter=Text Files (*.txt) | *.txt",
                         "--file-filter=All Files (*.*) | *"}));
    EXPECT_EQ(
        kdialogFileArguments(request),
        (Arguments{"kdialog", "--title", "Save As", "--getsavefilename",
                   "/home/me/it's here/a b.txt", "*.txt|Text Files (*.txt)\n*|All Files (*.*)"}));
    // Opening: the folder alone ends in "/"; the chosen filter comes first.
    request.save = false;
    request.name.clear();
    request.title = "Open";
    request.selectedFilter = 1;
    EXPECT_EQ(zenityFileArguments(request),
              (Arguments{"zenity", "--file-selection", "--title=Open",
                         "--filename=/home/me/it's here/", "--file-filter=All Files (*.*) | *",
                         "--file-filter=Text Files (*.txt) | *.txt"}));
}

TEST(DesktopHelperArguments, ColoursGoInAsHexOfTheirRedGreenBlue) {
    EXPECT_EQ(zenityColourArguments("Colour", 0x00804020),
              (Arguments{"zenity", "--color-selection", "--title=Colour", "--color=#204080"}));
    EXPECT_EQ(kdialogColourArguments("Colour", 0x000000FF),
              (Arguments{"kdialog", "--title", "Colour", "--getcolor", "--default", "#ff0000"}));
}

TEST(DesktopHelperArguments, MessageBoxesKeepCaptionTextAndIcon) {
    const struct {
        UINT type;
        const char* zenityKind;
        const char* kdialogKind;
    } cases[] = {
        {MB_OK, "--info", "--msgbox"},
        {MB_ICONINFORMATION, "--info", "--msgbox"},
        {MB_ICONEXCLAMATION, "--warning", "--sorry"},
        {MB_ICONERROR, "--error", "--error"},
    };
    for (const auto& c : cases) {
        const BoxIcon icon = boxIconOf(c.type);
        EXPECT_EQ(zenityMessageArguments("ERROR", "<b>no</b> Z:\\new\\tab", icon),
                  (Arguments{"zenity", c.zenityKind, "--title=ERROR",
                             "--text=<b>no</b> Z:\\new\\tab", "--no-markup"}))
            << c.type;
        EXPECT_EQ(kdialogMessageArguments("ERROR", "Z:\\new", icon),
                  (Arguments{"kdialog", "--title", "ERROR", c.kdialogKind, "Z:\\new"}))
            << c.type;
    }
}

// Each kdialog dialog is made transient for the owner's X window by --attach, right after the
// program's name; zenity's vectors and a dialog without an owner stay as they are.
TEST(DesktopHelperArguments, KdialogDialogsAreAttachedToTheirOwnersWindow) {
    FileRequest request;
    request.title = "Open";
    const Arguments vectors[] = {
        kdialogFileArguments(request),
        kdialogColourArguments("Colour", 0),
        kdialogMessageArguments("ERROR", "text", BoxIcon::Error),
        kdialogQuestionArguments("Confirm Save As", "replace?"),
    };
    for (const Arguments& plain : vectors) {
        Arguments expected = plain;
        expected.insert(expected.begin() + 1, {"--attach", "2097154"});
        EXPECT_EQ(attachedTo(plain, 0x200002), expected) << plain[3];
        EXPECT_EQ(attachedTo(plain, 0), plain) << plain[3];
    }
    for (const Arguments& zenity :
         {zenityFileArguments(request), zenityColourArguments("Colour", 0),
          zenityMessageArguments("ERROR", "text", BoxIcon::Error),
          zenityQuestionArguments("Confirm Save As", "replace?")})
        EXPECT_EQ(attachedTo(zenity, 0x200002), zenity) << zenity[1];
    EXPECT_EQ(attachedTo({}, 0x200002), Arguments{});
}

TEST(DesktopHelperArguments, PortalParentIsTheOwnersWindowInHexadecimal) {
    EXPECT_EQ(portalParentWindow(0x200002), "x11:200002");
    EXPECT_EQ(portalParentWindow(0x1a00005), "x11:1a00005");
    EXPECT_EQ(portalParentWindow(0), ""); // no owner: the portal places the chooser itself
}

// The title the helper's window is looked for by when its toolkit gives no process id.
TEST(DesktopHelperArguments, DialogTitleReadFromEitherProgramsVector) {
    FileRequest request;
    request.title = "Save As";
    EXPECT_EQ(helperDialogTitle(zenityFileArguments(request)), "Save As");
    EXPECT_EQ(helperDialogTitle(kdialogFileArguments(request)), "Save As");
    EXPECT_EQ(helperDialogTitle(zenityMessageArguments("--title", "t", BoxIcon::Error)), "--title");
    EXPECT_EQ(helperDialogTitle(kdialogColourArguments("Colour", 0)), "Colour");
    EXPECT_EQ(helperDialogTitle({"kdialog", "--title"}), "");
    EXPECT_EQ(helperDialogTitle({"zenity", "--info"}), "");
}

TEST(DesktopHelperAnswers, ColoursInEveryFormTheProgramsPrint) {
    const struct {
        const char* text;
        bool valid;
        COLORREF colour;
    } cases[] = {
        {"rgb(0,255,128)\n", true, 0x0080FF00},
        {"rgba(255,0,0,0.5)\n", true, 0x000000FF},
        {"#00ff80\n", true, 0x0080FF00},
        {"#00FF80", true, 0x0080FF00},
        {"rgb(256,0,0)", false, 0},
        {"rgb(1,2)", false, 0},
        {"#00ff8", false, 0},
        {"#00gg80", false, 0},
        {"", false, 0},
    };
    for (const auto& c : cases) {
        COLORREF colour = 0x123456;
        EXPECT_EQ(parseColourAnswer(c.text, colour), c.valid) << c.text;
        EXPECT_EQ(colour, c.valid ? c.colour : 0x123456u) << c.text;
    }
}

TEST(DesktopHelperAnswers, FileAddressesOfThisMachineOnly) {
    const struct {
        const char* uri;
        const char* path;
    } cases[] = {
        {"file:///home/me/show.txt", "/home/me/show.txt"},
        {"file://localhost/a%20b/c%27d.txt", "/a b/c'd.txt"},
        {"file:///a/100%", "/a/100%"},
        {"file:///a/%zz", "/a/%zz"},
        {"file:///a/%00b", ""}, // a zero byte would cut the path
        {"file://server/share/x.txt", ""},
        {"https://example.org/x.txt", ""},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(pathFromFileUri(c.uri), c.path) << c.uri;
    EXPECT_EQ(firstLine("/a/b.txt\r\nrest"), "/a/b.txt");
}

} // namespace
