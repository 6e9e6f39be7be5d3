#include "lang/LanguageTexts.h"
#include "settings/ConfFile.h"
#include "shared/Globals.h"
#include "station/DAMBView.h"
#include "station/DVeicoliView.h"
#include "station/SYS_SET_UPView.h"
#include "station/UTENTEView.h"
#include "support/RecordingDialogs.h"
#include "support/ViewHelpers.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

namespace {

QLineEdit* box(QWidget* view, const char* name) {
    return view->findChild<QLineEdit*>(name);
}

template <typename Widget> void click(QWidget* view, const char* name) {
    auto* widget = view->findChild<Widget*>(name);
    ASSERT_NE(widget, nullptr) << name;
    widget->click();
}

// Every caption the operator reads is filled in.
void expectNoEmptyCaption(QWidget* view) {
    EXPECT_FALSE(view->windowTitle().isEmpty());
    for (const QLabel* label : view->findChildren<QLabel*>())
        EXPECT_FALSE(label->text().isEmpty()) << label->objectName().toStdString();
    for (const QAbstractButton* button : view->findChildren<QAbstractButton*>())
        EXPECT_FALSE(button->text().isEmpty()) << button->objectName().toStdString();
}

} // namespace

class StationViewsTest : public StationDirsTest {
  protected:
    void SetUp() override {
        StationDirsTest::SetUp();
        installLanguageFile();
        g.station.VehicleMakeType = "FIAT Punto 1.2";
        g.station.VehiclePlate = "AB123CD";
        g.station.VehicleChassis = "ZFA18800000123456";
        g.station.VehicleYear = "2004";
        g.station.VehicleModel = "Active";
        g.station.OperatorName = "Mario Rossi";
        g.station.TechnicalManager = "Ing. Anna Verdi";
        g.station.AgencyName = QString::fromUtf8("Centro Revisioni Città");
        g.station.AmbientTemperature = "21";
        g.station.AmbientPressure = "101,3";
        g.station.AmbientHumidity = "55";
        SaveVehicleData(g);
    }

    Globals g;
    RecordingDialogs dialogs;
};

TEST_F(StationViewsTest, WindowsShowFilledCaptionsInItalianAndEnglish) {
    for (const auto& [code, suffix] : {std::pair{1, "it"}, std::pair{2, "en"}}) {
        LoadLanguageTexts(g, code);
        SCOPED_TRACE(suffix);
        {
            DVeicoli form(g, dialogs);
            DVeicoliView view(form);
            form.Form_Load();
            EXPECT_EQ(box(&view, "Text2")->text(), "AB123CD");
            expectNoEmptyCaption(&view);
            EXPECT_TRUE(saveScreenshot(&view, QStringLiteral("station-DVeicoli-%1.png").arg(suffix)));
        }
        {
            UTENTE form(g, dialogs);
            UTENTEView view(form);
            form.Form_Load();
            EXPECT_EQ(box(&view, "Text3")->text(), g.station.AgencyName);
            expectNoEmptyCaption(&view);
            EXPECT_TRUE(saveScreenshot(&view, QStringLiteral("station-UTENTE-%1.png").arg(suffix)));
        }
        {
            DAMB form(g, dialogs);
            DAMBView view(form);
            form.Form_Load();
            EXPECT_EQ(view.findChild<QLabel*>("Label4")->text(), QString::fromUtf8("°C"));
            expectNoEmptyCaption(&view);
            EXPECT_TRUE(saveScreenshot(&view, QStringLiteral("station-DAMB-%1.png").arg(suffix)));
        }
    }
    SYS_SET_UP form(g, dialogs);
    SYS_SET_UPView view(form);
    form.Form_Load();
    expectNoEmptyCaption(&view);
    EXPECT_EQ(view.findChild<QPushButton*>("CSalva")->text(), "&Salva");
    EXPECT_TRUE(saveScreenshot(&view, "station-SYS_SET_UP.png"));
}

TEST_F(StationViewsTest, VehicleCloseBoxKeepsWhatWasTyped) {
    DVeicoli form(g, dialogs);
    DVeicoliView view(form);
    form.Form_Load();
    view.show();
    typeInto(box(&view, "Text2"), "EF456GH");
    EXPECT_TRUE(view.close());
    EXPECT_FALSE(view.isVisible());
    EXPECT_EQ(g.station.VehiclePlate, "EF456GH");
    Globals fresh;
    LoadVehicleData(fresh);
    EXPECT_EQ(fresh.station.VehiclePlate, "EF456GH");
}

TEST_F(StationViewsTest, SystemSetUpSavesTheBoxesTheOperatorTicks) {
    ASSERT_TRUE(SaveSystemOptions(0, 1e-9, 0.008));
    SYS_SET_UP form(g, dialogs);
    SYS_SET_UPView view(form);
    form.Form_Load();
    view.show();
    click<QCheckBox>(&view, "CkAbilOpa");
    click<QCheckBox>(&view, "CkAbilTt");
    typeInto(box(&view, "TKlin"), "0.009");
    click<QPushButton>(&view, "CSalva");
    EXPECT_FALSE(view.isVisible());
    Globals fresh;
    LoadSystemOptions(fresh);
    EXPECT_EQ(fresh.settings.SystemOptions, 5);
    EXPECT_DOUBLE_EQ(fresh.settings.HcRangeLinCoeff, 0.009);
}

// The gas window keeps the vehicle window open beside it; it must clean up after itself.
TEST_F(StationViewsTest, ModelessVehicleWindowGoesAwayWithItsForm) {
    QPointer<DVeicoliView> view = DVeicoliView::showModeless(g, dialogs, nullptr);
    ASSERT_TRUE(view);
    EXPECT_TRUE(view->isVisible());
    EXPECT_EQ(box(view, "Text1")->text(), "FIAT Punto 1.2");
    typeInto(box(view, "Text2"), "ZZ999ZZ");
    view->form().Command1_Click();
    EXPECT_EQ(g.station.VehiclePlate, "ZZ999ZZ");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    EXPECT_TRUE(view.isNull());
}
