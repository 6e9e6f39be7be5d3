#pragma once

#include "app/WindowFactory.h"

#include <QPointer>
#include <QWidget>

struct Globals;
namespace ui {
class Dialogs;
}

// Opens the real windows, each parented to the main window.
class QtWindowFactory : public WindowFactory {
  public:
    QtWindowFactory(Globals& g, ui::Dialogs& dialogs);

    // The window the others open over; set once the main window exists.
    void setMainWindow(QWidget* mainWindow) { mainWindow_ = mainWindow; }

    void showGasWindow() override;
    void showSmokeWindow() override;
    void showRevCounterMinimised() override;
    void showRevCounterModal() override;
    void unloadMeasuringWindows() override;

    void showGasSetUp() override;
    void showSmokeSetUp() override;
    void showRevCounterSetUp() override;
    void showRecognition() override;

    void showOperatorData() override;
    void showAmbientData() override;
    void showArchive() override;

    void showPassword() override;
    void showSystemSetUp() override;
    void showArchiveSettings() override;

    void showAbout() override;
    void showTest() override;

  private:
    Globals& g_;
    ui::Dialogs& dialogs_;
    QPointer<QWidget> mainWindow_;
    QPointer<QWidget> gasWindow_;
    QPointer<QWidget> smokeWindow_;
};
