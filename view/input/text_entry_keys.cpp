// Keys of the open text entry: ESC closes it, ENTER commits it, BACKSPACE and DELETE erase,
// and printable characters are taken as the entry's kind allows.
#include "app/qx_gui.h"
#include "view/input/key_predicates.h"

namespace {

bool isDigit(UINT c) {
    return c >= '0' && c <= '9';
}

bool has(const std::string& text, char c) {
    return text.find(c) != std::string::npos;
}

// The first key of a fresh entry: the characters each kind accepts, unmapped.
bool acceptsAsFirstKey(int32_t kind, UINT c, const std::string& text) {
    if (kind == 0 || kind == 5) return true;
    if (isDigit(c)) return kind >= 1 && kind <= 4;
    if (c == '-') return (kind == 1 || kind == 2) && !has(text, '-');
    if (c == '.') return (kind == 2 || kind == 4) && !has(text, '.');
    return false;
}

// A typed character in kinds 0 and 5, with the key mappings of the text kinds.
std::string mappedText(int32_t kind, UINT c) {
    std::string s(1, static_cast<char>(c));
    if (isKeyDownBackquote()) s = "'";
    if (isKeyDownSemicolon()) s = ":";
    if (isKeyDownShift() && isKeyDownDigit2()) s = "\"";
    if (c == '-') s = "_";
    if (c == ' ') s = kind == 0 ? "_" : " ";
    return s;
}

// A later key, appended (or for kind 1's "-", replacing the text) as the kind allows.
void appendByKind(std::string& text, int32_t kind, UINT c) {
    const char ch = static_cast<char>(c);
    switch (kind) {
    case 0:
    case 5:
        text += mappedText(kind, c);
        break;
    case 1:
        if (isDigit(c)) text += ch;
        if (c == '-' && !has(text, '-')) text = "-";
        break;
    case 2:
        if (isDigit(c) || ((c == '.' || c == '-') && !has(text, ch))) text += ch;
        break;
    case 3:
        if (isDigit(c)) text += ch;
        break;
    case 4:
        if (isDigit(c) || (c == '.' && !has(text, '.'))) text += ch;
        break;
    default:
        break;
    }
}

} // namespace

bool QX_GUI::textEntryTakesKeys() const {
    return textEntry.textEntryId != 0 && textEntry.textEntryKeysOn;
}

void QX_GUI::textEntryKeyDown(WPARAM key) {
    if (isKeyDownEscape()) {
        closeTextEntry();
        return;
    }
    if (isKeyDownEnter()) {
        commitTextEntry();
        return;
    }
    if (isKeyDownBackspace() || isKeyDownDelete()) {
        if (textEntry.textEntryFresh || textEntry.textEntryText.size() <= 1)
            textEntry.textEntryText = " ";
        else
            textEntry.textEntryText.pop_back();
        return;
    }
    if (isKeyDownCtrl()) return;
    const UINT c = MapVirtualKeyA(static_cast<UINT>(key), MAPVK_VK_TO_CHAR);
    if (c < 0x20 || c > 0x7E) return;
    if (textEntry.textEntryFresh) {
        if (!acceptsAsFirstKey(textEntry.textEntryKind, c, textEntry.textEntryText)) return;
        textEntry.textEntryText = std::string(1, static_cast<char>(c));
        textEntry.textEntryFresh = 0;
        return;
    }
    const bool room =
        textEntry.textEntryMaxLength == -1 ||
        static_cast<int64_t>(textEntry.textEntryText.size()) < textEntry.textEntryMaxLength;
    if (room) appendByKind(textEntry.textEntryText, textEntry.textEntryKind, c);
}
