#include "link/ANSUView.h"

#include "link/QtSerialPort.h"
#include "link/SetupViewParts.h"
#include "ui/FormLaunch.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>

ANSUView::ANSUView(ANSU& form, QWidget* parent) : InstrumentSetUpView(form, parent) {
    setObjectName(QStringLiteral("ANSU"));
    setupview::addLabelledBoxes(identityGrid(), identityGrid()->parentWidget(),
                                {{form.Label8, form.Text8, QStringLiteral("Label8"), QStringLiteral("Text8")}});
    buttonRow()->addWidget(
        setupview::button(form.Command2, QStringLiteral("Command2"), this, [&form] { form.Command2_Click(); }));
    buttonRow()->addWidget(
        setupview::button(form.CmdApl, QStringLiteral("CmdApl"), this, [&form] { form.CmdApl_Click(); }));
    buttonRow()->addWidget(
        setupview::button(form.Command1, QStringLiteral("Command1"), this, [&form] { form.Command1_Click(); }));
}

void ANSUView::showModal(Globals& g, ui::Dialogs& dialogs, QWidget* parent) {
    ui::showFormModal<ANSU, ANSUView>(parent, g, dialogs, std::make_unique<QtSerialPort>());
}
