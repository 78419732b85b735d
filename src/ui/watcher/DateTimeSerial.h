#pragma once

#include <QDateTime>
#include <QString>

// Local date-times as the graph's time axis holds them: days since 30 December 1899, the fraction
// being the time of day (one second is 1/86400).
inline constexpr double OneSecond = 1.0 / 86400;

double ToDateTimeSerial(const QDateTime &local);
QDateTime FromDateTimeSerial(double serial);

// The locale's short date and long time (with seconds, without the time zone): "10/12/2026 14:03:07".
QString ShortDateLongTimeText(double serial);
