#include "MeterTexts.h"

#include "RowName.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace {

const TMeterFormatSettings English{".", ","};
const TMeterFormatSettings German{",", "."};

struct TextRow {
    const char *name;
    double value;
    const char *transfer;
    const char *speed;
};

class MeterTextRows : public testing::TestWithParam<TextRow> {};

} // namespace

TEST_P(MeterTextRows, TransferAndSpeedTexts)
{
    const TextRow &row = GetParam();
    EXPECT_EQ(FormatTransfer(row.value, English), row.transfer);
    EXPECT_EQ(FormatSpeed(row.value, English), row.speed);
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, MeterTextRows,
    testing::Values(
        TextRow{"Zero", 0, "0.00 B", "0.00 bps"},
        TextRow{"LastByteBelowKilo", 1023, "1023.00 B", "8.18 Kbps"},
        TextRow{"HalfRoundsUpToKilo", 1023.5, "1.00 KB", "8.19 Kbps"},
        TextRow{"BelowHalfStaysBytes", 1023.4, "1023.40 B", "8.19 Kbps"},
        TextRow{"UnitChosenOnRoundedValue", 1048575, "1024.00 KB", "8.39 Mbps"},
        TextRow{"ExactMega", 1048576, "1.00 MB", "8.39 Mbps"},
        TextRow{"OneAndAHalfKilo", 1536, "1.50 KB", "12.29 Kbps"},
        TextRow{"GigabitPerSecond", 125000000, "119.21 MB", "1.00 Gbps"},
        TextRow{"ExactGiga", 1073741824, "1.00 GB", "8.59 Gbps"},
        TextRow{"BitsJustBelowKilo", 124.9, "124.90 B", "999.20 bps"},
        TextRow{"BitsRoundingUpToKilo", 124.95, "124.95 B", "1.00 Kbps"},
        TextRow{"BitsHalfRoundsUpToKilo", 124.9375, "124.94 B", "1.00 Kbps"},
        TextRow{"BeyondSigned64BitRange", 1e19, "9313225746.15 GB", "80000000000.00 Gbps"}),
    RowName());

TEST(MeterTexts, CommaDecimalLocaleUsesItsSeparatorWithoutGrouping)
{
    EXPECT_EQ(FormatTransfer(1536, German), "1,50 KB");
    EXPECT_EQ(FormatSpeed(124.9, German), "999,20 bps");
    EXPECT_EQ(FormatTransfer(1048575, German), "1024,00 KB");
    EXPECT_EQ(FormatMtu(1500, German), "1.500 B");
}

TEST(MeterTexts, MultiByteSeparatorIsCopiedWhole)
{
    const TMeterFormatSettings narrowSpace{"\xE2\x80\xA4", "\xE2\x80\xAF"};
    EXPECT_EQ(FormatTransfer(0.25, narrowSpace), "0\xE2\x80\xA4" "25 B");
    EXPECT_EQ(FormatMtu(65535, narrowSpace), "65\xE2\x80\xAF" "535 B");
}

TEST(MeterTexts, NotANumberPrintsAsBytes)
{
    EXPECT_EQ(FormatTransfer(std::numeric_limits<double>::quiet_NaN(), English), "nan B");
}

TEST(FormatMeterValue, UnitsPickTheFamily)
{
    std::string text = "old";
    FormatMeterValue(MeterUnitsTransfer, 1536, text, English);
    EXPECT_EQ(text, "1.50 KB");
    FormatMeterValue(MeterUnitsSpeed, 1536, text, English);
    EXPECT_EQ(text, "12.29 Kbps");
}

TEST(FormatMeterValue, UnknownUnitsLeaveTheTextUntouched)
{
    for (const int units : {-1, 2, 7, std::numeric_limits<int>::max()}) {
        std::string text = "previous 1.00 KB";
        FormatMeterValue(units, 1536, text, English);
        EXPECT_EQ(text, "previous 1.00 KB") << "units " << units;
    }
}

TEST(FormatMaxSpeed, TruncatesToWholeMegabits)
{
    EXPECT_EQ(FormatMaxSpeed(0), "0 Mbps");
    EXPECT_EQ(FormatMaxSpeed(999999), "0 Mbps");
    EXPECT_EQ(FormatMaxSpeed(1999999), "1 Mbps");
    EXPECT_EQ(FormatMaxSpeed(1000000000), "1000 Mbps");
    EXPECT_EQ(FormatMaxSpeed(std::numeric_limits<std::uint64_t>::max()), "18446744073709 Mbps");
}

TEST(FormatMtu, GroupsThousands)
{
    EXPECT_EQ(FormatMtu(0, English), "0 B");
    EXPECT_EQ(FormatMtu(999, English), "999 B");
    EXPECT_EQ(FormatMtu(1500, English), "1,500 B");
    EXPECT_EQ(FormatMtu(65536, English), "65,536 B");
    EXPECT_EQ(FormatMtu(1234567, English), "1,234,567 B");
    EXPECT_EQ(FormatMtu(1500, TMeterFormatSettings{".", ""}), "1500 B");
}

namespace {

// Whether the C library has the locale, asked through setlocale, not through the reader's own newlocale.
bool LocaleInstalled(const char *name)
{
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    const bool installed = std::setlocale(LC_NUMERIC, name) != nullptr;
    std::setlocale(LC_NUMERIC, saved.c_str());
    return installed;
}

constexpr const char *CommaLocale = "de_DE.UTF-8";

} // namespace

TEST(MeterFormatSettings, SystemLocaleMatchesTheCLibrary)
{
    if (!LocaleInstalled(CommaLocale))
        GTEST_SKIP() << "locale " << CommaLocale << " is not installed";
    // In a child, so that the process-wide settings are first read under the locale the environment selects.
    const pid_t child = ::fork();
    if (child == 0) {
        ::setenv("LC_ALL", CommaLocale, 1);
        std::setlocale(LC_ALL, "");
        const lconv *library = std::localeconv();
        const TMeterFormatSettings &system = TMeterFormatSettings::System();
        const bool same = system.DecimalSeparator == library->decimal_point &&
                          system.ThousandSeparator == library->thousands_sep;
        ::_exit(same && std::string(library->decimal_point) == "," ? 0 : 1);
    }
    ASSERT_GT(child, 0);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << "the system settings differ from localeconv() under " << CommaLocale;
}

TEST(MeterFormatSettings, UnknownLocaleGivesDefaults)
{
    const TMeterFormatSettings missing = TMeterFormatSettings::FromLocale("xx_NOWHERE.UTF-8");
    EXPECT_EQ(missing.DecimalSeparator, ".");
    EXPECT_EQ(missing.ThousandSeparator, ",");
}

TEST(MeterFormatSettings, CommaLocaleFromTheSystem)
{
    if (!LocaleInstalled(CommaLocale))
        GTEST_SKIP() << "locale " << CommaLocale << " is not installed";
    const TMeterFormatSettings de = TMeterFormatSettings::FromLocale(CommaLocale);
    EXPECT_EQ(de.DecimalSeparator, ",");
    EXPECT_EQ(de.ThousandSeparator, ".");
}
