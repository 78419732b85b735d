#include "RowName.h"
#include "Tsp_Axis.h"
#include "Tsp_DateTimePicture.h"
#include "Tsp_NumberPicture.h"

#include <gtest/gtest.h>

#include <QLocale>

#include <string>

namespace {

Tsp_FormatSettings Separators(const char *decimal, const char *time)
{
    Tsp_FormatSettings s;
    s.DecimalSeparator = decimal;
    s.TimeSeparator = time;
    return s;
}

struct NumberRow {
    const char *name;
    const char *picture;
    double value;
    const char *text;
};

class NumberPicture : public testing::TestWithParam<NumberRow> {};

TEST_P(NumberPicture, FormatsWithTheLocaleDecimalSeparator)
{
    const NumberRow &row = GetParam();
    EXPECT_EQ(FormatNumberPicture(row.picture, row.value, Separators(",", ":")), row.text);
}

INSTANTIATE_TEST_SUITE_P(Labels, NumberPicture,
    testing::Values(NumberRow{"zero", "###0.##", 0, "0"},
                    NumberRow{"noGrouping", "###0.##", 1234567, "1234567"},
                    NumberRow{"oneDecimal", "###0.##", 3.3, "3,3"},
                    NumberRow{"roundsHalfUp", "###0.##", 0.125, "0,13"},
                    NumberRow{"roundsDown", "###0.##", 2.004, "2"},
                    NumberRow{"carryIntoInteger", "###0.##", 9.999, "10"},
                    NumberRow{"carryNewDigit", "###0.##", 99.996, "100"},
                    NumberRow{"negative", "###0.##", -1.5, "-1,5"},
                    NumberRow{"negativeRoundsToZero", "###0.##", -0.001, "0"},
                    NumberRow{"smallFraction", "###0.##", 0.05, "0,05"},
                    NumberRow{"tickOfTenThousandths", "###0.##", 33.0 / 10, "3,3"},
                    NumberRow{"requiredDecimals", "0.00", 2, "2,00"},
                    NumberRow{"noIntegerDigit", "#.##", 0.5, ",5"},
                    NumberRow{"literals", "x=0 kB", 12.7, "x=13 kB"}),
    RowName());

struct TimeRow {
    const char *name;
    const char *picture;
    double serial;
    const char *text;
};

class DateTimePicture : public testing::TestWithParam<TimeRow> {};

TEST_P(DateTimePicture, FormatsSerialDaysWithTheLocaleTimeSeparator)
{
    const TimeRow &row = GetParam();
    EXPECT_EQ(FormatDateTimePicture(row.picture, row.serial, Separators(",", ".")), row.text);
}

INSTANTIATE_TEST_SUITE_P(Labels, DateTimePicture,
    testing::Values(TimeRow{"noon", "hh:mm:ss", 0.5, "12.00.00"},
                    TimeRow{"afternoon", "hh:mm:ss", 46365 + (13 * 3600 + 5 * 60 + 9) / 86400.0, "13.05.09"},
                    TimeRow{"midnightCarry", "hh:mm:ss", 45000.9999999999, "00.00.00"},
                    TimeRow{"beforeEpochUsesTimeOfDay", "hh:mm:ss", -1.25, "06.00.00"},
                    TimeRow{"epochDate", "yyyy-mm-dd", 0, "1899-12-30"},
                    TimeRow{"newYear2025", "yyyy-mm-dd hh:nn", 45658.75, "2025-01-01 18.00"},
                    TimeRow{"leapDay", "d/m/yy", 45351, "29/2/24"},
                    TimeRow{"quotedText", "'at' h:mm", 0.375, "at 9.00"},
                    TimeRow{"milliseconds", "ss.zzz", 1.5 / 86400, "01.500"},
                    TimeRow{"notFinite", "hh:mm:ss", INFINITY, ""}),
    RowName());

TEST(Labels, LocaleSeparatorsComeFromQLocale)
{
    const Tsp_FormatSettings german = Tsp_FormatSettings::FromLocale(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(german.DecimalSeparator, ",");
    EXPECT_EQ(german.TimeSeparator, ":");
    const Tsp_FormatSettings english = Tsp_FormatSettings::FromLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(english.DecimalSeparator, ".");
    EXPECT_EQ(english.TimeSeparator, ":");
    const Tsp_FormatSettings finnish = Tsp_FormatSettings::FromLocale(QLocale(QLocale::Finnish, QLocale::Finland));
    const QString shortTime = QLocale(QLocale::Finnish, QLocale::Finland).timeFormat(QLocale::ShortFormat);
    if (!shortTime.contains(QLatin1Char('.'))) {
        GTEST_SKIP() << "this Qt has no dotted Finnish time format: " << shortTime.toStdString();
    }
    EXPECT_EQ(finnish.TimeSeparator, ".");
}

TEST(Labels, AxisLabelsFollowTheirMode)
{
    Tsp_Axis value(0);
    value.SetFormatSettings(Separators(",", "."));
    value.SetTicksCount(4);
    std::string text;
    value.GetTickLabel(1, text);
    EXPECT_EQ(text, "3,3");

    Tsp_Axis time(Tsp_ScaleFlags::LabelAsDataTime);
    time.SetFormatSettings(Separators(",", "."));
    time.SetLabelFormat("hh:mm:ss");
    time.SetTicksCount(3);
    const double start = 46365.0 + 43200.0 / 86400; // 12:00:00
    time.SetMinMax(start, start + 300.0 / 86400);
    time.GetTickLabel(0, text);
    // IntFactor 10000: the first tick is the first 8.64 s step at or after 12:00:00.
    EXPECT_EQ(text, FormatDateTimePicture("hh:mm:ss", time.TickValue(0), Separators(",", ".")));
    EXPECT_EQ(text.substr(0, 6), "12.00.");
}

} // namespace
