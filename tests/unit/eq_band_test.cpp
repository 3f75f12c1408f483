// Equaliser band design against the bandwidth-form biquads of the Audio EQ Cookbook, and the
// band's response. Expected coefficients were computed separately, in high precision, from
// the cookbook's formulas (normalised by a0).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "model/eq_band.h"

namespace {

struct DesignCase {
    int type;
    float rate, frequency, width, gainDb;
    double b0, b1, b2, a1, a2;
};

const DesignCase kCases[] = {
    {0, 44100.0f, 1000.0f, 1.0f, 0.0f, 0.0048232691452658511, 0.0096465382905317021,
     0.0048232691452658511, -1.8847804247336629, 0.90407350131472628},
    {1, 44100.0f, 250.0f, 2.0f, 0.0f, 0.97367113376193954, -1.9473422675238791, 0.97367113376193954,
     -1.9467244834427423, 0.94796005160501587},
    {2, 48000.0f, 5000.0f, 0.5f, 0.0f, 0.10239290637801625, 0.0, -0.10239290637801625,
     -1.4242391719882165, 0.79521418724396749},
    {3, 48000.0f, 60.0f, 1.0f, 0.0f, 0.99723088631280601, -1.9944002587271674, 0.99723088631280601,
     -1.9944002587271674, 0.99446177262561203},
    {4, 44100.0f, 1000.0f, 2.0f, 6.0f, 1.0700297329898801, -1.8404346751255218, 0.78924408470295626,
     -1.8404346751255218, 0.85927381769283638},
    {4, 48000.0f, 3000.0f, 0.5f, -12.0f, 0.91006738429786012, -1.6258422840003534,
     0.84973162280969364, -1.6258422840003534, 0.75979900710755377},
    {5, 44100.0f, 100.0f, 2.0f, 9.0f, 1.0056070501270253, -1.9834112869533413, 0.97814223708998602,
     -1.983520323575619, 0.98364025059473364},
    {6, 48000.0f, 6000.0f, 3.0f, -4.5f, 0.70463137954466946, -0.42644688308758767,
     -0.034384277810126355, -0.79866702486163995, 0.042467243508595373},
    {0, 48000.0f, 12000.0f, 1.5f, 0.0f, 0.26172204162156411, 0.52344408324312822,
     0.26172204162156411, -8.8759655880499583e-32, 0.046888166486256441},
    {5, 48000.0f, 300.0f, 1.0f, -6.0f, 0.99499253173696361, -1.9659301124325202,
     0.97201129333223417, -1.9653957995703246, 0.96753813793139334},
    {6, 44100.0f, 8000.0f, 1.0f, 3.0f, 1.2509312910823959, -0.87423262435011419,
     0.54642030239826519, -0.48410890775497243, 0.40722787688551937},
    {1, 48000.0f, 40.0f, 0.25f, 0.0f, 0.99953912386621014, -1.9990782477324203, 0.99953912386621014,
     -1.9990645462035145, 0.99909194926132606},
    {2, 44100.0f, 440.0f, 1.0f, 0.0f, 0.02168400133718615, 0.0, -0.02168400133718615,
     -1.9527885154991778, 0.9566319973256277},
    {3, 44100.0f, 10000.0f, 0.75f, 0.0f, 0.72513844228536437, -0.21104315402887624,
     0.72513844228536437, -0.21104315402887624, 0.45027688457072874},
};

// Relative 1e-9, with an absolute floor for coefficients that are zero in exact arithmetic.
void expectClose(double actual, double expected, const char* what, int row) {
    EXPECT_NEAR(actual, expected, std::max(1e-9 * std::fabs(expected), 1e-12))
        << what << " in case " << row;
}

TEST(EqBandDesign, EveryTypeMatchesTheCookbookAtTwoSampleRates) {
    int row = 0;
    for (const DesignCase& c : kCases) {
        EqBand band;
        band.setType(c.type);
        band.design(c.rate, c.frequency, c.width, c.gainDb);
        expectClose(band.b0, c.b0, "b0", row);
        expectClose(band.b1, c.b1, "b1", row);
        expectClose(band.b2, c.b2, "b2", row);
        EXPECT_EQ(band.a0, 1.0) << row;
        expectClose(band.a1, c.a1, "a1", row);
        expectClose(band.a2, c.a2, "a2", row);
        // The raw set keeps the values before normalisation.
        expectClose(band.raw.b0 / band.raw.a0, c.b0, "raw b0", row);
        ++row;
    }
}

TEST(EqBandDesign, KeepUnnormalisedLeavesA0) {
    EqBand band;
    band.keepUnnormalised = 1;
    band.design(44100.0f, 1000.0f, 2.0f, 6.0f);
    EXPECT_NE(band.a0, 1.0);
    EXPECT_NEAR(band.b0 / band.a0, 1.0700297329898801, 1e-9);
}

TEST(EqBandDesign, UnknownTypeKeepsTheWorkingCoefficients) {
    EqBand band;
    band.design(44100.0f, 1000.0f, 2.0f, 6.0f);
    const double b0 = band.b0;
    band.type = 9;
    band.design(44100.0f, 500.0f, 1.0f, 0.0f);
    EXPECT_EQ(band.b0, b0);
    EXPECT_EQ(band.frequency, 500.0);
}

TEST(EqBandResponse, PeakResponseAtItsCentreIsItsGain) {
    for (float gain : {6.0f, -9.0f, 12.0f}) {
        EqBand band;
        band.buildFrequencyAxis(200);
        const float centre = static_cast<float>(band.axisFrequency[120]);
        band.design(48000.0f, centre, 1.0f, gain);
        band.computeResponse();
        // The plot is drawn with screen y growing downwards.
        EXPECT_NEAR(band.plot[120].y, -gain, 1e-4) << gain;
        EXPECT_GT(std::fabs(band.plot[120].y), std::fabs(band.plot[60].y));
    }
}

TEST(EqBandResponse, PeakAtZeroDecibelsIsFlat) {
    EqBand band;
    band.buildFrequencyAxis(200);
    band.design(44100.0f, 1000.0f, 2.0f, 0.0f);
    EXPECT_EQ(band.raw.b0, band.raw.a0);
    EXPECT_EQ(band.raw.b1, band.raw.a1);
    EXPECT_EQ(band.raw.b2, band.raw.a2);
    band.computeResponse();
    for (int i = 0; i < 200; ++i) EXPECT_NEAR(band.plot[i].y, 0.0f, 1e-6) << i;
    EXPECT_EQ(band.lineStripCount, 199);
    EXPECT_EQ(band.triangleCount, 199 * 6);
}

TEST(EqBandResponse, NotchIsDrawnAsASpikeAtItsHandle) {
    EqBand band;
    band.buildFrequencyAxis(200);
    band.setType(EqBand::kNotch);
    band.design(44100.0f, 1000.0f, 1.0f, 0.0f);
    band.computeResponse();
    const int centre = static_cast<int>(band.handleX);
    EXPECT_EQ(band.plot[centre].y, 120.0f);
    EXPECT_EQ(band.plot[centre - 1].y, 60.0f);
    EXPECT_EQ(band.plot[centre + 1].y, 60.0f);
    // The triangles clamp the response to +-12.
    EXPECT_EQ(band.triangles[centre * 6 + 1].y, 12.0f);
}

TEST(EqBandAxis, TenOctavesTowardsTwentyKilohertz) {
    EqBand band;
    band.buildFrequencyAxis(500);
    EXPECT_EQ(band.axisCount, 500);
    EXPECT_DOUBLE_EQ(band.axisFrequency[0], 19.53125);
    EXPECT_NEAR(band.axisFrequency[499], 19725.0, 1.0);
    band.buildFrequencyAxis(50000); // cut to the axis capacity
    EXPECT_EQ(band.axisCount, EqBand::kMaxAxis);
    band.computeResponse(); // plots up to the plot capacity
    EXPECT_EQ(band.lineStripCount, EqBand::kMaxPlotPoints - 1);
}

TEST(EqBandNames, TypesAndTheirNames) {
    const struct {
        int type;
        const char* shortName;
        const char* longName;
    } cases[] = {{0, "LP", "LOW PASS"},  {1, "HP", "HIGH PASS"}, {2, "B", "BAND PASS"},
                 {3, "N", "NOTCH"},      {4, "P", "PEAK"},       {5, "LS", "LOW SHELF"},
                 {6, "HS", "HIGH SHELF"}};
    EqBand band;
    for (const auto& c : cases) {
        band.setType(c.type);
        EXPECT_EQ(band.shortName, c.shortName);
        EXPECT_EQ(band.longName, c.longName);
    }
    band.setType(7);
    EXPECT_EQ(band.type, 7);
    EXPECT_EQ(band.longName, "HIGH SHELF");
}

} // namespace
