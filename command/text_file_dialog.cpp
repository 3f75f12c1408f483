// One set-up of the open and save choosers for text files.
#include "command/text_file_dialog.h"

#include "qxplatform/runtime.h"
#include "qxplatform/win32.h"

TextFileChoice chooseTextFile(TextFileDialog kind) {
    static constexpr DWORD kOverwritePrompt = 0x00000002;
    static constexpr DWORD kHideReadOnly = 0x00000004;
    static constexpr DWORD kFileMustExist = 0x00001000;
    static constexpr DWORD kExplorer = 0x00080000;
    static constexpr DWORD kDontAddToRecent = 0x02000000;
    static const char16_t kFilter[] = u"Text Files (*.txt)\0*.txt\0All Files (*.*)\0*.*\0";
    const bool save = kind == TextFileDialog::Save;
    char16_t file[260] = {};
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.lpstrFilter = reinterpret_cast<LPCWSTR>(kFilter);
    dialog.lpstrFile = reinterpret_cast<LPWSTR>(file);
    dialog.nMaxFile = 260;
    dialog.lpstrDefExt = reinterpret_cast<LPCWSTR>(u"txt");
    dialog.Flags = (save ? kOverwritePrompt : 0) | kHideReadOnly | kFileMustExist | kExplorer |
                   kDontAddToRecent;
    if (save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog))
        return {TextFileOutcome::Chosen, qxplatform::narrow(std::u16string(file))};
    switch (CommDlgExtendedError()) {
    case FNERR_BUFFERTOOSMALL:
        return {TextFileOutcome::PathTooLong, {}};
    case FNERR_INVALIDFILENAME:
        return {TextFileOutcome::NameNotUtf8, {}};
    default:
        return {TextFileOutcome::Cancelled, {}};
    }
}
