// Pins and blobs: what counts as a change, what is sent, and how callbacks are reached.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "host/mp_gui_pin.h"

namespace {

// An owner that records what its pins send and how often their callback runs.
struct RecordingOwner : GuiPinOwner {
    struct Sent {
        int32_t pinId;
        std::vector<uint8_t> bytes;
        int32_t voice;
    };
    std::vector<Sent> sent;
    int calls = 0;
    int32_t sendPinToHost(int32_t pinId, int32_t size, const void* data, int32_t voice) override {
        const uint8_t* b = static_cast<const uint8_t*>(data);
        sent.push_back({pinId, std::vector<uint8_t>(b, b + size), voice});
        return 0;
    }
    void changed() { ++calls; }
};

TEST(WordPin, ChangeRulesForIntAndFloat) {
    MpGuiPin<int> pin;
    const int32_t five = 5;
    EXPECT_TRUE(pin.setValueRaw(0, 4, &five));
    EXPECT_FALSE(pin.setValueRaw(0, 4, &five)); // the same word
    EXPECT_EQ(pin.getValue(), 5);
    // More than four bytes: only four are taken, and it counts as a change.
    const int32_t wide[2] = {9, 0x7fffffff};
    EXPECT_TRUE(pin.setValueRaw(0, 8, wide));
    EXPECT_EQ(pin.getValue(), 9);
    EXPECT_EQ(pin.getSize(), 4);
    EXPECT_EQ(pin.getDatatype(), 8);

    MpGuiPin<float> f;
    const float minusZero = -0.0f, plusZero = 0.0f;
    EXPECT_TRUE(f.setValueRaw(0, 4, &minusZero)); // the pattern differs from the stored +0.0
    EXPECT_TRUE(f.setValueRaw(0, 4, &plusZero));  // compared as bits, not as values
    EXPECT_FALSE(f.setValueRaw(0, 4, &plusZero));
    EXPECT_EQ(f.getDatatype(), 6);
}

TEST(BoolPin, ChangeRulesBySize) {
    MpGuiPin<bool> pin;
    const uint8_t one = 1;
    const int32_t word = 1;
    EXPECT_TRUE(pin.setValueRaw(0, 1, &one));
    EXPECT_FALSE(pin.setValueRaw(0, 1, &one));
    EXPECT_TRUE(pin.setValueRaw(0, 4, &word)); // four bytes always report a change
    EXPECT_TRUE(pin.getValue());
    EXPECT_FALSE(pin.setValueRaw(0, 0, nullptr)); // nothing given: nothing changes
    EXPECT_FALSE(pin.setValueRaw(0, 0, &one));
    EXPECT_TRUE(pin.getValue());
    const int32_t zero = 0;
    EXPECT_TRUE(pin.setValueRaw(0, 4, &zero));
    EXPECT_FALSE(pin.getValue());
    EXPECT_EQ(pin.getDatatype(), 4);
    EXPECT_EQ(pin.getSize(), 1);
}

TEST(StringPin, HoldsSixteenBitUnitsAndComparesBytes) {
    StringGuiPin pin;
    const char16_t text[] = u"1,0,1";
    EXPECT_TRUE(pin.setValueRaw(0, 10, text));
    EXPECT_EQ(pin.getValue(), u"1,0,1");
    EXPECT_EQ(pin.getSize(), 10);
    EXPECT_FALSE(pin.setValueRaw(0, 10, text));
    EXPECT_TRUE(pin.setValueRaw(0, 6, text));
    EXPECT_EQ(pin.getValue(), u"1,0");
    EXPECT_TRUE(pin.setValueRaw(0, 0, nullptr));
    EXPECT_EQ(pin.getValue(), u"");
    EXPECT_EQ(pin.getDatatype(), 1);
}

TEST(BlobPin, SendsOnlyWhenBytesChangeAndAnEmptyValueOnce) {
    RecordingOwner owner;
    MpGuiPin<MpBlob> pin;
    pin.initialise(&owner, 7, &RecordingOwner::changed);
    const uint8_t a[] = {1, 2, 3}, b[] = {1, 2, 4};
    pin.setValue(a, 3);
    pin.setValue(a, 3); // same bytes: not sent
    const uint8_t* buffer = pin.getValue().getData();
    pin.setValue(b, 3); // same length, new content: sent, buffer kept
    EXPECT_EQ(pin.getValue().getData(), buffer);
    pin.setValue(nullptr, 0); // empty after non-empty: sent once
    pin.setValue(nullptr, 0); // a second empty: nothing
    ASSERT_EQ(owner.sent.size(), 3u);
    EXPECT_EQ(owner.sent[0].bytes, (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(owner.sent[1].bytes, (std::vector<uint8_t>{1, 2, 4}));
    EXPECT_TRUE(owner.sent[2].bytes.empty());
    for (const auto& s : owner.sent) {
        EXPECT_EQ(s.pinId, 7);
        EXPECT_EQ(s.voice, 0);
    }
    EXPECT_EQ(owner.calls, 0); // sending runs no callback
}

TEST(BlobPin, RawValuesFromTheHostAreStoredNotSent) {
    RecordingOwner owner;
    MpGuiPin<MpBlob> pin;
    pin.initialise(&owner, 3, &RecordingOwner::changed);
    const uint8_t a[] = {9, 9};
    EXPECT_TRUE(pin.setValueRaw(0, 2, a));
    EXPECT_FALSE(pin.setValueRaw(0, 2, a));
    EXPECT_FALSE(pin.setValueRaw(0, 5, nullptr)); // bytes promised, none given
    EXPECT_EQ(pin.getSize(), 2);
    EXPECT_TRUE(pin.setValueRaw(0, 0, nullptr));
    EXPECT_FALSE(pin.setValueRaw(0, -4, a)); // a negative size is an empty value
    EXPECT_TRUE(owner.sent.empty());
    // After a host value the same bytes are not sent again.
    pin.setValueRaw(0, 2, a);
    pin.setValue(a, 2);
    EXPECT_TRUE(owner.sent.empty());
}

TEST(PinMap, FirstRegistrationWinsAndCallbacksRunPerNotification) {
    RecordingOwner owner;
    MpGuiPin<int> first, second;
    first.initialise(&owner, 5, &RecordingOwner::changed);
    second.initialise(&owner, 5, &RecordingOwner::changed);
    EXPECT_EQ(owner.findPin(5), &first);
    EXPECT_EQ(owner.findPin(6), nullptr);
    first.notify(0);
    first.notify(0);
    EXPECT_EQ(owner.calls, 2);
}

TEST(Blob, EqualityCopiesAndReallocation) {
    const uint8_t bytes[] = {1, 2, 3, 4};
    MpBlob a(bytes, 4), b(bytes, 4), empty, otherEmpty;
    EXPECT_TRUE(a == b);
    EXPECT_TRUE(empty == otherEmpty);
    EXPECT_TRUE(a != empty);
    MpBlob c(bytes, 3);
    EXPECT_TRUE(a != c);
    const uint8_t* kept = b.getData();
    const uint8_t other[] = {4, 3, 2, 1};
    b.assign(other, 4); // equal size: the buffer is reused
    EXPECT_EQ(b.getData(), kept);
    EXPECT_EQ(std::memcmp(b.getData(), other, 4), 0);
    MpBlob copy = a;
    EXPECT_NE(copy.getData(), a.getData());
    EXPECT_TRUE(copy == a);
    copy = empty;
    EXPECT_EQ(copy.getSize(), 0);
    EXPECT_EQ(copy.getData(), nullptr);
}

} // namespace
