// The INPUTS and OUTPUTS pages of the demo patch as qxhost shows them: the blended colours of
// lit and dim buttons and the grey of the MASTER strip, read from the screenshot.
#include <gtest/gtest.h>

#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "qxplatform/test_hooks.h"

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

bool shoot(const std::string& sends, const std::string& png, Picture& picture) {
    std::remove(png.c_str());
    const std::string command = "./qxhost --load PATCHES/DEMO.txt " + sends +
                                " --frames 4 --screenshot " + png + " >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0) return false;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, png.c_str())) return false;
    image.format = PNG_FORMAT_RGB;
    picture.width = static_cast<int>(image.width);
    picture.height = static_cast<int>(image.height);
    picture.rgb.resize(PNG_IMAGE_SIZE(image));
    const bool read = png_image_finish_read(&image, nullptr, picture.rgb.data(), 0, nullptr);
    std::remove(png.c_str());
    return read;
}

void expectNear(const std::vector<int>& pixel, const std::vector<int>& expected, int within,
                const char* what) {
    for (size_t i = 0; i < 3; ++i) EXPECT_NEAR(pixel[i], expected[i], within) << what << " " << i;
}

TEST(MixerPagesWindow, MuteAndSoloButtonsShowLitAndDim) {
    if (!qxplatform::hasDisplay()) GTEST_SKIP() << "no X display";
    Picture p;
    ASSERT_TRUE(shoot("--send \"PAGE INPUTS\" --send \"MUTE S1\" --send \"SOLO S2\"",
                      "mixer_inputs_probe.png", p));
    ASSERT_EQ(p.width, 1376);
    expectNear(p.at(11, 240), {255, 255, 0}, 0, "S1 muted: solid yellow M");
    expectNear(p.at(11 + 2 * 62, 240), {77, 77, 0}, 1, "S3 unmuted: 30 % yellow over black");
    expectNear(p.at(94, 240), {255, 0, 0}, 0, "S2 soloed: solid red S");
}

TEST(MixerPagesWindow, TheMasterStripIsGrey) {
    if (!qxplatform::hasDisplay()) GTEST_SKIP() << "no X display";
    // The MASTER box, open in the demo, would cover the strip: close it first.
    const char* macro = "mixer_outputs_probe.txt";
    FILE* f = std::fopen(macro, "w");
    ASSERT_NE(f, nullptr);
    std::fputs("PAGE OUTPUTS\nTOGGLE_PANEL MASTER\n", f);
    std::fclose(f);
    Picture p;
    const bool shot = shoot(std::string("--load ") + macro, "mixer_outputs_probe.png", p);
    std::remove(macro);
    ASSERT_TRUE(shot);
    expectNear(p.at(1308, 400), {128, 128, 128}, 1, "MASTER strip's left edge");
}

} // namespace
