#include "sim/OptionReader.h"
#include "sim/ScenarioFile.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

using namespace sim;

TEST(ScenarioText, WordsWithoutCommentsOrBlanks) {
    const struct {
        const char* line;
        QList<QByteArray> words;
    } cases[] = {
        {"", {}},
        {"   \t\r", {}},
        {"# only a comment", {}},
        {"100 co=1.5 # the rest is a comment", {"100", "co=1.5"}},
        {"\t set   serial=ABC123\r", {"set", "serial=ABC123"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(scenarioWords(c.line), c.words) << c.line;
}

TEST(ScenarioText, WholeNumbersOnlyPlainDigitsInRange) {
    const struct {
        const char* text;
        long long high;
        std::optional<long long> value;
    } cases[] = {
        {"0", 10, 0},
        {"10", 10, 10},
        {"11", 10, std::nullopt},
        {"-1", 10, std::nullopt},
        {"+1", 10, std::nullopt},
        {"1 ", 10, std::nullopt},
        {"", 10, std::nullopt},
        {"1.5", 10, std::nullopt},
        {"999999999999999999", 999999999999999999LL, 999999999999999999LL},
        // Nineteen digits could overflow and are never a time or a code.
        {"1000000000000000000", 999999999999999999LL, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(wholeNumber(c.text, 0, c.high), c.value) << c.text;
}

TEST(ScenarioText, KeyValueSplitsAtTheFirstEqualsAndWantsAKey) {
    using Pair = std::pair<QByteArrayView, QByteArrayView>;
    EXPECT_EQ(keyValue("co=1.5"), Pair("co", "1.5"));
    EXPECT_EQ(keyValue("co="), Pair("co", ""));
    EXPECT_EQ(keyValue("a=b=c"), Pair("a", "b=c"));
    EXPECT_EQ(keyValue("=1"), std::nullopt);
    EXPECT_EQ(keyValue("co"), std::nullopt);
}

TEST(ScenarioText, LinesReadInOrderUntilOneIsRefused) {
    std::vector<QByteArray> seen;
    QString reason;
    const auto reader = [&](QByteArrayView line) {
        seen.push_back(line.toByteArray());
        reason = QStringLiteral("bad %1").arg(QString::fromLatin1(line));
        return line != "stop";
    };
    QString error;
    EXPECT_TRUE(readScenarioLines("a\nb", 100, reader, reason, &error));
    EXPECT_EQ(seen, (std::vector<QByteArray>{"a", "b"}));

    seen.clear();
    EXPECT_FALSE(readScenarioLines("a\n\nstop\nnever", 100, reader, reason, &error));
    EXPECT_EQ(error, "line 3: bad stop");
    EXPECT_EQ(seen.size(), 3u);

    seen.clear();
    EXPECT_FALSE(readScenarioLines("12345", 4, reader, reason, &error));
    EXPECT_EQ(error, "scenario larger than 4 bytes");
    EXPECT_TRUE(seen.empty());
}

TEST(OptionReaderChoice, AcceptsOnlyTheNamedValuesAndSaysWhichItWants) {
    const struct {
        QStringList args;
        std::optional<QString> chosen;
        QString error;
    } cases[] = {
        {{"--mode", "b"}, "b", ""},
        {{"--mode=c"}, "c", ""},
        {{"--mode", "d"}, std::nullopt, "--mode wants a, b or c, not \"d\""},
        {{"--mode"}, std::nullopt, "--mode needs a value"},
    };
    for (const auto& c : cases) {
        OptionReader reader(c.args);
        ASSERT_TRUE(reader.next());
        EXPECT_EQ(reader.choice({"a", "b", "c"}), c.chosen) << c.args.join(' ').toStdString();
        EXPECT_EQ(reader.error(), c.error);
    }
    OptionReader two({"--strokes", "3"});
    two.next();
    two.choice({"2", "4"});
    EXPECT_EQ(two.error(), "--strokes wants 2 or 4, not \"3\"");
}

TEST(OptionReaderFinish, NeedsTheLinkUnlessOnlyHelpAndKeepsTheFirstError) {
    QString error;
    EXPECT_TRUE(OptionReader({}).finish(QStringLiteral("/tmp/line"), false, &error));
    EXPECT_TRUE(OptionReader({}).finish(QString(), true, &error));
    EXPECT_TRUE(error.isEmpty());
    EXPECT_FALSE(OptionReader({}).finish(QString(), false, &error));
    EXPECT_EQ(error, "--link PATH is required");

    OptionReader reader({"--delay"});
    reader.next();
    reader.value();
    EXPECT_FALSE(reader.finish(QString(), false, &error));
    EXPECT_EQ(error, "--delay needs a value");
}

TEST(OptionReaderShared, LinkVerboseAndHelpForEverySimulatorAndNothingElse) {
    struct Options {
        QString linkPath;
        bool verbose = false;
        bool help = false;
    } options;
    OptionReader reader({"--link", "/tmp/line", "--verbose", "--help", "--colour", "red"});
    while (const std::optional<QString> name = reader.next())
        readSharedOption(reader, *name, options);
    EXPECT_EQ(options.linkPath, "/tmp/line");
    EXPECT_TRUE(options.verbose);
    EXPECT_TRUE(options.help);
    EXPECT_EQ(reader.error(), "unknown option --colour");
}
