#pragma once
// OLE Automation day counts (day 0 = 30 December 1899, time of day as the
// fraction) to and from QDateTime, for the date box.

#include <QDateTime>

namespace tricala {

QDateTime DateTimeFromOle(double oleDate);
double OleFromDateTime(const QDateTime& dateTime);

}  // namespace tricala
