#include "lang/LanguageTexts.h"
#include "lang/UiTextKeys.h"
#include "settings/Win1252.h"
#include "shared/Globals.h"
#include "support/StationDirs.h"

#include <QDir>
#include <QFile>
#include <QSet>

#include <utility>
#include <vector>

namespace {

using Entries = std::vector<std::pair<QString, QString>>;

// One Lingua.ini section as the station's Windows tools write it.
QByteArray section(const QString& name, const Entries& entries) {
    QString text = "[" + name + "]\r\n";
    for (const auto& [key, value] : entries)
        text += key + "=" + value + "\r\n";
    return settings::toWin1252(text);
}

// A section holding every key, each text naming its section and position.
QByteArray fullSection(const QString& name) {
    Entries entries;
    for (int n = 0; n < UiTextCount; ++n)
        entries.emplace_back(UiTextKey(n), name + " " + QString::number(n));
    return section(name, entries);
}

void fillWith(Globals& g, const QString& text) {
    g.lang.UiText.fill(text);
}

class LanguageTextsTest : public StationDirsTest {
  protected:
    void writeLanguageFile(const QByteArray& bytes) { writeBytes(workFile("Lingua.ini"), bytes); }

    // Positions whose text differs from "<section> <position>".
    std::vector<int> positionsNotFrom(const QString& sectionName) const {
        std::vector<int> wrong;
        for (int n = 0; n < UiTextCount; ++n)
            if (g.lang.UiText[n] != sectionName + " " + QString::number(n))
                wrong.push_back(n);
        return wrong;
    }

    Globals g;
};

} // namespace

TEST(UiTextKeys, PositionsOtherWindowsAddressHoldTheirKeys) {
    const std::vector<std::pair<int, QString>> expected = {
        {0, "Menùtitolo"},
        {4, "MenùLingua"},
        {5, "ANFUMOExclStamp1"},
        {45, "ANFUMOMisura"},
        {46, "ANGASCap"},
        {71, "ANSUAppl"},
        {83, "frmAbout"},
        {92, "PrtKAPROCERTReferto"},
        {126, "RiconoscimentoImpo"},
        {127, "SetUpUtente"},
        {128, "StampaOPARefer"},
        {135, "GeneralePos"},
        {136, "GeneraleNeg"},
        {137, "MsgBox1"},
        {142, "StampaOpaStampa"},
        {158, "MenùUtility"},
        {161, "CRITICTcam"},
        {165, "ANFUMOMis15"},
        {166, "DVeicoliMod"},
    };
    for (const auto& [position, key] : expected)
        EXPECT_EQ(UiTextKey(position), key) << "position " << position;
}

TEST(UiTextKeys, EveryPositionHasItsOwnKey) {
    // Keys are looked up without regard to case, so two keys differing only in
    // case would read the same line.
    QSet<QString> seen;
    for (int n = 0; n < UiTextCount; ++n) {
        const QString key = UiTextKey(n);
        EXPECT_FALSE(key.isEmpty()) << "position " << n;
        EXPECT_FALSE(seen.contains(key.toLower())) << "duplicate key " << key.toStdString();
        seen.insert(key.toLower());
    }
    EXPECT_EQ(UiTextCount, 167);
}

TEST(UiTextKeys, PositionsOutsideTheTableHaveNoKey) {
    EXPECT_TRUE(UiTextKey(-1).isEmpty());
    EXPECT_TRUE(UiTextKey(UiTextCount).isEmpty());
}

TEST_F(LanguageTextsTest, LanguagePathIsInTheWorkingDirectory) {
    EXPECT_EQ(QDir::cleanPath(LanguagePath()), QDir::cleanPath(workFile("Lingua.ini")));
}

TEST_F(LanguageTextsTest, EachCodeReadsItsSectionAndUnknownCodesReadItalian) {
    writeLanguageFile(fullSection("ITALIANO") + fullSection("INGLESE") + fullSection("SPAGNOLO"));
    const std::vector<std::pair<int, QString>> cases = {
        {0, "ITALIANO"}, {1, "ITALIANO"},  {2, "INGLESE"},      {3, "SPAGNOLO"},
        {4, "ITALIANO"}, {-1, "ITALIANO"}, {32767, "ITALIANO"},
    };
    for (const auto& [code, sectionName] : cases) {
        fillWith(g, "stale");
        LoadLanguageTexts(g, code);
        EXPECT_EQ(positionsNotFrom(sectionName), std::vector<int>{}) << "code " << code;
    }
}

TEST_F(LanguageTextsTest, SwitchingLanguageReplacesEveryText) {
    writeLanguageFile(fullSection("ITALIANO") + fullSection("INGLESE"));
    LoadLanguageTexts(g, 1);
    ASSERT_EQ(positionsNotFrom("ITALIANO"), std::vector<int>{});
    LoadLanguageTexts(g, 2);
    EXPECT_EQ(positionsNotFrom("INGLESE"), std::vector<int>{});
}

TEST_F(LanguageTextsTest, KeysAreFoundByNameWhateverTheirOrderInTheFile) {
    Entries reversed;
    for (int n = UiTextCount - 1; n >= 0; --n)
        reversed.emplace_back(UiTextKey(n), "ITALIANO " + QString::number(n));
    writeLanguageFile(section("ITALIANO", reversed));
    LoadLanguageTexts(g, 1);
    EXPECT_EQ(positionsNotFrom("ITALIANO"), std::vector<int>{});
}

TEST_F(LanguageTextsTest, MissingKeyTakesTheNearestEarlierFoundText) {
    // Position 0 missing, 1 found, 2 missing, 3 empty (an empty value counts as
    // missing), 4 found, everything after it missing.
    writeLanguageFile(section("ITALIANO", {{UiTextKey(1), "uno"}, {UiTextKey(3), ""}, {UiTextKey(4), "quattro"}}) +
                      section("INGLESE", {{UiTextKey(0), "zero"}, {UiTextKey(2), "two"}}));
    fillWith(g, "stale");
    LoadLanguageTexts(g, 1);
    EXPECT_EQ(g.lang.UiText[0], "");
    EXPECT_EQ(g.lang.UiText[1], "uno");
    EXPECT_EQ(g.lang.UiText[2], "uno");
    EXPECT_EQ(g.lang.UiText[3], "uno");
    for (int n = 4; n < UiTextCount; ++n)
        EXPECT_EQ(g.lang.UiText[n], "quattro") << "position " << n;
}

TEST_F(LanguageTextsTest, MissingSectionOrFileEmptiesEveryText) {
    struct Case {
        const char* name;
        bool writeFile;
        int code;
    };
    const Case cases[] = {
        {"no SPAGNOLO section, Spanish chosen", true, 3},
        {"no Lingua.ini", false, 1},
    };
    for (const Case& c : cases) {
        QFile::remove(workFile("Lingua.ini"));
        if (c.writeFile)
            writeLanguageFile(fullSection("ITALIANO") + fullSection("INGLESE"));
        fillWith(g, "stale");
        LoadLanguageTexts(g, c.code);
        for (int n = 0; n < UiTextCount; ++n)
            EXPECT_EQ(g.lang.UiText[n], "") << c.name << ", position " << n;
    }
}

TEST_F(LanguageTextsTest, OverlongTextIsCutTo254Characters) {
    const QString longText = QString(300, u'x');
    writeLanguageFile(section("ITALIANO", {{UiTextKey(0), longText}}));
    LoadLanguageTexts(g, 1);
    EXPECT_EQ(g.lang.UiText[0], longText.left(254));
}

TEST_F(LanguageTextsTest, NamedTextsComeFromTheLoadedSectionAndAMissingKeyShowsItself) {
    Entries italian = {{UiTextKey(0), "titolo"}, {"ARCHIVIOTitolo", "Archivio"}};
    Entries english = {{UiTextKey(0), "title"}, {"archiviotitolo", "Archive"}};
    writeLanguageFile(section("ITALIANO", italian) + section("INGLESE", english));
    LoadLanguageTexts(g, 1);
    EXPECT_EQ(NamedText(g, u"ARCHIVIOTitolo"), "Archivio");
    EXPECT_EQ(NamedText(g, u"archiviotitolo"), "Archivio");
    // Table keys are not named texts; an unknown key shows as itself.
    EXPECT_EQ(NamedText(g, UiTextKey(0)), UiTextKey(0));
    EXPECT_EQ(NamedText(g, u"NOTAKey"), "NOTAKey");
    LoadLanguageTexts(g, 2);
    EXPECT_EQ(NamedText(g, u"ARCHIVIOTitolo"), "Archive");
    LoadLanguageTexts(g, 3); // no such section: nothing stays from English
    EXPECT_EQ(NamedText(g, u"ARCHIVIOTitolo"), "ARCHIVIOTitolo");
}
