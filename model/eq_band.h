// One equaliser band: its design and response.
#pragma once

struct EqBand {};
