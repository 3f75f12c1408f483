// The values the screens asked for of the interface program's uniforms, beside the values the
// program holds. A program keeps its uniforms while another program is bound, so what is
// asked for meanwhile waits, stale, until the program is bound again.
#pragma once

#include <array>

enum class Uniform { Rgb, Mode, Metrics, Stage, Level, Height };
constexpr int kUniformCount = 6;
using UniformValue = std::array<float, 4>;

class UniformCache {
public:
    void want(Uniform u, const UniformValue& value) { wanted_[index(u)] = value; }
    const UniformValue& wanted(Uniform u) const { return wanted_[index(u)]; }
    bool holds(Uniform u, const UniformValue& value) const {
        return known_[index(u)] && held_[index(u)] == value;
    }
    // The program does not hold the wanted value, or nobody knows what it holds.
    bool stale(Uniform u) const { return !holds(u, wanted(u)); }
    // The program was given the wanted value, or another one (a summed glow's colour).
    void sent(Uniform u) { sent(u, wanted(u)); }
    void sent(Uniform u, const UniformValue& value) {
        held_[index(u)] = value;
        known_[index(u)] = true;
    }
    // Another program became current, or the program was changed behind the cache's back.
    void forgetHeld() { known_.fill(false); }

private:
    static int index(Uniform u) { return static_cast<int>(u); }

    std::array<UniformValue, kUniformCount> wanted_{};
    std::array<UniformValue, kUniformCount> held_{};
    std::array<bool, kUniformCount> known_{};
};
