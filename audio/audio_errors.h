// The audio layer's run-time error texts, compared exactly by callers and tests.
#pragma once

inline constexpr const char* kUnimplementedSampleConversion = "Unimplemented sample format conversion";
