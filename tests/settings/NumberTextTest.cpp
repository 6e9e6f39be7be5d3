#include "settings/NumberText.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

namespace {

using namespace settings;

const QLocale Italian(QLocale::Italian, QLocale::Italy);

// Sets the default locale for one test and puts C back afterwards.
class LocaleTest : public ::testing::Test {
  protected:
    void TearDown() override { QLocale::setDefault(QLocale::c()); }
};

struct FormatCase {
    QLocale locale;
    double value;
    QString single;
    QString dbl;
};

TEST_F(LocaleTest, GeneralFormatFollowsTheLocaleWithoutGrouping) {
    const FormatCase cases[] = {
        {QLocale::c(), 1.5, "1.5", "1.5"},
        {Italian, 1.5, "1,5", "1,5"},
        {Italian, 1234.5, "1234,5", "1234,5"},
        {QLocale::c(), 1e-09, "1E-09", "1E-09"},
        {Italian, 1.5e-09, "1,5E-09", "1,5E-09"},
        {QLocale::c(), 0.1, "0.1", "0.1"},
        {QLocale::c(), 1.0 / 3.0, "0.3333333", "0.333333333333333"},
        {QLocale::c(), 12345678.0, "1.234568E+07", "12345678"},
        {Italian, -2.25, "-2,25", "-2,25"},
        {QLocale::c(), 1e300, "3.402823E+38", "1E+300"},
        {QLocale::c(), std::numeric_limits<double>::quiet_NaN(), "0", "0"},
    };
    for (const FormatCase& c : cases) {
        QLocale::setDefault(c.locale);
        EXPECT_EQ(formatSingle(c.value), c.single) << c.value;
        EXPECT_EQ(formatDouble(c.value), c.dbl) << c.value;
    }
}

struct ParseCase {
    QLocale locale;
    QString text;
    std::optional<double> expected;
};

TEST_F(LocaleTest, NumbersReadUnderEitherDecimalMarkButNeverAsGroups) {
    const ParseCase cases[] = {
        {QLocale::c(), "1.5", 1.5},
        {Italian, "1,5", 1.5},
        // Written under the other locale: a separator is always the decimal mark.
        {Italian, "1.125", 1.125},
        {QLocale::c(), "1,125", 1.125},
        {Italian, "1E-09", 1e-09},
        {Italian, "1,5E-09", 1.5e-09},
        {QLocale::c(), " -7 ", -7.0},
        {Italian, "1.234,5", std::nullopt},
        {QLocale::c(), "1,234.5", std::nullopt},
        {QLocale::c(), "", std::nullopt},
        {QLocale::c(), "   ", std::nullopt},
        {QLocale::c(), "abc", std::nullopt},
        {QLocale::c(), "12abc", std::nullopt},
        {QLocale::c(), "1e400", std::nullopt},
        {QLocale::c(), "inf", std::nullopt},
        {QLocale::c(), "nan", std::nullopt},
    };
    for (const ParseCase& c : cases) {
        QLocale::setDefault(c.locale);
        EXPECT_EQ(parseNumber(c.text), c.expected) << c.text.toStdString() << " in " << c.locale.name().toStdString();
    }
}

TEST(NumberTextIntegers, RoundHalfToEvenWithinTheRangeOnly) {
    struct Case {
        QString text;
        std::optional<long long> expected;
    };
    const Case cases[] = {
        {"2", 2},
        {"2.5", 2},
        {"3.5", 4},
        {"-2.5", -2},
        {"32767", 32767},
        {"32767.4", 32767},
        {"32767.5", std::nullopt},
        {"-32768", -32768},
        {"32768", std::nullopt},
        {"99999", std::nullopt},
        {"x", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(parseInteger(c.text, -32768, 32767), c.expected) << c.text.toStdString();
}

TEST(NumberTextIntegers, RoundingSaturatesInsteadOfOverflowing) {
    EXPECT_EQ(roundHalfEven(2500.5), 2500);
    EXPECT_EQ(roundHalfEven(2501.5), 2502);
    EXPECT_EQ(roundHalfEven(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_GT(roundHalfEven(1e30), 9'000'000'000'000'000'000LL);
    EXPECT_LT(roundHalfEven(-std::numeric_limits<double>::infinity()), -9'000'000'000'000'000'000LL);
}

} // namespace
