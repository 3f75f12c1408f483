#include "command/verb_support.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>

#include "app/qx_gui.h"
#include "command/text_utils.h"

namespace verbs {

namespace {

// The argument words with their positions (the ranks of the name pass). The arguments text
// ends with a blank, whose empty word is no word of the line. A line of one word has none.
std::vector<std::string> argumentWords(const CliObject& command) {
    std::vector<std::string> words;
    if (command.arguments == "NO ARGUMENTS") return words;
    size_t start = 0;
    const std::string& text = command.arguments;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != ' ') continue;
        words.push_back(text.substr(start, i - start));
        start = i + 1;
    }
    if (!words.empty() && words.back().empty()) words.pop_back();
    return words;
}

bool isRefRank(const CliObject& command, int32_t position) {
    for (const ItemRef& ref : command.refs)
        if (ref.rank == position) return true;
    return false;
}

} // namespace

bool isOneOf(const std::string& word, const std::vector<const char*>& words) {
    for (const char* w : words)
        if (word == w) return true;
    return false;
}

bool checkItemWords(QX_GUI& gui, const CliObject& command, LastWord lastWord,
                    const std::vector<const char*>& words) {
    const std::vector<std::string> argumentList = argumentWords(command);
    const int32_t last = static_cast<int32_t>(argumentList.size()) - 1;
    for (int32_t p = 0; p <= last; ++p) {
        const std::string& word = argumentList[static_cast<size_t>(p)];
        if (word.empty()) continue;
        if (p == last) {
            if (lastWord == LastWord::Parameter) continue;
            if (lastWord == LastWord::Optional && !isRefRank(command, p) &&
                (words.empty() || isOneOf(word, words)))
                continue;
        }
        if (isRefRank(command, p)) continue;
        gui.console.pendingError = "ITEM \"" + word + "\" NOT FOUND";
        return false;
    }
    return true;
}

void dropLastWordRef(CliObject& command) {
    const int32_t last = static_cast<int32_t>(argumentWords(command).size()) - 1;
    ItemRefList kept;
    for (const ItemRef& ref : command.refs)
        if (ref.rank != last) kept.append(ref);
    command.refs = std::move(kept);
}

bool readNumberWord(const std::string& word, double& value) {
    size_t i = 0;
    const bool negative = !word.empty() && word[0] == '-';
    if (!word.empty() && (word[0] == '-' || word[0] == '+')) i = 1;
    if (word.compare(i, std::string::npos, "INF") == 0) {
        value = negative ? -HUGE_VAL : HUGE_VAL;
        return true;
    }
    if (i < word.size() && word[i] == '.') ++i;
    if (i >= word.size() || !std::isdigit(static_cast<unsigned char>(word[i]))) return false;
    value = readLeadingNumber(word);
    return true;
}

SourceTargetLists sortSourcesAndTargets(const CliObject& command) {
    SourceTargetLists lists;
    auto add = [](std::vector<int32_t>& list, int32_t index) {
        if (std::find(list.begin(), list.end(), index) == list.end()) list.push_back(index);
    };
    for (const ItemRef& ref : command.refs) {
        if (ref.type == kKindSource) add(lists.sources, ref.index);
        if (ref.type == kKindTarget) add(lists.targets, ref.index);
    }
    return lists;
}

} // namespace verbs
