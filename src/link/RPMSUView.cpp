#include "link/RPMSUView.h"

#include "link/QtSerialPort.h"
#include "link/SetupViewParts.h"
#include "ui/Binding.h"
#include "ui/BoundWidget.h"
#include "ui/FormLaunch.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

RPMSUView::RPMSUView(RPMSU& form, QWidget* parent)
    : ui::FormDialog(
          form.Me, [] { return true; }, parent) {
    setObjectName(QStringLiteral("RPMSU"));
    RPMSU& f = form;

    auto* identity = ui::boundWidget<QGroupBox>(f.Frame1, QStringLiteral("Frame1"), this);
    auto* identityGrid = new QGridLayout(identity);
    setupview::addLabelledBoxes(identityGrid, identity,
                                {{f.Label1, f.Text1, QStringLiteral("Label1"), QStringLiteral("Text1")},
                                 {f.Label2, f.Text2, QStringLiteral("Label2"), QStringLiteral("Text2")},
                                 {f.Label3, f.Text3, QStringLiteral("Label3"), QStringLiteral("Text3")},
                                 {f.Label4, f.Text4, QStringLiteral("Label4"), QStringLiteral("Text4")}});

    auto* engine = new QHBoxLayout;
    engine->addWidget(ui::boundWidget<QLabel>(f.Label5, QStringLiteral("Label5"), this));
    auto* count = ui::boundWidget<QLineEdit>(f.Text5, QStringLiteral("Text5"), this);
    count->setFixedWidth(40);
    count->setAlignment(Qt::AlignCenter);
    engine->addWidget(count);
    for (QPushButton* step :
         {setupview::button(f.Command2, QStringLiteral("Command2"), this, [&f] { f.Command2_Click(); }),
          setupview::button(f.Command3, QStringLiteral("Command3"), this, [&f] { f.Command3_Click(); })}) {
        step->setFixedSize(32, 28);
        engine->addWidget(step);
    }
    engine->addSpacing(12);
    engine->addWidget(setupview::optionFrame(f.Frame2, QStringLiteral("Frame2"), this,
                                             {{f.Option7, QStringLiteral("Option7"), [&f] { f.Option7_Click(); }},
                                              {f.Option6, QStringLiteral("Option6"), [&f] { f.Option6_Click(); }}}));

    auto* supplies = new QGridLayout;
    supplies->addWidget(ui::boundWidget<QLabel>(f.Label7, QStringLiteral("Label7"), this), 0, 0);
    supplies->addWidget(setupview::checkBox(f.Check1, QStringLiteral("Check1"), this, [&f] { f.Check1_Click(); }), 0,
                        1);
    supplies->addWidget(ui::boundWidget<QLabel>(f.Label8, QStringLiteral("Label8"), this), 1, 0);
    supplies->addWidget(setupview::checkBox(f.Check2, QStringLiteral("Check2"), this, [&f] { f.Check2_Click(); }), 1,
                        1);
    auto* reading = new QHBoxLayout;
    reading->addLayout(supplies);
    reading->addSpacing(12);
    reading->addWidget(
        setupview::optionFrame(f.FrameTO, QStringLiteral("FrameTO"), this,
                               {{f.Option8, QStringLiteral("Option8"), [&f] { f.Option8_Click(); }},
                                {f.Option9, QStringLiteral("Option9"), [&f] { f.Option9_Click(); }},
                                {f.Option10, QStringLiteral("Option10"), [&f] { f.Option10_Click(); }}}));

    auto* portRow = setupview::portPicker({f.Label6, f.Text6, f.VScroll1, QStringLiteral("Label6"),
                                           QStringLiteral("Text6"), [&f] { f.VScroll1_Change(); },
                                           [&f] { f.VScroll1_GotFocus(); }, [&f] { f.VScroll1_LostFocus(); }},
                                          this);
    portRow->addWidget(setupview::optionFrame(f.FrameBR, QStringLiteral("FrameBR"), this,
                                              {{f.Option1, QStringLiteral("Option1"), [&f] { f.Option1_Click(); }},
                                               {f.Option2, QStringLiteral("Option2"), [&f] { f.Option2_Click(); }},
                                               {f.Option3, QStringLiteral("Option3"), [&f] { f.Option3_Click(); }},
                                               {f.Option4, QStringLiteral("Option4"), [&f] { f.Option4_Click(); }}}));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(setupview::button(f.Command1, QStringLiteral("Command1"), this, [&f] { f.Command1_Click(); }));
    buttons->addWidget(setupview::button(f.CmdApl, QStringLiteral("CmdApl"), this, [&f] { f.CmdApl_Click(); }));
    buttons->addWidget(setupview::button(f.Command4, QStringLiteral("Command4"), this, [&f] { f.Command4_Click(); }));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(identity);
    layout->addLayout(engine);
    layout->addLayout(reading);
    layout->addLayout(portRow);
    layout->addWidget(setupview::deviceChooser(f.Devices, this));
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    ui::drive(f.RetryTimer(), this);
    connect(this, &QDialog::finished, this, [&f] { f.Form_Unload(); });
}

void RPMSUView::showModal(Globals& g, ui::Dialogs& dialogs, QWidget* parent) {
    ui::showFormModal<RPMSU, RPMSUView>(parent, g, dialogs, std::make_unique<QtSerialPort>());
}
