#pragma once

#include "ui/Dialogs.h"

#include <QString>

#include <deque>
#include <vector>

// Records every message box a form shows and answers from a script (Ok when
// the script is empty).
class RecordingDialogs : public ui::Dialogs {
public:
    struct Shown {
        QString text;
        QString title;
        ui::Icon icon;
        ui::Buttons buttons;
    };

    ui::Answer message(const QString& text, const QString& title, ui::Icon icon, ui::Buttons buttons) override {
        shown.push_back({text, title, icon, buttons});
        if (answers.empty())
            return buttons == ui::Buttons::YesNo ? ui::Answer::Yes : ui::Answer::Ok;
        const ui::Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void beep() override { ++beeps; }

    std::vector<Shown> shown;
    std::deque<ui::Answer> answers;
    int beeps = 0;
};
