#pragma once

#include "ui/Controls.h"

#include <QString>

#include <array>

struct Globals;
struct StationState;

// A station-data window of three labelled boxes: it shows the data in memory
// (the file is read only at start-up), keeps what the operator typed and saves
// it on OK; the close box discards the edits.
class StationFieldsForm {
  public:
    ui::Window Me;
    ui::Label Label1, Label2, Label3;
    ui::TextBox Text1, Text2, Text3;
    ui::Button Command1;

    void Form_Load();
    void Command1_Click();
    bool Form_QueryUnload() { return true; }

  protected:
    struct Fields {
        int captionText;                               // language text of the window caption
        std::array<int, 3> labelTexts;                 // language texts of Label1..Label3
        std::array<QString StationState::*, 3> values; // what Text1..Text3 edit
        bool (*save)(const Globals&);
    };
    StationFieldsForm(Globals& g, const Fields& fields) : g_(g), fields_(fields) {}

  private:
    std::array<ui::Label*, 3> labels() { return {&Label1, &Label2, &Label3}; }
    std::array<ui::TextBox*, 3> boxes() { return {&Text1, &Text2, &Text3}; }

    Globals& g_;
    Fields fields_;
};
