#include "SetupFormFixture.h"

#include "link/ANSU.h"
#include "link/SetupChecksum.h"
#include "sim/GasAnalyserSim.h"

#include <zlib.h>

namespace {

QString zlibChecksum(const QByteArray& text) {
    const uLong crc = crc32(0L, reinterpret_cast<const Bytef*>(text.constData()), static_cast<uInt>(text.size()));
    return QString::number(static_cast<quint32>(crc), 16).toUpper();
}

QByteArray parameterReply(const QByteArray& value) {
    return BuildMctcFrame("GAS", "@LU", "1", value + FrameByte::Etb + "193");
}

const QString StoredGasSetUp = QStringLiteral("[COMKAPRO]\r\nTModCom=2\r\nTCOM=0\r\nTBRate=3\r\nMarca=OLDMAKE\r\n"
                                              "NOmologa=OM 1\r\nModello=KAPROGAS-730\r\nNserie=S-OLD\r\n"
                                              "Versione=1.00\r\nScadenza=01/01/2025\r\n[MODKAPRO]\r\nModello=2\r\n");

} // namespace

using GasSetUpTest = SetupFormTest<ANSU>;

TEST_F(GasSetUpTest, OpensWithTheStoredModelPortAndBaudAndTheModelDecidesTheMode) {
    writeConf(StoredGasSetUp);
    open();
    EXPECT_EQ(form->Me.caption(), "Gas analyser");
    EXPECT_EQ(form->Combo1.listIndex(), 2);
    EXPECT_EQ(form->Combo1.text(), "KAPRO730");
    // Stored as MCTC-NET, but the model speaks the maker's frames.
    EXPECT_EQ(g.settings.GasLinkMode, 1);
    EXPECT_EQ(g.link.GasBinaryAddress, 0x21);
    EXPECT_TRUE(form->Option5.value());
    EXPECT_FALSE(form->Option6.value());
    // A port never set shows, and becomes, COM1.
    EXPECT_EQ(form->Text5.text(), "1");
    EXPECT_EQ(g.settings.GasPort, 1);
    EXPECT_EQ(form->VScroll1.value(), 1);
    EXPECT_TRUE(form->Option3.value());
    EXPECT_FALSE(form->Option1.value() || form->Option2.value() || form->Option4.value());
    EXPECT_EQ(g.link.InstrumentIdentity.Maker, "OLDMAKE");
    EXPECT_EQ(g.link.GasSetupPort, port);
    form->Form_Unload();
    EXPECT_EQ(g.link.GasSetupPort, nullptr);
}

TEST_F(GasSetUpTest, OpensWithoutConfIniKeepingWhatTheProgramHad) {
    g.settings.GasModel = 9; // not a row of the list
    g.settings.GasLinkMode = 2;
    g.settings.GasBaudIndex = 2;
    open();
    EXPECT_EQ(form->Combo1.listIndex(), -1);
    EXPECT_EQ(g.settings.GasLinkMode, 2);
    EXPECT_TRUE(form->Option2.value());
    EXPECT_EQ(form->Text5.text(), "1");
}

TEST_F(GasSetUpTest, ChoosingAModelSetsModeAndAddress) {
    open();
    const struct {
        int row;
        int mode;
        int address;
    } rows[] = {{0, 1, 0x31}, {2, 1, 0x21}, {3, 2, 0x21}, {1, 1, 0x31}};
    for (const auto& r : rows) {
        form->Combo1.setListIndex(r.row);
        form->Combo1_Click();
        EXPECT_EQ(g.settings.GasModel, r.row);
        EXPECT_EQ(g.settings.GasLinkMode, r.mode) << r.row;
        // The MCTC-NET model has no address: the last one stays.
        EXPECT_EQ(g.link.GasBinaryAddress, r.address) << r.row;
        EXPECT_EQ(form->Option6.value(), r.mode == 2);
    }
}

struct BaudCase {
    int choice;
    const char* settings;
};

class GasSetUpBaudTest : public GasSetUpTest, public ::testing::WithParamInterface<BaudCase> {};

TEST_P(GasSetUpBaudTest, IdentificationUsesOnly1200Or9600Baud) {
    open();
    std::invoke(std::array{&ANSU::Option1_Click, &ANSU::Option2_Click, &ANSU::Option3_Click,
                           &ANSU::Option4_Click}[GetParam().choice - 1],
                *form);
    EXPECT_EQ(g.settings.GasBaudIndex, GetParam().choice);
    form->VScroll1.setValue(4);
    form->VScroll1_Change();
    form->Command2_Click();
    EXPECT_TRUE(port->PortOpen());
    EXPECT_EQ(port->CommPort(), 4);
    EXPECT_EQ(port->Settings(), GetParam().settings);
    EXPECT_EQ(requests(), QStringList{"GAS 1 ID"});
}

INSTANTIATE_TEST_SUITE_P(Choices, GasSetUpBaudTest,
                         ::testing::Values(BaudCase{1, "1200,n,8,1"}, BaudCase{2, "9600,n,8,1"},
                                           BaudCase{3, "9600,n,8,1"}, BaudCase{4, "9600,n,8,1"}));

TEST_F(GasSetUpTest, IdentifiesTheSimulatedAnalyserAndShowsItsChecksum) {
    sim::GasAnalyserSettings settings;
    settings.model = 1;
    open();
    const sim::GasAnalyserSim& analyser = connectNew<sim::GasAnalyserSim>(settings);
    form->Command2_Click();
    // Until the answer comes, the boxes hold a blank each.
    EXPECT_EQ(form->Text1.text(), " ");
    EXPECT_EQ(form->Text7.text(), " ");
    settle();

    EXPECT_EQ(requests(), (QStringList{"GAS 1 ID", "GAS 1 @LU 193"}));
    const sim::MctcIdentity& id = analyser.identity();
    EXPECT_EQ(form->Text1.text(), QString::fromLatin1(id.maker));
    EXPECT_EQ(form->Text2.text(), QString::fromLatin1(id.homologation));
    EXPECT_EQ(form->Text3.text(), "KAPROGAS-620");
    EXPECT_EQ(form->Text4.text(), QString::fromLatin1(id.serialNumber));
    EXPECT_EQ(form->Text6.text(), QString::fromLatin1(id.version));
    EXPECT_EQ(form->Text7.text(), "31/12/2030");
    EXPECT_EQ(form->Combo1.listIndex(), 1);
    EXPECT_EQ(g.settings.GasLinkMode, 1);
    EXPECT_EQ(g.link.GasBinaryAddress, 0x31);
    // Parameter 193 is -12345: 53191 once made positive, CFC7 in hexadecimal.
    EXPECT_EQ(form->Text8.text(), zlibChecksum("CFC7"));
}

struct ModelCase {
    const char* name;
    QByteArray reply;
    int row;
    int mode;
};

class GasSetUpModelTest : public GasSetUpTest, public ::testing::WithParamInterface<ModelCase> {};

TEST_P(GasSetUpModelTest, IdentifiedModelSelectsItsRow) {
    open();
    form->Command2_Click();
    port->receive(GetParam().reply);
    EXPECT_EQ(form->Combo1.listIndex(), GetParam().row);
    EXPECT_EQ(g.settings.GasModel, GetParam().row);
    EXPECT_EQ(g.settings.GasLinkMode, GetParam().mode);
    // The parameter is asked for whatever the model.
    EXPECT_EQ(requests().last(), "GAS 1 @LU 193");
}

INSTANTIATE_TEST_SUITE_P(
    Models, GasSetUpModelTest,
    ::testing::Values(ModelCase{"LongerNameOfA620", IdentityReply("GAS", "KAPROGAS-620/PLUS-2"), 1, 1},
                      ModelCase{"Exact610", IdentityReply("GAS", "KAPROGAS-610"), 0, 1},
                      ModelCase{"TrailingBlanks730", IdentityReply("GAS", "KAPROGAS-730   "), 2, 1},
                      ModelCase{"TooShortToMatch", IdentityReply("GAS", "KAPROGAS-62"), 3, 2},
                      ModelCase{"Unknown", IdentityReply("GAS", "ACME-4000"), 3, 2},
                      ModelCase{"ReplyWithFiveFields",
                                IdentityReply("GAS", QByteArrayList{"K", "KAPROGAS-610", "OM", "SN", "01012030"}), 3,
                                2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(GasSetUpTest, ChecksumOfTheParameterIsShownWithoutLeadingZeros) {
    open();
    form->Command2_Click();
    port->receive(IdentityReply("GAS", "KAPROGAS-610"));
    const std::pair<QByteArray, QByteArray> values[] = {
        {"0", "0000"}, {"-1", "FFFF"}, {"255", "00FF"}, {"-12345", "CFC7"}, {"x", "0000"}};
    for (const auto& [value, hex] : values) {
        port->receive(parameterReply(value));
        const QString shown = form->Text8.text();
        EXPECT_EQ(shown, zlibChecksum(hex)) << value.constData();
        EXPECT_FALSE(shown.startsWith(u'0')) << value.constData();
    }
}

TEST_F(GasSetUpTest, RepliesOfAnotherDeviceOrSpoiltByAStrayByteAreIgnored) {
    open();
    form->Command2_Click();
    port->receive(IdentityReply("OPA", "KAPROGAS-610"));
    port->receive("\n" + IdentityReply("GAS", "KAPROGAS-610"));
    EXPECT_EQ(form->Text3.text(), " ");
    EXPECT_EQ(requests(), QStringList{"GAS 1 ID"});
    // The buffer was emptied each time: the next good reply counts.
    port->receive(IdentityReply("GAS", "KAPROGAS-610"));
    EXPECT_EQ(form->Text3.text(), "KAPROGAS-610");
}

TEST_F(GasSetUpTest, PortThatCannotOpenIsReportedAndNothingIsSent) {
    open();
    port->failEveryOpen("No such file or directory");
    form->Command2_Click();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "COM1 unavailable\r\nNo such file or directory");
    EXPECT_EQ(dialogs.shown[0].icon, ui::Icon::Critical);
    EXPECT_TRUE(port->written().isEmpty());
}

TEST_F(GasSetUpTest, SavingWithoutIdentifyingStoresTheIdentityReadAtOpening) {
    writeConf(StoredGasSetUp);
    open();
    // Another window's identification in the meantime changes nothing here.
    g.link.InstrumentIdentity.Maker = "SOMEONE ELSE";
    form->Combo1.setListIndex(3);
    form->Combo1_Click();
    form->Option4_Click();
    form->CmdApl_Click();

    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "Settings saved.");
    const std::pair<const char*, const char*> stored[] = {
        {"TModCom", "2"},     {"TCOM", "1"},        {"TBRate", "4"},
        {"Marca", "OLDMAKE"}, {"NOmologa", "OM 1"}, {"Modello", "KAPROGAS-730"},
        {"Nserie", "S-OLD"},  {"Versione", "1.00"}, {"Scadenza", "01/01/2025"}};
    for (const auto& [key, value] : stored)
        EXPECT_EQ(confValue("COMKAPRO", key), value) << key;
    EXPECT_EQ(confValue("MODKAPRO", "Modello"), "3");
}

TEST_F(GasSetUpTest, SavingAfterIdentifyingStoresTheInstrumentsIdentity) {
    writeConf(StoredGasSetUp);
    open();
    form->Command2_Click();
    port->receive(IdentityReply("GAS", {"ACME", "KAPROGAS-610", "OM 9", "SN-9", "15062031", "4.20", "x"}));
    form->CmdApl_Click();
    EXPECT_EQ(confValue("COMKAPRO", "Marca"), "ACME");
    EXPECT_EQ(confValue("COMKAPRO", "Scadenza"), "15/06/2031");
    EXPECT_EQ(confValue("COMKAPRO", "TModCom"), "1");
    EXPECT_EQ(confValue("MODKAPRO", "Modello"), "0");
    EXPECT_EQ(g.settings.GasMake, "ACME");
}
