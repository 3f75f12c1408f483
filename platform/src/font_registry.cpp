// The registry key of the system font list, answered from fontconfig: the core faces a Windows
// program expects ("Arial Bold" and the like) come first, each naming the file of the installed
// face that fontconfig matches to it (Liberation Sans Bold for "Arial Bold"), then every
// installed face under its own name. File names are relative to the "Fonts" folder of
// GetWindowsDirectoryW.
#include "qxplatform/runtime.h"
#include "qxplatform/win32.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

const char16_t kFontsKey[] = u"Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
const char kFontsFolder[] = "/usr/share/fonts/";

struct FontKey {
    std::vector<std::pair<std::u16string, std::u16string>> values; // name, file
};

// The file name as the registry holds it: relative to the fonts folder, "\" separated.
std::u16string registryFileName(const std::string& path) {
    std::string relative;
    if (path.compare(0, sizeof kFontsFolder - 1, kFontsFolder) == 0) {
        relative = path.substr(sizeof kFontsFolder - 1);
    } else {
        // Elsewhere: climb out of /usr/share/fonts to the root.
        relative = "../../.." + path;
    }
    std::replace(relative.begin(), relative.end(), '/', '\\');
    return qxplatform::widen(relative);
}

std::string matchFile(FcConfig* config, const char* family, bool bold, bool italic) {
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config, pattern, &result);
    std::string file;
    FcChar8* text = nullptr;
    if (match && FcPatternGetString(match, FC_FILE, 0, &text) == FcResultMatch && text)
        file = reinterpret_cast<const char*>(text);
    if (match) FcPatternDestroy(match);
    FcPatternDestroy(pattern);
    return file;
}

void addCoreFaces(FcConfig* config, FontKey& key) {
    static const char* const families[] = {"Arial", "Times New Roman", "Courier New"};
    static const struct {
        const char* suffix;
        bool bold;
        bool italic;
    } styles[] = {{"", false, false},
                  {" Bold", true, false},
                  {" Bold Italic", true, true},
                  {" Italic", false, true}};
    for (const char* family : families)
        for (const auto& style : styles) {
            std::string file = matchFile(config, family, style.bold, style.italic);
            if (file.empty()) continue;
            std::string name = std::string(family) + style.suffix + " (TrueType)";
            key.values.emplace_back(qxplatform::widen(name), registryFileName(file));
        }
}

void addInstalledFaces(FcConfig* config, FontKey& key) {
    FcPattern* pattern = FcPatternCreate();
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, FC_STYLE, FC_FILE, nullptr);
    FcFontSet* set = FcFontList(config, pattern, objects);
    std::vector<std::pair<std::string, std::string>> faces;
    for (int i = 0; set && i < set->nfont; ++i) {
        FcChar8 *family = nullptr, *style = nullptr, *file = nullptr;
        if (FcPatternGetString(set->fonts[i], FC_FAMILY, 0, &family) != FcResultMatch ||
            FcPatternGetString(set->fonts[i], FC_FILE, 0, &file) != FcResultMatch)
            continue;
        std::string name = reinterpret_cast<const char*>(family);
        if (FcPatternGetString(set->fonts[i], FC_STYLE, 0, &style) == FcResultMatch &&
            std::strcmp(reinterpret_cast<const char*>(style), "Regular") != 0)
            name += std::string(" ") + reinterpret_cast<const char*>(style);
        faces.emplace_back(name + " (TrueType)", reinterpret_cast<const char*>(file));
    }
    std::sort(faces.begin(), faces.end());
    for (const auto& face : faces)
        key.values.emplace_back(qxplatform::widen(face.first), registryFileName(face.second));
    if (set) FcFontSetDestroy(set);
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
}

bool sameKeyName(LPCWSTR subKey) {
    if (!subKey) return false;
    std::u16string given(subKey);
    std::u16string wanted(kFontsKey);
    if (given.size() != wanted.size()) return false;
    for (size_t i = 0; i < given.size(); ++i) {
        char16_t a = given[i], b = wanted[i];
        if (a >= u'a' && a <= u'z') a = a - u'a' + u'A';
        if (b >= u'a' && b <= u'z') b = b - u'a' + u'A';
        if (a != b) return false;
    }
    return true;
}

} // namespace

LSTATUS RegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD, REGSAM, HKEY* result) {
    if (!result) return ERROR_FILE_NOT_FOUND;
    *result = nullptr;
    if (key != HKEY_LOCAL_MACHINE || !sameKeyName(subKey)) return ERROR_FILE_NOT_FOUND;
    // A configuration of our own, released at once, so nothing of fontconfig stays behind.
    FcConfig* config = FcInitLoadConfigAndFonts();
    if (!config) return ERROR_FILE_NOT_FOUND;
    auto* fonts = new FontKey;
    addCoreFaces(config, *fonts);
    addInstalledFaces(config, *fonts);
    FcConfigDestroy(config);
    *result = reinterpret_cast<HKEY>(fonts);
    return ERROR_SUCCESS;
}

LSTATUS RegEnumValueW(HKEY key, DWORD index, LPWSTR valueName, DWORD* valueNameLength, DWORD*,
                      DWORD* type, BYTE* data, DWORD* dataLength) {
    auto* fonts = reinterpret_cast<FontKey*>(key);
    if (!fonts || !valueName || !valueNameLength) return ERROR_FILE_NOT_FOUND;
    if (index >= fonts->values.size()) return ERROR_NO_MORE_ITEMS;
    const auto& value = fonts->values[index];
    if (value.first.size() + 1 > *valueNameLength) {
        *valueNameLength = static_cast<DWORD>(value.first.size() + 1);
        return ERROR_MORE_DATA;
    }
    std::memcpy(valueName, value.first.c_str(), (value.first.size() + 1) * 2);
    *valueNameLength = static_cast<DWORD>(value.first.size());
    if (type) *type = REG_SZ;
    DWORD bytes = static_cast<DWORD>((value.second.size() + 1) * 2);
    if (dataLength) {
        if (data && bytes > *dataLength) {
            *dataLength = bytes;
            return ERROR_MORE_DATA;
        }
        if (data) std::memcpy(data, value.second.c_str(), bytes);
        *dataLength = bytes;
    }
    return ERROR_SUCCESS;
}

LSTATUS RegCloseKey(HKEY key) {
    delete reinterpret_cast<FontKey*>(key);
    return ERROR_SUCCESS;
}
