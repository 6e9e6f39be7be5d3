#pragma once

#include "archive/ServerConnection.h"
#include "shared/ArchiveSettings.h"
#include "ui/Controls.h"
#include "ui/Timer.h"

#include <future>
#include <optional>

struct Globals;
namespace ui {
class Dialogs;
}

// Where this PC keeps its tests: its own SQLite file, or the test centre's
// PostgreSQL server as one of its lanes. The connection test runs on a thread
// of its own, since a server that does not answer holds it for seconds; the
// window polls for the answer and stays open until it has come.
class ARCHIVIOSET {
  public:
    // Entries of Combo1, in order.
    enum KindChoice { LocalFile, CentreServer };
    static constexpr int LaneLimit = 64;
    static constexpr int PollMs = 100;

    ARCHIVIOSET(Globals& g, ui::Dialogs& dialogs);
    ~ARCHIVIOSET();
    ARCHIVIOSET(const ARCHIVIOSET&) = delete;
    ARCHIVIOSET& operator=(const ARCHIVIOSET&) = delete;

    ui::Window Me;
    ui::Label Label7; // kind
    ui::ListBox Combo1;
    ui::Label Label1; // host
    ui::TextBox Text1;
    ui::Label Label2; // port
    ui::TextBox Text2;
    ui::Label Label3; // database
    ui::TextBox Text3;
    ui::Label Label4; // user
    ui::TextBox Text4;
    ui::Label Label5; // lane
    ui::TextBox Text5;
    ui::Label Label6; // password file
    ui::TextBox Text6;
    ui::Label Label8;    // what the connection test found, in words
    ui::Label Label9;    // the server's own words
    ui::Button Command1; // test the connection
    ui::Button Command2; // save
    ui::Button Command3{QStringLiteral("ESC")};
    // Polls the running connection test.
    ui::Timer Timer1{PollMs, false};

    void Form_Load();
    // The field boxes only mean something for the server.
    void Combo1_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Timer1_Timer();
    // The window cannot close while the connection test runs.
    bool Form_QueryUnload();

    bool testing() const { return check_.valid(); }

  private:
    QString text(const char16_t* key) const;
    // The settings the boxes hold, or nullopt after telling the operator what to correct.
    std::optional<ArchiveSettings> readBoxes();
    void showKind();
    void showResult(const archive::ServerCheck& check);

    Globals& g_;
    ui::Dialogs& dialogs_;
    std::future<archive::ServerCheck> check_;
};
