// The parsed command line, item references and item snapshots.
#pragma once

struct ItemSnapshot {};
struct EqPresetEntry {};
struct EqPresetTable {};
