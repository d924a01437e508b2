#pragma once
// Wall clock and uptime clock, replaceable in tests so nothing depends on
// today's date or on real waiting.

#include <QDateTime>
#include <chrono>
#include <functional>

namespace tricala::platform {

QDateTime LocalNow();
void SetLocalNowForTesting(std::function<QDateTime()> now);  // empty: real clock

using SteadyTime = std::chrono::steady_clock::time_point;
SteadyTime SteadyNow();
void SetSteadyNowForTesting(std::function<SteadyTime()> now);  // empty: real clock

}  // namespace tricala::platform
