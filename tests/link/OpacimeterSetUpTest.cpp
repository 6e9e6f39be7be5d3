#include "SetupFormFixture.h"

#include "link/OPASU.h"
#include "sim/OpacimeterSim.h"

namespace {

const QString StoredOpacimeterSetUp =
    QStringLiteral("[COMOPA]\r\nTModCom=1\r\nTCOM=6\r\nTBRate=1\r\nMarca=KAPRO\r\nNOmologa=OM 2\r\n"
                   "Modello=OPX-410\r\nNserie=O-1\r\nVersione=2.00\r\nScadenza=02/02/2028\r\n"
                   "[MODOPA]\r\nModello=0\r\nUnitOpa=1\r\n");

} // namespace

using OpacimeterSetUpTest = SetupFormTest<OPASU>;

TEST_F(OpacimeterSetUpTest, OpensWithTheStoredChoicesAndNoModeShown) {
    writeConf(StoredOpacimeterSetUp);
    open();
    EXPECT_EQ(form->Me.caption(), "Smoke meter");
    EXPECT_EQ(form->Combo1.text(), "OPX-410");
    EXPECT_EQ(g.link.OpacimeterBinaryAddress, 0x51);
    EXPECT_EQ(g.settings.OpacimeterLinkMode, 1);
    EXPECT_EQ(form->Combo2.text(), "HSU unit range");
    EXPECT_EQ(form->Text5.text(), "6");
    EXPECT_TRUE(form->Option1.value());
    EXPECT_FALSE(form->Option5.value());
    EXPECT_FALSE(form->Option6.value());
    EXPECT_EQ(form->ComFind.caption(), "&Identify");
    EXPECT_EQ(form->ComSave.caption(), "&Apply");
}

TEST_F(OpacimeterSetUpTest, IdentifiesTheSimulatedOpacimeter) {
    writeConf(StoredOpacimeterSetUp);
    open();
    connectNew<sim::OpacimeterSim>(2);
    form->ComFind_Click();
    settle();
    EXPECT_EQ(port->Settings(), "1200,n,8,1");
    EXPECT_EQ(requests(), QStringList{"OPA 1 ID"});
    EXPECT_EQ(form->Text3.text(), "OPX-520/HD");
    EXPECT_EQ(form->Combo1.listIndex(), 2);
    EXPECT_EQ(g.link.OpacimeterBinaryAddress, 0x41);
    EXPECT_TRUE(form->Option5.value());
}

struct OpacimeterModelCase {
    const char* name;
    QByteArray model;
    int row; // -1: the list and mode stay as they were
    int mode;
};

class OpacimeterSetUpModelTest : public OpacimeterSetUpTest,
                                 public ::testing::WithParamInterface<OpacimeterModelCase> {};

TEST_P(OpacimeterSetUpModelTest, IdentifiedModelSelectsItsRowOrNothing) {
    writeConf(StoredOpacimeterSetUp);
    open();
    // The operator had picked the MCTC-NET model before asking.
    form->Combo1.setListIndex(5);
    form->Combo1_Click();
    form->ComFind_Click();
    port->receive(IdentityReply("OPA", GetParam().model));
    const OpacimeterModelCase& c = GetParam();
    EXPECT_EQ(form->Combo1.listIndex(), c.row < 0 ? 5 : c.row);
    EXPECT_EQ(g.settings.SmokeModel, c.row < 0 ? 5 : c.row);
    EXPECT_EQ(g.settings.OpacimeterLinkMode, c.mode);
    EXPECT_EQ(form->Text3.text(), QString::fromLatin1(c.model).trimmed());
}

INSTANTIATE_TEST_SUITE_P(Models, OpacimeterSetUpModelTest,
                         ::testing::Values(OpacimeterModelCase{"TrailingBlanks", "OPX-520/HD    ", 2, 1},
                                           OpacimeterModelCase{"LongerName", "OPX-520/HDX", -1, 2},
                                           OpacimeterModelCase{"TheFVariant", "OPX-520/HDF", 3, 1},
                                           OpacimeterModelCase{"Rigel", "OPX-300", 5, 2},
                                           OpacimeterModelCase{"Unknown", "SMOKY", -1, 2}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(OpacimeterSetUpTest, SavesModelUnitAndTheIdentityOfTheInstrument) {
    writeConf(StoredOpacimeterSetUp);
    open();
    form->Combo2.setListIndex(0);
    form->Combo2_Click();
    form->ComFind_Click();
    port->receive(IdentityReply("OPA", {"KAPRO", "OPX-300", "OM 300", "R-300", "31122029", "1.50", ""}));
    form->ComSave_Click();
    EXPECT_EQ(confValue("COMOPA", "TModCom"), "2");
    EXPECT_EQ(confValue("COMOPA", "Modello"), "OPX-300");
    EXPECT_EQ(confValue("COMOPA", "Nserie"), "R-300");
    EXPECT_EQ(confValue("MODOPA", "Modello"), "5");
    EXPECT_EQ(confValue("MODOPA", "UnitOpa"), "0");
    EXPECT_EQ(dialogs.shown.size(), 1u);
    // The gas analyser's sections are not touched.
    EXPECT_EQ(confValue("COMKAPRO", "Marca"), "<absent>");
}
