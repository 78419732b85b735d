#include "DateTimeSerial.h"

#include <QLocale>

#include <cmath>

namespace {

constexpr double MillisecondsPerDay = 86400000.0;

const QDate &SerialDayZero()
{
    static const QDate zero(1899, 12, 30);
    return zero;
}

// Qt's long time formats name the time zone (format letter t); the hint shows the wall-clock time
// only. Quoted literal text is kept as it is.
QString WithoutTimeZone(const QString &format)
{
    QString kept;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == u'\'')
            quoted = !quoted;
        if (quoted || c != u't')
            kept += c;
    }
    return kept.trimmed();
}

} // namespace

double ToDateTimeSerial(const QDateTime &local)
{
    const qint64 days = SerialDayZero().daysTo(local.date());
    return static_cast<double>(days) + local.time().msecsSinceStartOfDay() / MillisecondsPerDay;
}

QDateTime FromDateTimeSerial(double serial)
{
    const double day = std::floor(serial);
    const auto milliseconds = static_cast<int>(std::lround((serial - day) * MillisecondsPerDay));
    const QDateTime midnight(SerialDayZero().addDays(static_cast<qint64>(day)), QTime(0, 0));
    return midnight.addMSecs(milliseconds);
}

QString ShortDateLongTimeText(double serial)
{
    const QLocale locale;
    const QDateTime moment = FromDateTimeSerial(serial);
    return locale.toString(moment.date(), QLocale::ShortFormat) + u' ' +
           locale.toString(moment.time(), WithoutTimeZone(locale.timeFormat(QLocale::LongFormat)));
}
