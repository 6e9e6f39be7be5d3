#include "settings/ConfFile.h"
#include "settings/RCLIni.h"
#include "shared/Globals.h"
#include "station/DAMB.h"
#include "station/DVeicoli.h"
#include "station/UTENTE.h"
#include "support/RecordingDialogs.h"
#include "support/StationDirs.h"

#include <functional>
#include <vector>

namespace {

// Every language text marked with its position, so a caption shows where it came from.
void markLanguageTexts(Globals& g) {
    for (int n = 0; n < LanguageState::TextCount; ++n)
        g.lang.UiText[n] = QStringLiteral("text %1").arg(n);
}

// The text stored under one key of Conf.ini, empty when absent.
QString confValue(const QString& section, const QString& key) {
    RCLIni ini;
    ini.File = SettingsPath();
    ini.Section = section;
    ini.key = key;
    ini.GetValue();
    return ini.Value;
}

void storeVehicle(const QString& make, const QString& plate, const QString& chassis, const QString& year,
                  const QString& model) {
    Globals g;
    g.station.VehicleMakeType = make;
    g.station.VehiclePlate = plate;
    g.station.VehicleChassis = chassis;
    g.station.VehicleYear = year;
    g.station.VehicleModel = model;
    SaveVehicleData(g);
}

} // namespace

class StationDataWindowsTest : public StationDirsTest {
  protected:
    Globals g;
    RecordingDialogs dialogs;
};

TEST_F(StationDataWindowsTest, EachCaptionComesFromItsLanguageText) {
    markLanguageTexts(g);
    DVeicoli vehicle(g, dialogs);
    UTENTE staff(g, dialogs);
    DAMB ambient(g, dialogs);
    vehicle.Form_Load();
    staff.Form_Load();
    ambient.Form_Load();

    const struct {
        const ui::Control& control;
        int text;
    } cases[] = {
        {vehicle.Me, 78},      {vehicle.Label1, 79},   {vehicle.Label2, 80}, {vehicle.Label3, 81}, {vehicle.Label4, 82},
        {vehicle.Label5, 166}, {vehicle.Command1, 71}, {staff.Me, 132},      {staff.Label1, 133},  {staff.Label2, 134},
        {staff.Label3, 115},   {staff.Command1, 71},   {ambient.Me, 74},     {ambient.Label1, 75}, {ambient.Label2, 76},
        {ambient.Label3, 77},  {ambient.Command1, 71},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.control.caption(), QStringLiteral("text %1").arg(c.text));
    EXPECT_EQ(ambient.Label4.caption(), QString::fromUtf8("°C"));
    EXPECT_EQ(ambient.Label5.caption(), "kPa");
    EXPECT_EQ(ambient.Label6.caption(), "%");
}

TEST_F(StationDataWindowsTest, VehicleWindowShowsTheFileNotStaleMemory) {
    storeVehicle("FIAT Punto", "AB123CD", "ZFA18800000", "2004", "1.2 8V");
    g.station.VehiclePlate = "OLD000";
    DVeicoli form(g, dialogs);
    form.Form_Load();
    EXPECT_EQ(form.Text1.text(), "FIAT Punto");
    EXPECT_EQ(form.Text2.text(), "AB123CD");
    EXPECT_EQ(form.Text3.text(), "ZFA18800000");
    EXPECT_EQ(form.Text4.text(), "2004");
    EXPECT_EQ(form.Text5.text(), "1.2 8V");
}

// The vehicle data are kept however the window closes.
TEST_F(StationDataWindowsTest, VehicleWindowSavesOnConfirmAndOnCloseBox) {
    const std::vector<std::pair<const char*, std::function<void(DVeicoli&)>>> closings = {
        {"confirm", [](DVeicoli& f) { f.Command1_Click(); }},
        {"close box", [](DVeicoli& f) { EXPECT_TRUE(f.Form_QueryUnload()); }},
    };
    for (const auto& [how, close] : closings) {
        SCOPED_TRACE(how);
        storeVehicle("FIAT Punto", "AB123CD", "ZFA18800000", "2004", "1.2 8V");
        DVeicoli form(g, dialogs);
        form.Form_Load();
        form.Text2.setText("EF456GH");
        form.Text4.setText("");
        close(form);
        EXPECT_EQ(g.station.VehiclePlate, "EF456GH");
        EXPECT_EQ(g.station.VehicleYear, "");
        EXPECT_EQ(confValue("VEICOLO", "Targa"), "EF456GH");
        EXPECT_EQ(confValue("VEICOLO", "Anno"), "");
        EXPECT_EQ(confValue("VEICOLO", "FeT"), "FIAT Punto");
        EXPECT_EQ(confValue("VEICOLO", "Mod"), "1.2 8V");
    }
}

TEST_F(StationDataWindowsTest, ConfirmCopiesOperatorDataSavesAndCloses) {
    g.station.OperatorName = "Mario Rossi";
    UTENTE form(g, dialogs);
    form.Form_Load();
    EXPECT_EQ(form.Text1.text(), "Mario Rossi");
    form.Text1.setText("Luca Bianchi");
    form.Text2.setText("Ing. Verdi");
    form.Text3.setText(QString::fromUtf8("Officina Città & Figli"));
    form.Command1_Click();

    EXPECT_TRUE(form.Me.closeRequested());
    EXPECT_EQ(g.station.OperatorName, "Luca Bianchi");
    EXPECT_EQ(confValue("UTENTE", "Operatore"), "Luca Bianchi");
    EXPECT_EQ(confValue("UTENTE", "ResponsabileTecn"), "Ing. Verdi");
    EXPECT_EQ(confValue("UTENTE", "Ente"), QString::fromUtf8("Officina Città & Figli"));
}

TEST_F(StationDataWindowsTest, OperatorCloseBoxKeepsTheOldOperatorInMemoryAndFile) {
    g.station = {};
    g.station.OperatorName = "Mario Rossi";
    SaveOperatorData(g);
    UTENTE form(g, dialogs);
    form.Form_Load();
    form.Text1.setText("Luca Bianchi");
    EXPECT_TRUE(form.Form_QueryUnload());
    EXPECT_EQ(g.station.OperatorName, "Mario Rossi");
    EXPECT_EQ(confValue("UTENTE", "Operatore"), "Mario Rossi");
}

TEST_F(StationDataWindowsTest, AmbientDataAreSavedAsTypedOnlyByConfirm) {
    g.station.AmbientTemperature = "20";
    g.station.AmbientHumidity = "55";
    SaveAmbientData(g);
    {
        DAMB form(g, dialogs);
        form.Form_Load();
        EXPECT_EQ(form.Text1.text(), "20");
        form.Text1.setText("abc");
        EXPECT_TRUE(form.Form_QueryUnload());
        EXPECT_EQ(g.station.AmbientTemperature, "20");
        EXPECT_EQ(confValue("AMBIENTE", "Temperatura"), "20");
    }
    DAMB form(g, dialogs);
    form.Form_Load();
    form.Text1.setText("23,5 circa");
    form.Text2.setText("101.3");
    form.Text3.setText("");
    form.Command1_Click();
    EXPECT_TRUE(form.Me.closeRequested());
    EXPECT_EQ(confValue("AMBIENTE", "Temperatura"), "23,5 circa");
    EXPECT_EQ(confValue("AMBIENTE", "Pressione"), "101.3");
    EXPECT_EQ(confValue("AMBIENTE", QString::fromUtf8("UmiditàRelativa")), "");
    EXPECT_EQ(g.station.AmbientPressure, "101.3");
    EXPECT_TRUE(dialogs.shown.empty());
}
