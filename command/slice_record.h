// One stored scene of up to 64 member sources.
#pragma once

struct SliceRecord {};
