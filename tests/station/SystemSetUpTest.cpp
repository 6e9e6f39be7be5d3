#include "settings/ConfFile.h"
#include "settings/RCLIni.h"
#include "settings/Scramble.h"
#include "shared/Globals.h"
#include "station/SYS_SET_UP.h"
#include "support/RecordingDialogs.h"
#include "support/StationDirs.h"

#include <QFile>
#include <QLocale>

namespace {

// The option text as stored, unscrambled: the bits' digit and the fixed suffix.
QString storedOptionText() {
    RCLIni ini;
    ini.File = SettingsPath();
    ini.Section = "IMPOSTAZIONI";
    ini.key = "AbiM";
    ini.GetValue();
    return ScrambleSetting(ini.Value);
}

bool ticked(const ui::CheckBox& box) {
    return box.value() == ui::CheckState::Checked;
}

} // namespace

class SystemSetUpTest : public StationDirsTest {
  protected:
    Globals g;
    RecordingDialogs dialogs;
    SYS_SET_UP form{g, dialogs};
};

TEST_F(SystemSetUpTest, StoredBitsTickTheirBoxesAndSavingUnchangedKeepsThem) {
    ASSERT_TRUE(SaveSystemOptions(2 + 4, 2e-9, 0.007));
    form.Form_Load();
    EXPECT_FALSE(ticked(form.CkAbilOpa));
    EXPECT_TRUE(ticked(form.CkAbilKapro));
    EXPECT_TRUE(ticked(form.CkAbilTt));

    form.CSalva_Click();
    EXPECT_TRUE(form.Me.closeRequested());
    EXPECT_EQ(storedOptionText(), "6Tulo");
    EXPECT_EQ(g.settings.SystemOptions, 6);
    Globals fresh;
    LoadSystemOptions(fresh);
    EXPECT_EQ(fresh.settings.SystemOptions, 6);
    EXPECT_DOUBLE_EQ(fresh.settings.HcRangeQuadCoeff, 2e-9);
    EXPECT_DOUBLE_EQ(fresh.settings.HcRangeLinCoeff, 0.007);
}

// Only a fully checked box counts.
TEST_F(SystemSetUpTest, TickedBoxesMakeTheStoredBits) {
    using ui::CheckState;
    const struct {
        CheckState opa, kapro, tt;
        int bits;
    } cases[] = {
        {CheckState::Checked, CheckState::Checked, CheckState::Checked, 7},
        {CheckState::Unchecked, CheckState::Unchecked, CheckState::Unchecked, 0},
        {CheckState::Checked, CheckState::Unchecked, CheckState::Unchecked, 1},
        {CheckState::Grayed, CheckState::Checked, CheckState::Unchecked, 2},
        {CheckState::Checked, CheckState::Grayed, CheckState::Grayed, 1},
        {CheckState::Unchecked, CheckState::Unchecked, CheckState::Checked, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bits);
        form.Form_Load();
        form.CkAbilOpa.setValue(c.opa);
        form.CkAbilKapro.setValue(c.kapro);
        form.CkAbilTt.setValue(c.tt);
        form.CSalva_Click();
        EXPECT_EQ(storedOptionText(), QString::number(c.bits) + "Tulo");
        EXPECT_EQ(g.settings.SystemOptions, c.bits);
    }
}

TEST_F(SystemSetUpTest, MissingOptionsShowTheDefaultCoefficients) {
    form.Form_Load();
    EXPECT_FALSE(ticked(form.CkAbilOpa) || ticked(form.CkAbilKapro) || ticked(form.CkAbilTt));
    EXPECT_EQ(form.TKquad.text(), "1E-09");
    EXPECT_EQ(form.TKlin.text(), "0.008");
}

// Shown with the locale's decimal comma, read back with it: nothing drifts.
TEST_F(SystemSetUpTest, CoefficientsSurviveARoundTripUnderADecimalComma) {
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    ASSERT_TRUE(SaveSystemOptions(1, 1.25e-9, 0.0085));
    form.Form_Load();
    EXPECT_EQ(form.TKlin.text(), "0,0085");
    form.CSalva_Click();
    Globals fresh;
    LoadSystemOptions(fresh);
    EXPECT_DOUBLE_EQ(fresh.settings.HcRangeQuadCoeff, 1.25e-9);
    EXPECT_DOUBLE_EQ(fresh.settings.HcRangeLinCoeff, 0.0085);
    EXPECT_TRUE(dialogs.shown.empty());
}

// A coefficient that is not a number is refused by name; nothing is stored or
// changed and the window stays open for a correction.
TEST_F(SystemSetUpTest, NonNumericCoefficientIsRefusedAndNothingChanges) {
    const struct {
        const char* quad;
        const char* lin;
        const char* message;
    } cases[] = {
        {"abc", "0.008", "Kquad: valore non numerico"},   {"", "0.008", "Kquad: valore non numerico"},
        {"1E-09", "0.008x", "Klin: valore non numerico"}, {"1E-09", "  ", "Klin: valore non numerico"},
        {"nan", "0.008", "Kquad: valore non numerico"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        ASSERT_TRUE(SaveSystemOptions(4, 3e-9, 0.006));
        const QByteArray before = readBytes(workFile("Conf.ini"));
        dialogs.shown.clear();
        form.Me.reopen();
        form.Form_Load();
        form.CkAbilOpa.setValue(ui::CheckState::Checked);
        form.TKquad.setText(c.quad);
        form.TKlin.setText(c.lin);
        form.CSalva_Click();

        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.shown[0].text, c.message);
        EXPECT_FALSE(form.Me.closeRequested());
        EXPECT_EQ(readBytes(workFile("Conf.ini")), before);
        EXPECT_EQ(g.settings.SystemOptions, 4);
        EXPECT_DOUBLE_EQ(g.settings.HcRangeQuadCoeff, 3e-9);
        EXPECT_DOUBLE_EQ(g.settings.HcRangeLinCoeff, 0.006);
    }
    // Corrected, the same window saves.
    form.TKquad.setText("2E-09");
    form.TKlin.setText("0.005");
    form.CSalva_Click();
    EXPECT_TRUE(form.Me.closeRequested());
    EXPECT_EQ(storedOptionText(), "5Tulo");
    EXPECT_DOUBLE_EQ(g.settings.HcRangeQuadCoeff, 2e-9);
}

TEST_F(SystemSetUpTest, CancelAndCloseBoxStoreNothing) {
    ASSERT_TRUE(SaveSystemOptions(2, 1e-9, 0.008));
    const QByteArray before = readBytes(workFile("Conf.ini"));
    form.Form_Load();
    form.CkAbilOpa.setValue(ui::CheckState::Checked);
    form.TKlin.setText("0.5");
    EXPECT_TRUE(form.Form_QueryUnload());
    form.CAnnulla_Click();
    EXPECT_TRUE(form.Me.closeRequested());
    EXPECT_EQ(readBytes(workFile("Conf.ini")), before);
    EXPECT_EQ(g.settings.SystemOptions, 2);
    EXPECT_DOUBLE_EQ(g.settings.HcRangeLinCoeff, 0.008);
}

// The periodic verification settings: defaults, a save that the measuring
// windows read back, the override kept scrambled, and a refused month count.
TEST_F(SystemSetUpTest, VerificationSettingsShowTheirDefaultsAndSurviveASave) {
    form.Form_Load();
    EXPECT_EQ(form.TMesi.text(), "12");
    EXPECT_EQ(form.TGiorni.text(), "30");
    EXPECT_FALSE(ticked(form.CkScaduti));

    form.TMesi.setText("0");
    form.CSalva_Click();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_FALSE(form.Me.closeRequested());
    EXPECT_FALSE(QFile::exists(workFile("Conf.ini")));

    form.TMesi.setText("6");
    form.TGiorni.setText("45");
    form.CkScaduti.setValue(ui::CheckState::Checked);
    form.CSalva_Click();
    EXPECT_TRUE(form.Me.closeRequested());
    Globals fresh;
    LoadVerificationSettings(fresh);
    EXPECT_EQ(fresh.settings.VerificationValidityMonths, 6);
    EXPECT_EQ(fresh.settings.VerificationWarningDays, 45);
    EXPECT_TRUE(fresh.settings.ExpiredInstrumentAllowed);
    EXPECT_FALSE(readBytes(workFile("Conf.ini")).contains("ConsentiScaduti=1"));
}
