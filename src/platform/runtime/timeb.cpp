#include "platform/runtime/timeb.h"

#include <chrono>
#include <ctime>

namespace {

void RealClock(_timeb* now) {
    using namespace std::chrono;
    const auto since = system_clock::now().time_since_epoch();
    const auto ms = duration_cast<milliseconds>(since).count();
    const std::time_t seconds = std::time_t(ms / 1000);
    now->time = std::int32_t(seconds);
    now->millitm = std::uint16_t(ms % 1000);
    std::tm local{};
    if (localtime_r(&seconds, &local) != nullptr) {
        // tm_gmtoff is seconds east of UTC and includes daylight saving time.
        const long dst = local.tm_isdst > 0 ? 3600 : 0;
        now->timezone = std::int16_t(-(local.tm_gmtoff - dst) / 60);
        now->dstflag = std::int16_t(local.tm_isdst > 0 ? 1 : 0);
    } else {
        now->timezone = 0;
        now->dstflag = 0;
    }
}

ClockFunction g_clock = RealClock;

} // namespace

void _ftime(_timeb* now) {
    if (now != nullptr)
        g_clock(now);
}

void AfxSetClock(ClockFunction clock) {
    g_clock = clock != nullptr ? clock : RealClock;
}
