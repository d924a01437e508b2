#include "platform/Clock.h"

namespace tricala::platform {
namespace {
std::function<QDateTime()> localOverride;
std::function<SteadyTime()> steadyOverride;
}  // namespace

QDateTime LocalNow() { return localOverride ? localOverride() : QDateTime::currentDateTime(); }

void SetLocalNowForTesting(std::function<QDateTime()> now) { localOverride = std::move(now); }

SteadyTime SteadyNow() { return steadyOverride ? steadyOverride() : std::chrono::steady_clock::now(); }

void SetSteadyNowForTesting(std::function<SteadyTime()> now) { steadyOverride = std::move(now); }

}  // namespace tricala::platform
