#pragma once

// Every window the main window opens goes through this interface, so the main
// window's rules (flags, order, blinking) can be driven and checked without
// widgets. "Modal" calls return when the window has closed.
class WindowFactory {
  public:
    virtual ~WindowFactory() = default;

    // Measuring windows, modeless.
    virtual void showGasWindow() = 0;
    virtual void showSmokeWindow() = 0;
    // The rev counter beside a measuring window: modeless and minimised.
    virtual void showRevCounterMinimised() = 0;
    // The rev counter on its own: modal.
    virtual void showRevCounterModal() = 0;
    // Closes the gas and smoke windows if they are open.
    virtual void unloadMeasuringWindows() = 0;

    // Instrument set-up and recognition, modal.
    virtual void showGasSetUp() = 0;
    virtual void showSmokeSetUp() = 0;
    virtual void showRevCounterSetUp() = 0;
    virtual void showRecognition() = 0;

    // Station data, modal.
    virtual void showOperatorData() = 0;
    virtual void showAmbientData() = 0;
    // The test archive, modal.
    virtual void showArchive() = 0;

    // The service password (writes PasswordResult) and what it protects, modal.
    virtual void showPassword() = 0;
    virtual void showSystemSetUp() = 0;
    virtual void showArchiveSettings() = 0;

    // Modeless.
    virtual void showAbout() = 0;
    virtual void showTest() = 0;
};
