#include "ConfFixture.h"

#include "settings/RCLIni.h"

#include <QDir>
#include <QFile>

#include <unistd.h>

namespace {

class RCLIniTest : public ConfFileTest {
  protected:
    RCLIni at(const QString& section, const QString& key, const QString& value = QString()) const {
        RCLIni ini;
        ini.File = confPath();
        ini.Section = section;
        ini.key = key;
        ini.Value = value;
        return ini;
    }
};

TEST_F(RCLIniTest, MissingFileFailsAndLeavesValue) {
    RCLIni ini = at("LINGUA", "TLingua", "previous");
    EXPECT_FALSE(ini.GetValue());
    EXPECT_EQ(ini.Value, "previous");
}

TEST_F(RCLIniTest, AbsentOrEmptyKeyFailsAndKeepsPreviousValue) {
    writeConf({"[UTENTE]", "Operatore=Rossi", "Ente=", "[OTHER]", "ResponsabileTecn=Elsewhere"});
    RCLIni ini = at("UTENTE", "Operatore");
    ASSERT_TRUE(ini.GetValue());
    EXPECT_EQ(ini.Value, "Rossi");
    for (const char* key : {"ResponsabileTecn", "Ente", "Nowhere"}) {
        ini.key = key;
        EXPECT_FALSE(ini.GetValue()) << key;
        EXPECT_EQ(ini.Value, "Rossi") << key;
    }
    ini.Section = "MISSING";
    ini.key = "Operatore";
    EXPECT_FALSE(ini.GetValue());
}

TEST_F(RCLIniTest, WholeSectionReadFindsWhatKeyByKeyReadsFind) {
    writeConf({"[UTENTE]", "Operatore=Rossi", "Ente=", "OPERATORE=Later", "[OTHER]", "Ente=Elsewhere", "[utente]",
               "ResponsabileTecn = 'Bianchi' ", "; comment=x", "Ente=Late"});
    const QHash<QString, QString> values = at("UTENTE", "").SectionValues();
    for (const char* key : {"Operatore", "Ente", "ResponsabileTecn", "Nowhere", "; comment"}) {
        RCLIni ini = at("UTENTE", key, "unchanged");
        const bool found = ini.GetValue();
        EXPECT_EQ(found, !values.value(QString::fromLatin1(key).toLower()).isEmpty()) << key;
        if (found) {
            EXPECT_EQ(values.value(QString::fromLatin1(key).toLower()), ini.Value) << key;
        }
    }
    EXPECT_EQ(values.size(), 2);
    EXPECT_TRUE(at("MISSING", "").SectionValues().isEmpty());
}

// As the platform's private-profile functions do: a second section of the same
// name is never read, and a rewritten key keeps the spelling it has in the file.
TEST_F(RCLIniTest, SecondSectionOfANameIsIgnoredAndRewrittenKeysKeepTheirSpelling) {
    writeConf({"[LINGUA]", "TLingua=3", "[RPM]", "Marca=Giri", "[lingua]", "Extra=late", "TLingua=9"});
    const QByteArray before = confBytes();
    for (const char* key : {"Extra", "extra"}) {
        RCLIni ini = at("LINGUA", key, "unchanged");
        EXPECT_FALSE(ini.GetValue()) << key;
        EXPECT_EQ(ini.Value, "unchanged") << key;
    }
    EXPECT_EQ(at("Lingua", "").SectionValues(), (QHash<QString, QString>{{"tlingua", "3"}}));

    ASSERT_TRUE(at("lingua", "tlingua", "1").SetValue());
    QByteArray expected = before;
    expected.replace("TLingua=3", "TLingua=1");
    EXPECT_EQ(confBytes(), expected);
    // A key found only in the second section is added to the first.
    ASSERT_TRUE(at("LINGUA", "extra", "x").SetValue());
    expected.replace("TLingua=1\r\n", "TLingua=1\r\nextra=x\r\n");
    EXPECT_EQ(confBytes(), expected);
}

TEST_F(RCLIniTest, LongValueReadsBackAsItsFirst254Characters) {
    QString longValue;
    for (int i = 0; i < 300; ++i)
        longValue += QChar(u'a' + i % 26);
    writeConf({"[VEICOLO]", "Targa=" + longValue});
    RCLIni ini = at("VEICOLO", "Targa");
    ASSERT_TRUE(ini.GetValue());
    EXPECT_EQ(ini.Value.size(), 254);
    EXPECT_EQ(ini.Value, longValue.left(254));
}

TEST_F(RCLIniTest, SectionAndKeyLookupIgnoresCase) {
    writeConf({"[lingua]", "tlingua=2", "[Veicolo]", "TARGA = AB123CD "});
    RCLIni ini = at("LINGUA", "TLingua");
    ASSERT_TRUE(ini.GetValue());
    EXPECT_EQ(ini.Value, "2");
    ini.Section = "VEICOLO";
    ini.key = "Targa";
    ASSERT_TRUE(ini.GetValue());
    EXPECT_EQ(ini.Value, "AB123CD");

    // A write to differently cased names replaces the existing line instead of adding one.
    RCLIni writer = at("veicolo", "targa", "ZZ999ZZ");
    ASSERT_TRUE(writer.SetValue());
    EXPECT_EQ(confBytes(), "[lingua]\r\ntlingua=2\r\n[Veicolo]\r\nTARGA=ZZ999ZZ\r\n");
}

TEST_F(RCLIniTest, FirstWriteCreatesFileThenSectionThenKey) {
    ASSERT_TRUE(at("LINGUA", "TLingua", "1").SetValue());
    EXPECT_EQ(confBytes(), "[LINGUA]\r\nTLingua=1\r\n");
    ASSERT_TRUE(at("RPM", "Marca", "Giri").SetValue());
    ASSERT_TRUE(at("LINGUA", "Extra", "x").SetValue());
    EXPECT_EQ(confBytes(), "[LINGUA]\r\nTLingua=1\r\nExtra=x\r\n[RPM]\r\nMarca=Giri\r\n");
}

TEST_F(RCLIniTest, WriteTouchesOnlyItsOwnLine) {
    const QByteArray before = "; station settings\r\n"
                              "[COMOPA]\r\n"
                              "TModCom=1\r\n"
                              "; keep this comment\r\n"
                              "TCOM=3\r\n"
                              "\r\n"
                              "[PORTE]\r\n"
                              "COM3=/dev/ttyUSB0\r\n"
                              "odd line without equals\r\n";
    writeBytes(confPath(), before);

    ASSERT_TRUE(at("COMOPA", "TCOM", "4").SetValue());
    QByteArray expected = before;
    expected.replace("TCOM=3", "TCOM=4");
    EXPECT_EQ(confBytes(), expected);

    // A new key goes after the section's last line, before the blank line that ends it.
    ASSERT_TRUE(at("COMOPA", "TBRate", "2").SetValue());
    expected.replace("TCOM=4\r\n", "TCOM=4\r\nTBRate=2\r\n");
    EXPECT_EQ(confBytes(), expected);
}

TEST_F(RCLIniTest, AccentedKeyIsStoredInTheStationCodePage) {
    const QString humidity = QStringLiteral(u"UmiditàRelativa");
    ASSERT_TRUE(at("AMBIENTE", humidity, QStringLiteral(u"55 % €")).SetValue());
    EXPECT_EQ(confBytes(), QByteArray("[AMBIENTE]\r\nUmidit\xE0Relativa=55 % \x80\r\n"));

    RCLIni ini = at("AMBIENTE", humidity);
    ASSERT_TRUE(ini.GetValue());
    EXPECT_EQ(ini.Value, QStringLiteral(u"55 % €"));
    ini.key = QStringLiteral(u"UMIDITÀRELATIVA");
    EXPECT_TRUE(ini.GetValue());
}

TEST_F(RCLIniTest, LineBreaksInAValueBecomeBlanks) {
    ASSERT_TRUE(at("VEICOLO", "FeT", "Fiat\r\n[LINGUA]\nTLingua=3").SetValue());
    EXPECT_EQ(confBytes(), "[VEICOLO]\r\nFeT=Fiat  [LINGUA] TLingua=3\r\n");
    RCLIni ini = at("LINGUA", "TLingua", "unchanged");
    EXPECT_FALSE(ini.GetValue());
    EXPECT_EQ(ini.Value, "unchanged");
}

TEST_F(RCLIniTest, QuotedValueReadsWithoutItsQuotes) {
    writeConf({"[UTENTE]", "Operatore=\"Mario Rossi\"", "Ente='A'", "ResponsabileTecn=\"half"});
    RCLIni ini = at("UTENTE", "Operatore");
    ASSERT_TRUE(ini.GetValue());
    EXPECT_EQ(ini.Value, "Mario Rossi");
    ini.key = "Ente";
    ASSERT_TRUE(ini.GetValue());
    EXPECT_EQ(ini.Value, "A");
    ini.key = "ResponsabileTecn";
    ASSERT_TRUE(ini.GetValue());
    EXPECT_EQ(ini.Value, "\"half");
}

TEST_F(RCLIniTest, MalformedFileNeitherCrashesNorInventsKeys) {
    QByteArray junk = "[\r\n]\r\n=\r\n==x\r\n[unterminated\r\nkey\r\n[";
    junk += '\0';
    junk += "]\r\n\xFF\xFE=\x01\r\n[S]\r\n;k=comment\r\nk";
    writeBytes(confPath(), junk);
    RCLIni ini = at("S", "k", "kept");
    EXPECT_FALSE(ini.GetValue());
    EXPECT_EQ(ini.Value, "kept");
    ini.Section = "unterminated";
    EXPECT_FALSE(ini.GetValue());

    ini.Section = "S";
    ini.Value = "v";
    ASSERT_TRUE(ini.SetValue());
    ini.Value.clear();
    ASSERT_TRUE(ini.GetValue());
    EXPECT_EQ(ini.Value, "v");
    EXPECT_TRUE(confBytes().startsWith(junk.left(40)));
}

TEST_F(RCLIniTest, SaveLeavesNoTemporaryFileBehind) {
    writeConf({"[LINGUA]", "TLingua=1"});
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(at("LINGUA", "TLingua", QString::number(i)).SetValue());
    EXPECT_EQ(QDir(work.path()).entryList(QDir::Files | QDir::Hidden | QDir::System), QStringList{"Conf.ini"});
}

TEST_F(RCLIniTest, WriteIntoAMissingFolderFailsQuietly) {
    RCLIni ini = at("LINGUA", "TLingua", "1");
    ini.File = workFile("no/such/folder/Conf.ini");
    EXPECT_FALSE(ini.SetValue());
    EXPECT_FALSE(QFile::exists(ini.File));
}

TEST_F(RCLIniTest, UnreadableFileIsNotReplaced) {
    if (geteuid() == 0)
        GTEST_SKIP() << "root reads every file regardless of permissions";
    writeConf({"[LINGUA]", "TLingua=2", "[RPM]", "Marca=X"});
    const QByteArray before = confBytes();
    ASSERT_TRUE(QFile::setPermissions(confPath(), QFileDevice::WriteOwner));
    EXPECT_FALSE(at("LINGUA", "TLingua", "3").SetValue());
    ASSERT_TRUE(QFile::setPermissions(confPath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    EXPECT_EQ(confBytes(), before);
}

} // namespace
