#pragma once

#include "shared/Globals.h"
#include "ui/Controls.h"

#include <QString>

namespace ui {
class Dialogs;
class WindowPrinter;
} // namespace ui

// A line chart bound to a table of rows: columns 1 to 4 drawn against column 0.
// The view redraws it whenever the table or a title changes.
class ChartControl : public ui::Control {
  public:
    using Table = SmokeState::ChartTable;

    const Table& data() const { return data_; }
    void setData(const Table& data) { assign(data_, data); }
    const QString& title() const { return title_; }
    void setTitle(const QString& title) { assign(title_, title); }
    const QString& timeTitle() const { return timeTitle_; }
    void setTimeTitle(const QString& title) { assign(timeTitle_, title); }
    const QString& opacityTitle() const { return opacityTitle_; }
    void setOpacityTitle(const QString& title) { assign(opacityTitle_, title); }
    const QString& speedTitle() const { return speedTitle_; }
    void setSpeedTitle(const QString& title) { assign(speedTitle_, title); }

  private:
    Table data_{};
    QString title_;
    QString timeTitle_;
    QString opacityTitle_;
    QString speedTitle_;
};

// The single-acceleration chart: opacity and engine speed of the last recorded
// free acceleration against time, with the two speed limits, the live engine
// speed and the smoke window's prompt colour.
class Grafic {
  public:
    enum Column { Time = 0, Opacity = 1, Speed = 2, SpeedMin = 3, SpeedMax = 4 };
    // The limit labels are written in the colour of their lines.
    static constexpr ui::Colour SpeedMinColour = 0x008000; // dark green
    static constexpr ui::Colour SpeedMaxColour = ui::colour::Orange;

    Grafic(Globals& g, ui::Dialogs& dialogs);
    Grafic(const Grafic&) = delete;
    Grafic& operator=(const Grafic&) = delete;

    ui::Window Me;
    ChartControl MSChart1;
    ui::Label Label5{QStringLiteral("RPMmin")};
    ui::Label Label6{QStringLiteral("RPMmax")};
    ui::Label Label3;  // current engine speed
    ui::Label Label39; // the smoke window's prompt
    ui::Label Label4;  // title of the engine speed
    ui::Button Command1{QStringLiteral("&ESC")};
    ui::Button Command2; // print

    void Form_Load();
    void Command1_Click();
    void Command2_Click();

    // What prints the window as it looks; the view provides it.
    void setPrinter(ui::WindowPrinter* printer) { printer_ = printer; }

  private:
    Globals& g_;
    ui::Dialogs& dialogs_;
    ui::WindowPrinter* printer_ = nullptr;
};
