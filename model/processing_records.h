// Per-channel processing records: delays, filters, dynamics and fader widgets.
#pragma once

struct DelayRecord {};
struct FilterRecord {};
struct FilterBandBank {};
struct DynamicsRecord {};
struct FaderRecord {};
