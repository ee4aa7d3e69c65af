#include "appserver/security/release_throttle.h"

namespace dfe::appserver {
namespace {

constexpr int64_t kFirstWait = 30;
constexpr int64_t kLongestWait = 15 * 60;

std::string Count(int64_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

} // namespace

int64_t ReleaseLockoutSeconds(int64_t failures) {
    if (failures < kFreeReleaseTries) return 0;
    int64_t wait = kFirstWait;
    for (int64_t i = kFreeReleaseTries; i < failures && wait < kLongestWait; ++i)
        wait *= 2;
    return wait < kLongestWait ? wait : kLongestWait;
}

std::string WaitText(int64_t seconds) {
    if (seconds < 1) seconds = 1;
    const int64_t minutes = seconds / 60, rest = seconds % 60;
    if (minutes == 0) return Count(rest, "segundo", "segundos");
    if (rest == 0) return Count(minutes, "minuto", "minutos");
    return Count(minutes, "minuto", "minutos") + " e " + Count(rest, "segundo", "segundos");
}

} // namespace dfe::appserver
