// Reading what the desktop's dialogs answer: colours and file addresses.
#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "qxplatform/desktop_dialogs.h"

namespace qxplatform::desktop {
namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower >= 'a' && lower <= 'f') return lower - 'a' + 10;
    return -1;
}

COLORREF pack(unsigned red, unsigned green, unsigned blue) {
    return red | (green << 8) | (blue << 16);
}

bool parseHexColour(const std::string& text, COLORREF& colour) {
    if (text.size() != 7) return false;
    unsigned bytes[3];
    for (int i = 0; i < 3; ++i) {
        const int high = hexDigit(text[1 + 2 * i]), low = hexDigit(text[2 + 2 * i]);
        if (high < 0 || low < 0) return false;
        bytes[i] = static_cast<unsigned>(high * 16 + low);
    }
    colour = pack(bytes[0], bytes[1], bytes[2]);
    return true;
}

// "rgb(r,g,b)" or "rgba(r,g,b,a)" with components 0 to 255; the alpha is not kept.
bool parseFunctionalColour(const std::string& text, COLORREF& colour) {
    unsigned red = 0, green = 0, blue = 0;
    char close = 0;
    int read = std::sscanf(text.c_str(), "rgb(%u,%u,%u%c", &red, &green, &blue, &close);
    if (read != 4) {
        double alpha = 0;
        read =
            std::sscanf(text.c_str(), "rgba(%u,%u,%u,%lf%c", &red, &green, &blue, &alpha, &close);
        if (read != 5) return false;
    }
    if (close != ')' || red > 255 || green > 255 || blue > 255) return false;
    colour = pack(red, green, blue);
    return true;
}

} // namespace

bool parseColourAnswer(const std::string& text, COLORREF& colour) {
    const std::string line = firstLine(text);
    if (!line.empty() && line[0] == '#') return parseHexColour(line, colour);
    return parseFunctionalColour(line, colour);
}

std::string firstLine(const std::string& output) {
    std::string line = output.substr(0, output.find('\n'));
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

std::string pathFromFileUri(const std::string& uri) {
    static const std::string scheme = "file://";
    if (uri.compare(0, scheme.size(), scheme) != 0) return std::string();
    std::string rest = uri.substr(scheme.size());
    // Only this machine's files: an empty host or "localhost".
    if (rest.compare(0, 9, "localhost") == 0) rest = rest.substr(9);
    if (rest.empty() || rest[0] != '/') return std::string();
    std::string path;
    for (size_t i = 0; i < rest.size(); ++i) {
        const bool escape = rest[i] == '%' && i + 2 < rest.size();
        const int high = escape ? hexDigit(rest[i + 1]) : -1;
        const int low = escape ? hexDigit(rest[i + 2]) : -1;
        if (high < 0 || low < 0) {
            path += rest[i];
            continue;
        }
        // A zero byte would cut the path short wherever it is used.
        if (high == 0 && low == 0) return std::string();
        path += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return path;
}

} // namespace qxplatform::desktop
