#pragma once

#include <QMainWindow>

class Menu;

// The start-up window: menu bar, title, logo, blinking picture and the
// buttons of the measuring windows.
class MenuView : public QMainWindow {
  public:
    explicit MenuView(Menu& form, QWidget* parent = nullptr);

  protected:
    // Closing the window is the exit sequence.
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildMenus();
    QWidget* buildContent();

    Menu& form_;
};
