// Finding the file of a system font face through the registry's font list.
#include "app/qx_gui.h"

namespace {

char16_t upper(char16_t c) {
    return c >= u'a' && c <= u'z' ? c - u'a' + u'A' : c;
}

} // namespace

std::string QX_GUI::findFontFile(std::string faceName) {
    std::u16string face;
    for (char c : faceName) face.push_back(static_cast<unsigned char>(c));

    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts",
                      0, KEY_READ, &key) != ERROR_SUCCESS)
        return std::string();

    std::u16string file;
    for (DWORD index = 0;; ++index) {
        char16_t name[512];
        DWORD nameLength = 512;
        BYTE data[2048];
        DWORD dataLength = sizeof data - 2;
        DWORD type = 0;
        LSTATUS status =
            RegEnumValueW(key, index, name, &nameLength, nullptr, &type, data, &dataLength);
        if (status == ERROR_NO_MORE_ITEMS) break;
        if (status != ERROR_SUCCESS || type != REG_SZ) continue;
        if (nameLength < face.size()) continue;
        bool match = true;
        for (size_t i = 0; i < face.size() && match; ++i) match = upper(name[i]) == upper(face[i]);
        if (!match) continue;
        data[dataLength] = 0;
        data[dataLength + 1] = 0;
        for (DWORD i = 0; i + 1 < dataLength; i += 2) {
            char16_t unit = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
            if (unit == 0) break;
            file.push_back(unit);
        }
        break;
    }
    RegCloseKey(key);
    if (file.empty()) return std::string();

    char16_t folder[MAX_PATH] = {};
    GetWindowsDirectoryW(folder, MAX_PATH);
    std::u16string path = std::u16string(folder) + u"\\Fonts\\" + file;
    std::string narrow;
    for (char16_t unit : path) narrow.push_back(static_cast<char>(unit));
    return narrow;
}
