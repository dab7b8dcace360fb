// Timing inside the process: under Wine, timing from outside measures
// Wine's own start-up, not the program.
#pragma once

#include <windows.h>

#include <algorithm>
#include <vector>

namespace pelmora::bench {

inline double NowSeconds() {
  LARGE_INTEGER frequency, counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

inline double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace pelmora::bench
