// The three passes that turn the words of a command line into the fields of its CliObject:
// named KEY:value arguments, item names, and the last word as string and number.
#include <cctype>
#include <cstdlib>
#include <string_view>

#include "app/qx_gui.h"
#include "command/text_utils.h"
#include "model/checked_number.h"

const char* const kNamedKeyTexts[kNamedKeyCount] = {
    "X:",     "Y:",         "BW:",     "W:",       "H:",         "RED:",   "GREEN:",
    "BLUE:",  "R:",         "S:",      "L:",       "TIME:",      "BAND:",  "TYPE:",
    "G:",     "F:",         "ATTACK:", "RELEASE:", "THRESHOLD:", "RATIO:", "KNEE:",
    "LIMIT:", "SIDECHAIN:", "X1:",     "Y1:",      "X2:",        "Y2:",    "X3:",
    "Y3:",    "X4:",        "Y4:",     "X5:",      "Y5:"};

namespace {

// Calls visit(word, position) for every blank-separated word; two blanks in a row give an
// empty word and a trailing blank gives an empty last word.
template <typename Visit> int32_t forEachWord(const std::string& text, Visit visit) {
    int32_t position = 0;
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != ' ') continue;
        visit(std::string_view(text).substr(start, i - start), position++);
        start = i + 1;
    }
    return position;
}

// True when word equals name with name's bytes upper-cased (the word itself is not changed).
bool matchesUpperCasedName(std::string_view word, const std::string& name) {
    if (word.size() != name.size()) return false;
    for (size_t i = 0; i < word.size(); ++i)
        if (static_cast<char>(std::toupper(static_cast<unsigned char>(name[i]))) != word[i])
            return false;
    return true;
}

} // namespace

std::string QX_GUI::parseNamedValue(const std::string& text) {
    std::string value;
    for (char c : text) {
        if (static_cast<unsigned char>(c) < '!') break;
        if (c >= '-' && c <= '9') value += c;
    }
    return value;
}

CliObject QX_GUI::parseNamedArguments(CliObject command) {
    bool anyFound = false;
    std::string& text = command.commandString;
    for (int key = 0; key < kNamedKeyCount; ++key) {
        command.namedValue[key] = 0.0f;
        command.namedSet[key] = 0;
        const std::string_view keyText = kNamedKeyTexts[key];
        const size_t at = text.find(keyText);
        if (at == std::string::npos) continue;
        anyFound = true;
        const std::string valueText = parseNamedValue(text.substr(at + keyText.size()));
        command.namedValue[key] = static_cast<float>(readLeadingNumber(valueText));
        command.namedSet[key] = 1;
        // Cut the word out but keep the blank after it, so the word count stays the same.
        const size_t blank = text.find(' ', at);
        if (blank == std::string::npos)
            text.erase(at);
        else
            text.erase(at, blank - at);
    }
    if (!anyFound) console.highlight = 0;
    return command;
}

ItemRef QX_GUI::resolveItemName(const std::string& word) {
    ItemRef ref;
    if (word.empty()) return ref; // an empty word (two blanks in a row) names nothing
    auto found = [&](int32_t index, int32_t type) {
        ref.index = index;
        ref.type = type;
        ref.name = word;
        return ref;
    };
    for (int32_t i = 0; i < sourceCount; ++i)
        if (matchesUpperCasedName(word, sources[i].name)) return found(i, 1);
    for (int32_t i = 0; i < targetCount; ++i)
        if (matchesUpperCasedName(word, targets[i].name)) return found(i, 2);
    for (int32_t i = 0; i < groupCount; ++i)
        if (matchesUpperCasedName(word, groups[i].name)) return found(i, 3);
    for (int32_t i = 0; i < roomCount; ++i)
        if (matchesUpperCasedName(word, rooms[i].name)) return found(i, 5);
    return ref;
}

CliObject QX_GUI::resolveItemNames(CliObject command) {
    console.highlight = 1;
    command.refs.clear();
    std::string word;
    forEachWord(command.arguments, [&](std::string_view text, int32_t position) {
        if (command.refs.full()) return; // a line names at most 256 items
        word.assign(text);
        ItemRef ref = resolveItemName(word);
        if (ref.type == -1) return;
        ref.rank = position;
        command.refs.append(std::move(ref));
    });
    console.highlight = 0;
    return command;
}

CliObject QX_GUI::trimArguments(CliObject command) {
    std::string_view first;
    std::string_view last;
    const int32_t count = forEachWord(command.commandString, [&](std::string_view word, int32_t i) {
        if (i == 0) first = word;
        last = word;
    });
    if (count > 1) {
        command.string.assign(last);
        command.value = static_cast<float>(readLeadingNumber(command.string));
        console.highlight = 0;
    } else {
        command.start = command.end = saturatingInt(readLeadingNumber(std::string(first)));
        command.starts.clear();
        command.ends.clear();
    }
    return command;
}
