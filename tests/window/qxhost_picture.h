// A picture of the demo patch as qxhost shows it: qxhost run with extra arguments, a few
// frames, its screenshot read back as RGB, and a pixel compared within a tolerance.
#pragma once

#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;
    std::vector<int> at(int x, int y) const {
        const uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
        return {p[0], p[1], p[2]};
    }
};

// Reads a PNG as 8-bit RGB.
inline bool readPng(const std::string& path, Picture& picture) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
    image.format = PNG_FORMAT_RGB;
    picture.width = static_cast<int>(image.width);
    picture.height = static_cast<int>(image.height);
    picture.rgb.resize(PNG_IMAGE_SIZE(image));
    return png_image_finish_read(&image, nullptr, picture.rgb.data(), 0, nullptr) != 0;
}

inline bool shoot(const std::string& sends, const std::string& png, Picture& picture) {
    std::remove(png.c_str());
    const std::string command = "./qxhost --load PATCHES/DEMO.txt " + sends +
                                " --frames 4 --screenshot " + png + " >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0) return false;
    const bool read = readPng(png, picture);
    std::remove(png.c_str());
    return read;
}

inline void expectNear(const std::vector<int>& pixel, const std::vector<int>& expected, int within,
                       const char* what) {
    for (size_t i = 0; i < 3; ++i) EXPECT_NEAR(pixel[i], expected[i], within) << what << " " << i;
}

// A macro file written for one picture and removed with it.
struct PictureMacro {
    std::string name;
    PictureMacro(const std::string& fileName, const std::string& text) : name(fileName) {
        FILE* f = std::fopen(name.c_str(), "w");
        if (f) {
            std::fputs(text.c_str(), f);
            std::fclose(f);
        }
    }
    ~PictureMacro() { std::remove(name.c_str()); }
};

} // namespace
