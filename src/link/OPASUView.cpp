#include "link/OPASUView.h"

#include "link/QtSerialPort.h"
#include "link/SetupViewParts.h"
#include "ui/FormLaunch.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>

OPASUView::OPASUView(OPASU& form, QWidget* parent) : InstrumentSetUpView(form, parent) {
    setObjectName(QStringLiteral("OPASU"));
    listRow()->addWidget(listBox(form.Combo2, QStringLiteral("Combo2"), [&form] { form.Combo2_Click(); }));
    buttonRow()->addWidget(
        setupview::button(form.ComFind, QStringLiteral("ComFind"), this, [&form] { form.ComFind_Click(); }));
    buttonRow()->addWidget(
        setupview::button(form.ComSave, QStringLiteral("ComSave"), this, [&form] { form.ComSave_Click(); }));
    buttonRow()->addWidget(
        setupview::button(form.ComEsc, QStringLiteral("ComEsc"), this, [&form] { form.ComEsc_Click(); }));
}

void OPASUView::showModal(Globals& g, ui::Dialogs& dialogs, QWidget* parent) {
    ui::showFormModal<OPASU, OPASUView>(parent, g, dialogs, std::make_unique<QtSerialPort>());
}
