#include "app/QtWindowFactory.h"

#include "app/PasswordView.h"
#include "app/QtArchiveSheets.h"
#include "app/QtSmokeWindowLinks.h"
#include "app/TESTView.h"
#include "app/frmAboutView.h"
#include "archive/ARCHIVIOSETView.h"
#include "archive/ARCHIVIOView.h"
#include "gas/ANGASView.h"
#include "link/ANSUView.h"
#include "link/OPASUView.h"
#include "link/RPMSUView.h"
#include "link/RiconosciMCTCView.h"
#include "rpm/RPMView.h"
#include "shared/Globals.h"
#include "smoke/ANFUMOView.h"
#include "station/DAMBView.h"
#include "station/SYS_SET_UPView.h"
#include "station/UTENTEView.h"
#include "ui/Dialogs.h"

QtWindowFactory::QtWindowFactory(Globals& g, ui::Dialogs& dialogs) : g_(g), dialogs_(dialogs) {}

void QtWindowFactory::showGasWindow() {
    // One gas window at a time: it owns the analyser's port.
    if (gasWindow_) {
        gasWindow_->raise();
        return;
    }
    gasWindow_ = ANGASView::showModeless(g_, dialogs_, mainWindow_);
}

void QtWindowFactory::showSmokeWindow() {
    // One smoke window at a time: it owns the opacimeter's port.
    if (smokeWindow_) {
        smokeWindow_->raise();
        return;
    }
    auto links = std::make_unique<QtSmokeWindowLinks>(g_, dialogs_);
    QtSmokeWindowLinks* opened = links.get();
    ANFUMOView* view = ANFUMOView::showModeless(g_, dialogs_, std::move(links), mainWindow_);
    opened->setWindow(view);
    smokeWindow_ = view;
}

void QtWindowFactory::showRevCounterMinimised() {
    RPMView::showMinimised(g_, dialogs_, mainWindow_);
}
void QtWindowFactory::showRevCounterModal() {
    RPMView::showModal(g_, dialogs_, mainWindow_);
}

void QtWindowFactory::unloadMeasuringWindows() {
    // Closing runs each window's own closing steps (limits saved, port closed, flag cleared).
    for (QWidget* window : {gasWindow_.data(), smokeWindow_.data()})
        if (window)
            window->close();
}

void QtWindowFactory::showGasSetUp() {
    ANSUView::showModal(g_, dialogs_, mainWindow_);
}
void QtWindowFactory::showSmokeSetUp() {
    OPASUView::showModal(g_, dialogs_, mainWindow_);
}
void QtWindowFactory::showRevCounterSetUp() {
    RPMSUView::showModal(g_, dialogs_, mainWindow_);
}
void QtWindowFactory::showRecognition() {
    RiconosciMCTCView::showModal(g_, mainWindow_);
}

void QtWindowFactory::showOperatorData() {
    UTENTEView::showModal(g_, dialogs_, mainWindow_);
}
void QtWindowFactory::showAmbientData() {
    DAMBView::showModal(g_, dialogs_, mainWindow_);
}
void QtWindowFactory::showPassword() {
    PasswordView::showModal(g_, mainWindow_);
}
void QtWindowFactory::showSystemSetUp() {
    SYS_SET_UPView::showModal(g_, dialogs_, mainWindow_);
}
void QtWindowFactory::showArchiveSettings() {
    ARCHIVIOSETView::showModal(g_, dialogs_, mainWindow_);
}
void QtWindowFactory::showArchive() {
    QtArchiveSheets sheets(dialogs_, mainWindow_);
    ARCHIVIOView::showModal(g_, dialogs_, sheets, mainWindow_);
}

void QtWindowFactory::showAbout() {
    frmAboutView::showModeless(g_, dialogs_, mainWindow_);
}
void QtWindowFactory::showTest() {
    TESTView::showModeless(mainWindow_);
}
