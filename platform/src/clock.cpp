// The process clock and local time, both settable by tests.
#include "qxplatform/runtime.h"
#include "qxplatform/test_hooks.h"

#include <chrono>

namespace qxplatform {
namespace {

const auto processStart = std::chrono::steady_clock::now();
bool clockIsManual = false;
int32_t manualClock = 0;
bool timeIsManual = false;
std::tm manualTime{};

} // namespace

int32_t processClock() {
    if (clockIsManual) return manualClock;
    auto elapsed = std::chrono::steady_clock::now() - processStart;
    return static_cast<int32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

void setManualClock(int32_t milliseconds) {
    clockIsManual = true;
    manualClock = milliseconds;
}

void advanceManualClock(int32_t milliseconds) {
    if (!clockIsManual) setManualClock(processClock());
    manualClock += milliseconds;
}

void releaseManualClock() {
    clockIsManual = false;
}

std::tm localTimeNow() {
    if (timeIsManual) return manualTime;
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

void setManualLocalTime(const std::tm& time) {
    timeIsManual = true;
    manualTime = time;
}

void releaseManualLocalTime() {
    timeIsManual = false;
}

} // namespace qxplatform
