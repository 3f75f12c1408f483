// The INPUTS and OUTPUTS pages of the demo patch as qxhost shows them: the blended colours of
// lit and dim buttons and the grey of the MASTER strip, read from the screenshot.
#include <gtest/gtest.h>

#include "qxhost_picture.h"
#include "qxplatform/test_hooks.h"

namespace {

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
    const PictureMacro macro("mixer_outputs_probe.txt", "PAGE OUTPUTS\nTOGGLE_PANEL MASTER\n");
    Picture p;
    const bool shot = shoot("--load " + macro.name, "mixer_outputs_probe.png", p);
    ASSERT_TRUE(shot);
    expectNear(p.at(1308, 400), {128, 128, 128}, 1, "MASTER strip's left edge");
}

} // namespace
