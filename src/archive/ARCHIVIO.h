#pragma once

#include "archive/ArchiveListing.h"
#include "archive/ArchiveSheetWindows.h"
#include "archive/TestArchive.h"
#include "ui/Controls.h"

#include <QList>

#include <memory>

struct Globals;
namespace ui {
class Dialogs;
}

// The archive window: the kept tests, newest first, filtered by the days they
// ended, plate and verdict; a chosen record opens on its sheet, rebuilt from
// the record. Every listed record is checked against the chain; one that fails
// is listed in red and its sheet is marked and cannot be printed. A lane of a
// test centre lists the centre's server, every lane, with a lane filter; its
// own tests not yet sent are listed in yellow, and another lane's, whose key
// this PC does not hold, in grey: they open marked as not checkable here.
class ARCHIVIO {
  public:
    // More rows than a person reads; the filters narrow the rest.
    static constexpr int ListLimit = 500;
    // Entries of Combo1, in order.
    enum VerdictChoice { AllVerdicts, Passed, NotPassed, Interrupted, NoVerdict };

    ARCHIVIO(Globals& g, ui::Dialogs& dialogs, ArchiveSheetWindows& sheets,
             QString archivePath = archive::DefaultArchivePath());
    ~ARCHIVIO();
    ARCHIVIO(const ARCHIVIO&) = delete;
    ARCHIVIO& operator=(const ARCHIVIO&) = delete;

    ui::Window Me;
    ui::Label Label1;  // from
    ui::Label Label2;  // to
    ui::Label Label3;  // plate
    ui::Label Label4;  // verdict
    ui::TextBox Text1; // from, dd/mm/yyyy
    ui::TextBox Text2; // to
    ui::TextBox Text3; // plate (start of)
    ui::ListBox Combo1;
    ui::Label Label6;   // lane (a centre's server only)
    ui::ListBox Combo2; // every lane, then each by name
    ui::Label Label5;   // how many shown, of how many, and how many fail
    // One entry per listed record, its columns separated by tabs.
    ui::ListBox List1;
    ui::Button Command1; // search
    ui::Button Command2; // open the chosen record
    ui::Button Command3{QStringLiteral("ESC")};

    // Column captions of List1.
    QStringList Columns;
    // The records List1 lists, in its order.
    QList<archive::ListedRecord> Rows;
    ui::Colour rowColour(int row) const;

    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void List1_DblClick() { Command2_Click(); }
    void Command3_Click() { Me.requestClose(); }

  private:
    QString text(const char16_t* key) const;
    bool readFilter(archive::ArchiveFilter& filter);
    QString entryOf(const archive::ListedRecord& listed) const;
    void showLanes();

    Globals& g_;
    ui::Dialogs& dialogs_;
    ArchiveSheetWindows& sheets_;
    QString path_;
    std::unique_ptr<archive::ArchiveListing> archive_;
};
