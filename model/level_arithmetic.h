// The fader law, decibels and the dynamics transfer curve.
#pragma once

struct FaderLaw {};
struct DynamicsCurve {};
