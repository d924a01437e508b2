#include "app/OleDate.h"

#include <cmath>

namespace tricala {
namespace {
const QDate kOleEpoch(1899, 12, 30);
constexpr int kSecondsPerDay = 86400;
}  // namespace

QDateTime DateTimeFromOle(double oleDate) {
    // Before the epoch the day part counts back while the fraction still
    // counts forward from midnight: -1.25 is 29 December 1899, 06:00.
    const double wholeDays = std::trunc(oleDate);
    const double fraction = std::fabs(oleDate - wholeDays);
    int seconds = static_cast<int>(std::lround(fraction * kSecondsPerDay));
    qint64 days = static_cast<qint64>(wholeDays);
    if (seconds >= kSecondsPerDay) {
        seconds -= kSecondsPerDay;
        days += oleDate < 0 ? -1 : 1;
    }
    return QDateTime(kOleEpoch.addDays(days), QTime(0, 0).addSecs(seconds));
}

double OleFromDateTime(const QDateTime& dateTime) {
    const qint64 days = kOleEpoch.daysTo(dateTime.date());
    const double fraction = QTime(0, 0).secsTo(dateTime.time()) / double(kSecondsPerDay);
    return days >= 0 ? days + fraction : days - fraction;
}

}  // namespace tricala
