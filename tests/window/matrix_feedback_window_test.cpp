// The MATRIX and FEEDBACK pages of the demo patch as qxhost shows them: a muted cable's cell
// and its centre dot, and the lit channel button of an input with a feedback path.
#include <gtest/gtest.h>

#include "qxhost_picture.h"
#include "qxplatform/test_hooks.h"

namespace {

TEST(MatrixFeedbackWindow, AMutedCableCellIsYellowWithAWhiteDot) {
    if (!qxplatform::hasDisplay()) GTEST_SKIP() << "no X display";
    const PictureMacro macro("matrix_probe.txt", "PAGE MATRIX\nTOGGLE_CABLE_MUTE S11 T5 1\n");
    Picture p;
    ASSERT_TRUE(shoot("--load " + macro.name, "matrix_probe.png", p));
    expectNear(p.at(422, 235), {255, 255, 0}, 0, "muted cable cell");
    expectNear(p.at(424, 237), {255, 255, 255}, 0, "its centre dot");
}

TEST(MatrixFeedbackWindow, AnInputWithAPathLightsItsButtonRed) {
    if (!qxplatform::hasDisplay()) GTEST_SKIP() << "no X display";
    const PictureMacro macro("feedback_probe.txt", "PAGE FEEDBACK\nFEEDBACK S3 T2\n");
    Picture p;
    ASSERT_TRUE(shoot("--load " + macro.name, "feedback_probe.png", p));
    expectNear(p.at(435, 165), {255, 0, 0}, 0, "channel button of input 3");
}

} // namespace
