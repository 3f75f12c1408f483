// The stand-in DSP side of qxhost: the local-id handshake, carrying the configuration block and
// scripts, keeping the latest values, and the meters of its model.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <limits>
#include <sstream>
#include <tuple>

#include "qxhost/dsp_side.h"

namespace {

using qxhost::DspSide;

struct Delivered {
    int32_t instance;
    int32_t pinId;
    std::vector<uint8_t> value;
};

struct DspSideTest : ::testing::Test {
    std::vector<Delivered> delivered;
    DspSide dsp{[this](int32_t instance, int32_t pinId, const std::vector<uint8_t>& value) {
        delivered.push_back({instance, pinId, value});
    }};
};

TEST_F(DspSideTest, GivesLocalIdsInCreationOrder) {
    for (int32_t i = 0; i < 3; ++i) dsp.instanceCreated(i);
    EXPECT_TRUE(delivered.empty()); // queued until the host is out of its call
    dsp.deliverPending();
    ASSERT_EQ(delivered.size(), 3u);
    for (int32_t i = 0; i < 3; ++i) {
        EXPECT_EQ(delivered[i].instance, i);
        EXPECT_EQ(delivered[i].pinId, 1);
        EXPECT_EQ(delivered[i].value, (std::vector<uint8_t>{static_cast<uint8_t>(i), 0, 0, 0}));
    }
}

TEST_F(DspSideTest, CarriesInstanceZerosBlockToTheOthersAndEveryScriptToAll) {
    dsp.instanceCreated(0);
    dsp.instanceCreated(1);
    dsp.deliverPending();
    delivered.clear();
    std::vector<uint8_t> block(13324, 7);
    dsp.pinFromModule(1, 2, block); // only instance 0 publishes the block
    dsp.pinFromModule(0, 2, block);
    std::vector<uint8_t> script(2416, 3);
    dsp.pinFromModule(1, 4, script);
    dsp.deliverPending();
    ASSERT_EQ(delivered.size(), 3u);
    EXPECT_EQ(delivered[0].pinId, 2);
    EXPECT_EQ(delivered[0].instance, 1);
    EXPECT_EQ(delivered[0].value, block);
    EXPECT_EQ(delivered[1].pinId, 3);
    EXPECT_EQ(delivered[1].instance, 0);
    EXPECT_EQ(delivered[2].pinId, 3);
    EXPECT_EQ(delivered[2].instance, 1);
    EXPECT_EQ(delivered[2].value, script);
}

TEST_F(DspSideTest, KeepsTheLatestValueOfEveryPin) {
    dsp.pinFromModule(0, 9, {1, 2});
    dsp.pinFromModule(0, 9, {3});
    ASSERT_NE(dsp.latest(0, 9), nullptr);
    EXPECT_EQ(*dsp.latest(0, 9), std::vector<uint8_t>{3});
    EXPECT_EQ(dsp.latest(1, 9), nullptr);
}

TEST_F(DspSideTest, MetersFollowTheGainMatrixTimesTheTestLevels) {
    dsp.instanceCreated(0);
    dsp.deliverPending();
    delivered.clear();
    dsp.pinFromModule(0, 9, std::vector<uint8_t>(64 * 2, 0)); // two sources
    dsp.pinFromModule(0, 8, std::vector<uint8_t>(64 * 1, 0)); // one target
    std::vector<uint8_t> matrix(16, 0);
    matrix[0] = 2;
    matrix[1] = 1;
    matrix[3] = 1;
    float gain = 1.0f;
    std::memcpy(&matrix[12], &gain, 4); // source 0 -> target 0 at gain 1
    dsp.pinFromModule(0, 15, matrix);

    std::vector<uint8_t> meters = dsp.meterBlob(0, 1000);
    ASSERT_EQ(meters.size(), qxhost::meter_blob::kSize);
    EXPECT_EQ(meters[0], 0x48);
    EXPECT_EQ(meters[1], 0x07);
    EXPECT_EQ(meters[2], 0x05);
    EXPECT_EQ(meters[8], 1); // one word
    float db = 20.0f * std::log10(DspSide::testLevel(0));
    EXPECT_EQ(meters[12], static_cast<uint8_t>(-db * 4.0f + 0.5f));
    EXPECT_EQ(meters[13], 255); // no such target: silent

    dsp.feedMeters(1000);
    std::vector<int32_t> pins;
    for (const Delivered& d : delivered) pins.push_back(d.pinId);
    EXPECT_EQ(pins, (std::vector<int32_t>{61, 62, 63, 66, 67, 26}));
    delivered.clear();
    dsp.feedMeters(1000 + DspSide::kMeterIntervalMs - 1); // too soon
    EXPECT_TRUE(delivered.empty());
    dsp.feedMeters(1000 + DspSide::kMeterIntervalMs);
    EXPECT_EQ(delivered.size(), 6u);
}

int32_t i32At(const std::vector<uint8_t>& bytes, size_t at) {
    int32_t value;
    std::memcpy(&value, &bytes.at(at), 4);
    return value;
}

TEST_F(DspSideTest, StatusBlockFillsThePipelineRowsOfEveryChannelInUse) {
    namespace sb = qxhost::status_block;
    dsp.pinFromModule(0, 9, std::vector<uint8_t>(64 * 2, 0)); // two sources
    dsp.pinFromModule(0, 8, std::vector<uint8_t>(64 * 3, 0)); // three targets
    std::vector<uint8_t> matrix(24, 0);
    matrix[0] = 2;
    matrix[1] = 2;
    matrix[3] = 2;
    const float gains[2] = {1.0f, 0.0f}; // source 0 -> target 0; source 1 -> target 2 at 0
    matrix[8] = 0;
    matrix[9] = 0;
    matrix[16] = 1;
    matrix[17] = 2;
    std::memcpy(&matrix[12], &gains[0], 4);
    std::memcpy(&matrix[20], &gains[1], 4);
    dsp.pinFromModule(0, 15, matrix);
    std::vector<uint8_t> virtuals(256, 0);
    virtuals[4] = 5; // source 1 on virtual input channel 5
    dsp.pinFromModule(0, 24, virtuals);

    const std::vector<uint8_t> block = dsp.statusBlob(0);
    ASSERT_EQ(block.size(), sb::kSize);
    const struct {
        size_t at;
        uint8_t want;
    } flags[] = {{sb::kInputActive, 1},
                 {sb::kInputActive + 1, 0}, // fed, fed at gain 0
                 {sb::kInputActive + 2, 0},
                 {sb::kOutputActive, 1}, // no third source
                 {sb::kOutputActive + 1, 0},
                 {sb::kOutputActive + 2, 0},
                 {sb::kOutputActive + 3, 0},
                 {0, 0},
                 {63, 0},
                 {4099, 0}};
    for (const auto& f : flags) EXPECT_EQ(block[f.at], f.want) << "byte " << f.at;
    const int32_t source0Db = -12, source1Db = -10; // test levels 0.25 and 0.30
    const struct {
        size_t row;
        int32_t channel, want;
    } numbers[] = {{sb::kInputPreDelay, 0, source0Db},
                   {sb::kInputPreFilter, 1, source1Db},
                   {sb::kInputPreDynamics, 0, source0Db},
                   {sb::kInputPreMix, 1, source1Db},
                   {sb::kInputPreMix, 2, 0},
                   {sb::kInputSidechain, 0, 0},
                   {sb::kInputChainLocation, 0, 0},
                   {sb::kInputChainLocation, 1, 5},
                   {sb::kOutputPreDelay, 0, source0Db},
                   {sb::kOutputPreFilter, 1, -99},
                   {sb::kOutputPreDynamics, 2, -99},
                   {sb::kOutputPostDynamics, 0, source0Db},
                   {sb::kOutputPostDynamics, 3, 0},
                   {sb::kOutputSidechain, 0, 0},
                   {sb::kOutputChainLocation, 2, 2},
                   {sb::kOutputChainClass, 0, 0},
                   {sb::kOutputPickup, 0, 1},
                   {sb::kOutputPickup, 2, 0}};
    for (const auto& n : numbers)
        EXPECT_EQ(i32At(block, n.row + 4 * n.channel), n.want)
            << "row at " << n.row << ", channel " << n.channel;
}

TEST_F(DspSideTest, StatusBlockReadsAnInfiniteLevelAsItsTopNumber) {
    namespace sb = qxhost::status_block;
    dsp.pinFromModule(0, 9, std::vector<uint8_t>(64, 0)); // one source
    dsp.pinFromModule(0, 8, std::vector<uint8_t>(64, 0)); // one target
    // Eight entries of source 0 -> target 0 at the largest finite gain: their sum overflows.
    std::vector<uint8_t> matrix(8 * 9, 0);
    const float gain = std::numeric_limits<float>::max();
    for (size_t at = 8; at < matrix.size(); at += 8) std::memcpy(&matrix[at + 4], &gain, 4);
    dsp.pinFromModule(0, 15, matrix);
    const std::vector<uint8_t> block = dsp.statusBlob(0);
    EXPECT_EQ(i32At(block, sb::kOutputPostDynamics), 999);
    EXPECT_EQ(block[sb::kOutputActive], 1);
}

TEST(QxhostDspSideFeed, StatusBlockShowsTheStateTheMetersCallbackSent) {
    // The instance answers its meters by sending the state its scripts changed: one source
    // cabled to one target.
    DspSide* side = nullptr;
    std::vector<uint8_t> status;
    DspSide dsp{[&](int32_t instance, int32_t pinId, const std::vector<uint8_t>& value) {
        if (pinId == 61) {
            side->pinFromModule(instance, 9, std::vector<uint8_t>(64, 0));
            side->pinFromModule(instance, 8, std::vector<uint8_t>(64, 0));
            std::vector<uint8_t> matrix(16, 0);
            matrix[0] = 1;
            const float gain = 0.5f;
            std::memcpy(&matrix[12], &gain, 4);
            side->pinFromModule(instance, 15, matrix);
        }
        if (pinId == 26) status = value;
    }};
    side = &dsp;
    dsp.instanceCreated(0);
    dsp.deliverPending();
    dsp.feedMetersNow(0);
    ASSERT_EQ(status.size(), qxhost::status_block::kSize);
    EXPECT_EQ(status[qxhost::status_block::kInputActive], 1);
    EXPECT_EQ(status[qxhost::status_block::kOutputActive], 1);
    EXPECT_EQ(i32At(status, qxhost::status_block::kOutputPickup), 1);
    // Now, not at the interval: a second feed at the same time still arrives.
    status.clear();
    dsp.feedMetersNow(0);
    EXPECT_EQ(status.size(), qxhost::status_block::kSize);
}

TEST_F(DspSideTest, StatusBlockOfAnInstanceWithNoStateIsAllZero) {
    const std::vector<uint8_t> block = dsp.statusBlob(0);
    ASSERT_EQ(block.size(), qxhost::status_block::kSize);
    EXPECT_EQ(std::count(block.begin(), block.end(), 0), static_cast<long>(block.size()));
}

// ---- The monitored channel's waveform and spectrum -------------------------------------------

float f32At(const std::vector<uint8_t>& bytes, size_t at) {
    float value;
    std::memcpy(&value, &bytes.at(at), 4);
    return value;
}

struct SignalModel {
    DspSide dsp{[](int32_t, int32_t, const std::vector<uint8_t>&) {}};
    // The block before this time is centred on second 12, where the vibrato's deviation is zero.
    static constexpr int32_t kNow = 12046;
    // Sources at level 1, unmuted, each on its own virtual channel (no table sent).
    void sources(int32_t count) {
        sourceRecords.assign(64 * static_cast<size_t>(count), 0);
        for (int32_t s = 0; s < count; ++s) setSource(s, 1.0f, false);
    }
    void setSource(int32_t s, float level, bool mute) {
        std::memcpy(&sourceRecords[64 * s + 12], &level, 4);
        sourceRecords[64 * s + 24] = mute ? 1 : 0;
        dsp.pinFromModule(0, 9, sourceRecords);
    }
    // Gain matrix entries (source, target, gain) for `targetCount` targets.
    void matrix(int32_t targetCount, std::vector<std::tuple<int, int, float>> entries) {
        dsp.pinFromModule(0, 8, std::vector<uint8_t>(64 * static_cast<size_t>(targetCount), 0));
        std::vector<uint8_t> m(8 * (entries.size() + 1), 0);
        for (size_t e = 0; e < entries.size(); ++e) {
            m[8 * (e + 1)] = static_cast<uint8_t>(std::get<0>(entries[e]));
            m[8 * (e + 1) + 1] = static_cast<uint8_t>(std::get<1>(entries[e]));
            const float gain = std::get<2>(entries[e]);
            std::memcpy(&m[8 * (e + 1) + 4], &gain, 4);
        }
        dsp.pinFromModule(0, 15, m);
    }
    void monitor(int32_t channel) {
        std::vector<uint8_t> value(4, 0);
        std::memcpy(value.data(), &channel, 4);
        dsp.pinFromModule(0, 60, value);
    }
    // `count` floats of the meter blob sent at `now`, from word `word` on.
    std::vector<float> blobFloats(size_t word, size_t count, int32_t now) const {
        const std::vector<uint8_t> blob = dsp.meterBlob(0, now);
        std::vector<float> out;
        for (size_t k = 0; k < count; ++k) out.push_back(f32At(blob, 4 * (word + k)));
        return out;
    }
    std::vector<float> scope(int32_t now = kNow) const {
        return blobFloats(qxhost::meter_blob::kScopeWord, qxhost::meter_blob::kScopePoints, now);
    }
    std::vector<float> spectrum(int32_t now = kNow) const {
        return blobFloats(qxhost::meter_blob::kSpectrumWord, qxhost::meter_blob::kSpectrumPoints,
                          now);
    }
    // The spectrum point of a source's bin (point p is bin p + 1).
    static size_t pointOf(int32_t source) {
        return static_cast<size_t>(qxhost::test_signals::sourceBin(source) - 1);
    }
    std::vector<uint8_t> sourceRecords;
};

TEST(DspSideSignals, ScopeWordsAreTheLastSamplesOfTheMonitoredSourcesSine) {
    SignalModel m;
    m.sources(3);
    m.monitor(2);
    const std::vector<float> samples = m.scope();
    const int32_t bin = qxhost::test_signals::sourceBin(2);
    const int64_t end = int64_t{SignalModel::kNow} * 44100 / 1000;
    const double vibratoIndex = 0.5 * 44100.0 / 4096.0 / 0.5; // half a bin at 0.5 Hz
    for (size_t k = 0; k < samples.size(); ++k) {
        const int64_t n = end - 512 + static_cast<int64_t>(k);
        const double vibrato = vibratoIndex * (1.0 - std::cos(2.0 * M_PI * 0.5 * n / 44100.0));
        const double want =
            DspSide::testLevel(2) * std::sin(2.0 * M_PI * bin * n / 4096.0 + vibrato);
        ASSERT_NEAR(samples[k], want, 1e-5) << "sample " << k;
    }
    EXPECT_NE(m.scope(SignalModel::kNow + DspSide::kMeterIntervalMs), samples); // the trace moves
}

TEST(DspSideSignals, SpectrumPeaksOnTheSourcesBinAtItsLevel) {
    SignalModel m;
    m.sources(3);
    m.monitor(2);
    const std::vector<float> levels = m.spectrum();
    const size_t peak = SignalModel::pointOf(2);
    EXPECT_EQ(std::max_element(levels.begin(), levels.end()) - levels.begin(),
              static_cast<long>(peak));
    EXPECT_NEAR(levels[peak], 20.0f * std::log10(DspSide::testLevel(2)), 0.01f);
    EXPECT_NEAR(levels[peak - 1], levels[peak] - 6.02f, 0.05f); // the window's neighbours
    EXPECT_NEAR(levels[peak + 1], levels[peak] - 6.02f, 0.05f);
    // The other sources are not on this channel.
    EXPECT_EQ(levels[SignalModel::pointOf(0)], qxhost::test_signals::kFloorDb);
    EXPECT_EQ(levels[SignalModel::pointOf(1)], qxhost::test_signals::kFloorDb);
}

TEST(DspSideSignals, VibratoMovesTheSpectrumsSlopesWhileThePeakStaysOnItsBin) {
    SignalModel m;
    m.sources(3);
    m.monitor(2);
    const size_t peak = SignalModel::pointOf(2);
    const std::vector<float> centred = m.spectrum();
    const std::vector<float> swept = m.spectrum(SignalModel::kNow + 500); // half a bin off
    EXPECT_EQ(std::max_element(swept.begin(), swept.end()) - swept.begin(),
              static_cast<long>(peak));
    EXPECT_NEAR(swept[peak], centred[peak], 1.5f); // at most the window's scalloping loss
    EXPECT_GT(std::fabs(swept[peak + 1] - centred[peak + 1]), 1.0f) << "the slope stands still";
}

// What the monitored channel carries: the amplitude heard on each source's bin.
TEST(DspSideSignals, MonitoredChannelCarriesMutesLevelsAndCables) {
    struct Case {
        const char* what;
        std::function<void(SignalModel&)> setUp;
        std::vector<float> amplitudes; // per source 0, 1, 2; 0 = silent
    };
    const float a0 = DspSide::testLevel(0), a1 = DspSide::testLevel(1);
    const Case cases[] = {
        {"source at level 1", [](SignalModel& t) { t.monitor(1); }, {0, a1, 0}},
        {"source at level 0.5",
         [](SignalModel& t) {
             t.setSource(1, 0.5f, false);
             t.monitor(1);
         },
         {0, a1 * 0.5f, 0}},
        {"muted source",
         [](SignalModel& t) {
             t.setSource(1, 1.0f, true);
             t.monitor(1);
         },
         {0, 0, 0}},
        {"target fed by two cables",
         [](SignalModel& t) {
             t.matrix(2, {{0, 1, 0.5f}, {1, 1, 1.0f}, {2, 0, 1.0f}});
             t.monitor(64 + 1);
         },
         {a0 * 0.5f, a1, 0}},
        {"target with no cable",
         [](SignalModel& t) {
             t.matrix(2, {{2, 0, 1.0f}});
             t.monitor(64 + 1);
         },
         {0, 0, 0}},
    };
    for (const Case& c : cases) {
        SignalModel t;
        t.sources(3);
        c.setUp(t);
        const std::vector<float> levels = t.spectrum();
        for (int32_t s = 0; s < 3; ++s) {
            const float level = levels[SignalModel::pointOf(s)];
            if (c.amplitudes[s] == 0.0f)
                EXPECT_EQ(level, qxhost::test_signals::kFloorDb) << c.what << ", source " << s;
            else
                // Within 0.05 dB: a neighbour three bins away leaks a little through the
                // window while the vibrato sweeps.
                EXPECT_NEAR(level, 20.0f * std::log10(c.amplitudes[s]), 0.05f)
                    << c.what << ", source " << s;
        }
        if (c.amplitudes == std::vector<float>{0, 0, 0}) {
            const std::vector<float> samples = t.scope();
            EXPECT_EQ(std::count(samples.begin(), samples.end(), 0.0f), 512) << c.what;
            EXPECT_EQ(std::count(levels.begin(), levels.end(), qxhost::test_signals::kFloorDb),
                      static_cast<long>(levels.size()))
                << c.what;
        }
    }
}

TEST(DspSideSignals, EverySourceSitsOnABinOfItsOwnBelowTheTopOfTheSpectrum) {
    std::vector<int32_t> bins;
    for (int32_t s = 0; s < 64; ++s) bins.push_back(qxhost::test_signals::sourceBin(s));
    // Three bins apart: the window spreads a sine over its bin and the two beside it.
    for (size_t s = 1; s < bins.size(); ++s) EXPECT_GE(bins[s] - bins[s - 1], 3) << s;
    EXPECT_GE(bins.front(), 2);
    EXPECT_LE(bins.back(), static_cast<int32_t>(qxhost::meter_blob::kSpectrumPoints));
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(QxhostDspSide, HeadlessRunShowsTheLocalIdHandshakeAndTheMeters) {
    char pattern[] = "/tmp/qxhost-dsp-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    std::string folder = pattern;
    std::string command = "cd '" + folder + "' && '" + std::string(QX_OUT_DIR) +
                          "/qxhost' --headless --instances 2 --trace-pins t.txt --console c.txt"
                          " 2>stderr.txt";
    int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    std::string trace = readFile(folder + "/t.txt");
    EXPECT_EQ(trace.rfind("0 in 1 4 00000000\n1 in 1 4 01000000\n", 0), 0u) << trace;
    EXPECT_NE(trace.find("0 in 61 "), std::string::npos);
    EXPECT_NE(trace.find("1 in 26 4100 "), std::string::npos);
    std::string console = readFile(folder + "/c.txt");
    EXPECT_NE(console.find("0  --> SET LOCAL ID TO 0"), std::string::npos);
    EXPECT_NE(console.find("1  --> SET LOCAL ID TO 1"), std::string::npos);
    std::system(("rm -rf '" + folder + "'").c_str());
}

} // namespace
