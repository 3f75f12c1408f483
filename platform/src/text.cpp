// Conversions between UTF-8 and 16-bit wide text.
#include "qxplatform/runtime.h"
#include "qxplatform/win32.h"

#include <cstring>

namespace qxplatform {

std::u16string widen(const std::string& text) {
    std::u16string wide;
    wide.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        uint32_t code = 0xFFFD;
        size_t extra = 0;
        if (c < 0x80) {
            code = c;
        } else if ((c & 0xE0) == 0xC0) {
            code = c & 0x1F;
            extra = 1;
        } else if ((c & 0xF0) == 0xE0) {
            code = c & 0x0F;
            extra = 2;
        } else if ((c & 0xF8) == 0xF0) {
            code = c & 0x07;
            extra = 3;
        }
        bool valid = c < 0x80 || extra > 0;
        for (size_t k = 1; valid && k <= extra; ++k) {
            if (i + k >= text.size()) {
                valid = false;
                break;
            }
            unsigned char next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) valid = false;
            code = (code << 6) | (next & 0x3F);
        }
        if (!valid) {
            wide.push_back(u'\uFFFD');
            ++i;
            continue;
        }
        i += extra + 1;
        if (code >= 0x10000) {
            code -= 0x10000;
            wide.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
            wide.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
        } else {
            wide.push_back(static_cast<char16_t>(code));
        }
    }
    return wide;
}

std::string narrow(const std::u16string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        uint32_t code = text[i];
        if (code >= 0xD800 && code < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000) {
            code = 0x10000 + ((code - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        }
        if (code < 0x80) {
            out.push_back(static_cast<char>(code));
        } else if (code < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (code >> 6)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else if (code < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (code >> 12)));
            out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (code >> 18)));
            out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        }
    }
    return out;
}

} // namespace qxplatform

namespace {

// Length of a NUL-terminated wide text.
size_t wideLength(LPCWSTR text) {
    size_t n = 0;
    while (text[n]) ++n;
    return n;
}

} // namespace

// Both code pages the module names (the system one and UTF-8) are UTF-8 here. A length of -1
// includes the terminator, as on Windows. A zero output size measures.
int MultiByteToWideChar(UINT, DWORD, LPCSTR text, int length, LPWSTR wide, int wideLength) {
    if (!text) return 0;
    bool withTerminator = length < 0;
    std::string input = withTerminator ? std::string(text) : std::string(text, length);
    std::u16string converted = qxplatform::widen(input);
    if (withTerminator) converted.push_back(u'\0');
    int needed = static_cast<int>(converted.size());
    if (wideLength == 0 || !wide) return needed;
    if (wideLength < needed) return 0;
    std::memcpy(wide, converted.data(), needed * sizeof(WCHAR));
    return needed;
}

int WideCharToMultiByte(UINT, DWORD, LPCWSTR wide, int wideLen, LPSTR text, int length, LPCSTR,
                        BOOL* usedDefault) {
    if (usedDefault) *usedDefault = FALSE;
    if (!wide) return 0;
    bool withTerminator = wideLen < 0;
    std::u16string input =
        withTerminator ? std::u16string(wide, wideLength(wide)) : std::u16string(wide, wideLen);
    std::string converted = qxplatform::narrow(input);
    if (withTerminator) converted.push_back('\0');
    int needed = static_cast<int>(converted.size());
    if (length == 0 || !text) return needed;
    if (length < needed) return 0;
    std::memcpy(text, converted.data(), needed);
    return needed;
}
