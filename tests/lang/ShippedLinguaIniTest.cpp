#include "lang/LanguageTexts.h"
#include "lang/UiTextKeys.h"
#include "settings/Win1252.h"
#include "shared/Globals.h"
#include "support/StationDirs.h"

#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>

namespace {

const QStringList Sections = {"ITALIANO", "INGLESE", "SPAGNOLO"};
const QMap<QString, int> CodeOfSection = {{"ITALIANO", 1}, {"INGLESE", 2}, {"SPAGNOLO", 3}};

struct Entry {
    QString key;
    QString value;
};

// The shipped file read line by line, without the INI reader, so the reader's
// own forgiveness (trimming, quotes, case) cannot hide a fault in the file.
struct ParsedFile {
    QStringList sectionOrder;
    QMap<QString, QList<Entry>> entries;
    QStringList strayLines;
};

ParsedFile parse(const QByteArray& bytes) {
    ParsedFile parsed;
    QString current;
    QList<QByteArray> lines = bytes.split('\n');
    lines.removeLast(); // after the final line end
    for (QByteArray line : lines) {
        line.chop(1); // the CR, checked separately
        const QString text = settings::fromWin1252(line);
        if (text.isEmpty())
            continue;
        if (text.startsWith('[') && text.endsWith(']')) {
            current = text.mid(1, text.size() - 2);
            parsed.sectionOrder << current;
            continue;
        }
        const qsizetype eq = text.indexOf('=');
        if (current.isEmpty() || eq <= 0) {
            parsed.strayLines << text;
            continue;
        }
        parsed.entries[current].append({text.left(eq), text.mid(eq + 1)});
    }
    return parsed;
}

QString describe(const QString& sectionName, const QString& key) {
    return sectionName + "/" + key;
}

class ShippedLinguaIni : public StationDirsTest {
  protected:
    void SetUp() override {
        StationDirsTest::SetUp();
        bytes = readBytes(sourceDataPath("Lingua.ini"));
        ASSERT_FALSE(bytes.isEmpty()) << "data/Lingua.ini is missing";
        parsed = parse(bytes);
    }

    QByteArray bytes;
    ParsedFile parsed;
};

} // namespace

TEST_F(ShippedLinguaIni, EveryLineEndsInCrLf) {
    ASSERT_TRUE(bytes.endsWith("\r\n"));
    int lineNumber = 1;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            EXPECT_TRUE(i > 0 && bytes[i - 1] == '\r') << "line " << lineNumber << " ends in a bare LF";
            ++lineNumber;
        } else if (bytes[i] == '\r') {
            EXPECT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "bare CR on line " << lineNumber;
        }
    }
}

TEST_F(ShippedLinguaIni, BytesAreValidWindows1252WithoutControlCharacters) {
    // 0x81, 0x8D, 0x8F, 0x90 and 0x9D have no character in the code page.
    const QByteArray unassigned("\x81\x8D\x8F\x90\x9D");
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        EXPECT_FALSE(unassigned.contains(static_cast<char>(byte))) << "unassigned byte at offset " << i;
        if (byte != '\r' && byte != '\n') {
            EXPECT_TRUE(byte >= 0x20 && byte != 0x7F) << "control byte " << int(byte) << " at offset " << i;
        }
    }
    // Written as single bytes, not as UTF-8 sequences.
    EXPECT_FALSE(bytes.contains("\xC3\xA0")) << "UTF-8 encoded text found";
    EXPECT_TRUE(bytes.contains("Men\xF9titolo="));
}

TEST_F(ShippedLinguaIni, HoldsTheThreeLanguageSectionsOnceEach) {
    EXPECT_EQ(parsed.sectionOrder, Sections);
    EXPECT_EQ(parsed.strayLines, QStringList{});
}

TEST_F(ShippedLinguaIni, EachSectionHoldsTheTableKeysAndTheSameNamedKeys) {
    QSet<QString> tableKeys;
    for (int n = 0; n < UiTextCount; ++n)
        tableKeys.insert(UiTextKey(n));
    // Keys beyond the table (the newer windows' texts) must exist in every
    // language, so a switch of language never falls back to a bare key.
    QSet<QString> italianNamed;
    for (const Entry& entry : parsed.entries.value(Sections.front()))
        if (!tableKeys.contains(entry.key))
            italianNamed.insert(entry.key);
    for (const QString& sectionName : Sections) {
        QSet<QString> found;
        QSet<QString> named;
        for (const Entry& entry : parsed.entries.value(sectionName)) {
            EXPECT_FALSE(found.contains(entry.key)) << "duplicate " << describe(sectionName, entry.key).toStdString();
            found.insert(entry.key);
            if (!tableKeys.contains(entry.key))
                named.insert(entry.key);
        }
        for (const QString& key : tableKeys)
            EXPECT_TRUE(found.contains(key)) << "missing " << describe(sectionName, key).toStdString();
        for (const QString& key : italianNamed - named)
            ADD_FAILURE() << "missing " << describe(sectionName, key).toStdString();
        for (const QString& key : named - italianNamed)
            ADD_FAILURE() << "not in ITALIANO: " << describe(sectionName, key).toStdString();
    }
}

TEST_F(ShippedLinguaIni, EveryValueIsAnUntrimmedNonEmptyLineOfAtMost254Characters) {
    for (const QString& sectionName : Sections) {
        for (const Entry& entry : parsed.entries.value(sectionName)) {
            const std::string where = describe(sectionName, entry.key).toStdString();
            EXPECT_FALSE(entry.value.trimmed().isEmpty()) << where;
            EXPECT_LE(entry.value.size(), 254) << where;
            // The reader trims blanks and strips surrounding quotes: such a text
            // would not show as written.
            EXPECT_EQ(entry.value, entry.value.trimmed()) << where;
            EXPECT_FALSE(entry.value.size() >= 2 && (entry.value.front() == '"' || entry.value.front() == '\'') &&
                         entry.value.back() == entry.value.front())
                << where;
        }
    }
}

TEST_F(ShippedLinguaIni, LoaderReadsEveryTextExactlyAsWritten) {
    installLanguageFile();
    for (const QString& sectionName : Sections) {
        QMap<QString, QString> written;
        for (const Entry& entry : parsed.entries.value(sectionName))
            written.insert(entry.key, entry.value);
        Globals g;
        LoadLanguageTexts(g, CodeOfSection.value(sectionName));
        for (int n = 0; n < UiTextCount; ++n)
            EXPECT_EQ(g.lang.UiText[n], written.value(UiTextKey(n)))
                << describe(sectionName, UiTextKey(n)).toStdString() << " at position " << n;
    }
}

TEST_F(ShippedLinguaIni, AccessKeysAndLiteralAmpersandsAgreeAcrossLanguages) {
    // A button or menu caption keeps its access key in every language, and a
    // label that shows an ampersand doubles it everywhere.
    const QRegularExpression accessKey("(^|[^&])&[^&]");
    installLanguageFile();
    Globals italian;
    LoadLanguageTexts(italian, 1);
    for (const int code : {2, 3}) {
        Globals other;
        LoadLanguageTexts(other, code);
        for (int n = 0; n < UiTextCount; ++n) {
            const QString& it = italian.lang.UiText[n];
            const QString& tr = other.lang.UiText[n];
            const std::string where = "code " + std::to_string(code) + " position " + std::to_string(n);
            EXPECT_EQ(it.contains(accessKey), tr.contains(accessKey)) << where;
            EXPECT_EQ(it.count("&&"), tr.count("&&")) << where;
        }
    }
}

TEST_F(ShippedLinguaIni, MainTitleNamesTheProgramInEveryLanguage) {
    installLanguageFile();
    for (const int code : {1, 2, 3}) {
        Globals g;
        LoadLanguageTexts(g, code);
        EXPECT_TRUE(g.lang.UiText[0].startsWith("Quaveron - ")) << "code " << code;
        EXPECT_TRUE(g.lang.UiText[0].contains("&&")) << "code " << code;
    }
}
