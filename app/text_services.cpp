#include "app/text_services.h"

#include <cctype>
#include <cstdio>
#include <vector>

#include "app/qx_gui.h"
#include "qxplatform/win32.h"

std::string toUpperCopy(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::string joinModuleFolder(const std::string& moduleFile, const std::string& name) {
    // Split at "\" (empty parts vanish) and join all but the file name. Paths of any depth are
    // taken whole rather than cut at a fixed number of parts.
    std::vector<std::string> parts;
    std::string part;
    for (char c : moduleFile) {
        if (c != '\\') {
            part += c;
            continue;
        }
        if (!part.empty()) parts.push_back(part);
        part.clear();
    }
    if (!part.empty()) parts.push_back(part);
    std::string folder;
    for (size_t i = 0; i + 1 < parts.size(); ++i) folder += parts[i] + "\\";
    return folder + name;
}

std::string modulePath(const std::string& name) {
    WCHAR wide[MAX_PATH] = {};
    GetModuleFileNameW(moduleInstance(), wide, MAX_PATH);
    char narrow[MAX_PATH] = {};
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, narrow, MAX_PATH - 1, nullptr, nullptr);
    return joinModuleFolder(narrow, name);
}

std::u16string modulePathWide(const std::string& name) {
    return utf8ToWide(modulePath(name));
}

std::u16string utf8ToWide(const std::string& text) {
    if (text.empty()) return {};
    int length =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::u16string wide(static_cast<size_t>(length), u'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                        length);
    return wide;
}

std::string intToString(int32_t value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%i", value);
    return buffer;
}

// Splits at one separator into the shared token table; empty fields count. Tokens past the
// table are dropped and a token too long for the table is cut.
void QX_GUI::splitTokens(std::string text, char separator) {
    if (text.empty()) {
        tokenCount = 0;
        return;
    }
    for (int i = 0; i < 128; ++i) tokens[i].clear();
    int32_t count = 0;
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != separator) continue;
        if (count < kTokens) {
            size_t length = i - start;
            if (length > static_cast<size_t>(kMaxTokenLength)) length = kMaxTokenLength;
            tokens[count++].assign(text, start, length);
        }
        start = i + 1;
    }
    tokenCount = count;
}

void QX_GUI::replaceNameSeparators() {
    auto clean = [](std::string& name) {
        std::string out;
        for (char c : name) {
            if (c == ' ') continue;
            out += c == '-' ? '_' : c;
        }
        name = out;
    };
    for (int i = 0; i < sourceCount; ++i) clean(sources[i].name);
    for (int i = 0; i < targetCount; ++i) clean(targets[i].name);
    for (int i = 0; i < groupCount; ++i) clean(groups[i].name);
    for (int i = 0; i < roomCount; ++i) clean(rooms[i].name);
    sendFlags[kSendRooms] = 1;
    sendFlags[kSendSources] = 1;
    sendFlags[kSendTargets] = 1;
    sendFlags[kSendGroups] = 1;
}

void QX_GUI::openTextEntry(int32_t x, int32_t y, int32_t width, int32_t height, std::string text,
                           int32_t maxLength, int32_t inputKind, std::string prompt1,
                           std::string prompt2, uint8_t replaceOnFirstKey) {
    endEveryDrag(); // the entry takes the keys and the next press; no drag outlives it
    textEntry.textEntryX = x;
    textEntry.textEntryY = y;
    textEntry.textEntryWidth = width == -1 ? 60 : width;
    textEntry.textEntryHeight = height == -1 ? 20 : height;
    textEntry.textEntryText = std::move(text);
    textEntry.textEntryMaxLength = maxLength < 16 ? maxLength : 16;
    textEntry.textEntryKind = inputKind;
    textEntry.textEntryTitle = std::move(prompt1);
    textEntry.textEntryPrompt = std::move(prompt2);
    textEntry.textEntryFresh = replaceOnFirstKey;
    textEntry.textEntryKeysOn = 1;
}
