#include "Tsp_FormatSettings.h"

#include <QLocale>
#include <QString>

namespace {

// Qt publishes no time separator: take the first character between the hour and minute fields
// of the locale's short time format.
std::string TimeSeparatorOf(const QLocale &locale)
{
    const QString format = locale.timeFormat(QLocale::ShortFormat);
    const qsizetype hour = format.indexOf(QLatin1Char('h'), 0, Qt::CaseInsensitive);
    if (hour < 0) {
        return ":";
    }
    qsizetype i = hour;
    while (i < format.size() && format.at(i).toLower() == QLatin1Char('h')) {
        ++i;
    }
    qsizetype end = i;
    while (end < format.size() && format.at(end) != QLatin1Char('m')) {
        ++end;
    }
    if (end == i || end == format.size()) {
        return ":";
    }
    QString separator = format.mid(i, end - i);
    separator.remove(QLatin1Char('\''));
    return separator.isEmpty() ? std::string(":") : separator.toStdString();
}

} // namespace

Tsp_FormatSettings Tsp_FormatSettings::FromLocale(const QLocale &locale)
{
    Tsp_FormatSettings settings;
    settings.DecimalSeparator = locale.decimalPoint().toStdString();
    settings.TimeSeparator = TimeSeparatorOf(locale);
    return settings;
}

const Tsp_FormatSettings &Tsp_FormatSettings::System()
{
    static const Tsp_FormatSettings settings = FromLocale(QLocale::system());
    return settings;
}
