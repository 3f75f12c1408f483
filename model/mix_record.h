// One mix of up to 64 pins with gains, phases and mutes.
#pragma once

struct MixRecord {};
