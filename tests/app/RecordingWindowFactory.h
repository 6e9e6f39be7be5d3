#pragma once

#include "app/WindowFactory.h"
#include "shared/Globals.h"
#include "ui/Timer.h"

#include <QString>

#include <functional>
#include <vector>

// Records which window the main window asked for and the window flags at that
// moment. Hooks stand in for what a window does while it is open.
class RecordingWindowFactory : public WindowFactory {
  public:
    struct Opened {
        QString window;
        std::int16_t gasActive;
        std::int16_t smokeActive;
        std::int16_t smokeFirstStart;
        bool blinking;
    };

    explicit RecordingWindowFactory(Globals& g) : g_(g) {}

    void showGasWindow() override { record("gas"); }
    void showSmokeWindow() override { record("smoke"); }
    void showRevCounterMinimised() override { record("rpm minimised"); }
    void showRevCounterModal() override {
        record("rpm modal");
        if (whileRevCounterModal)
            whileRevCounterModal();
    }
    void unloadMeasuringWindows() override {
        record("unload gas and smoke");
        if (whileUnloading)
            whileUnloading();
    }
    void showGasSetUp() override { record("gas set-up"); }
    void showSmokeSetUp() override { record("smoke set-up"); }
    void showRevCounterSetUp() override { record("rpm set-up"); }
    void showRecognition() override { record("recognition"); }
    void showOperatorData() override { record("operator"); }
    void showAmbientData() override { record("ambient"); }
    void showArchive() override { record("archive"); }
    void showPassword() override {
        record("password");
        if (whilePassword)
            whilePassword();
    }
    void showSystemSetUp() override { record("system set-up"); }
    void showArchiveSettings() override { record("archive settings"); }
    void showAbout() override { record("about"); }
    void showTest() override { record("test"); }

    std::vector<QString> names() const {
        std::vector<QString> result;
        for (const auto& entry : opened)
            result.push_back(entry.window);
        return result;
    }

    std::vector<Opened> opened;
    // What the operator does in the modal password window.
    std::function<void()> whilePassword;
    std::function<void()> whileRevCounterModal;
    std::function<void()> whileUnloading;

  private:
    void record(const char* window) {
        const bool blinking = g_.app.MainBlinkTimer && g_.app.MainBlinkTimer->enabled();
        opened.push_back({QString::fromLatin1(window), g_.app.GasWindowActive, g_.app.SmokeWindowActive,
                          g_.app.SmokeFirstStart, blinking});
    }

    Globals& g_;
};
