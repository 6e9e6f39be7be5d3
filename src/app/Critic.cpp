#include "app/Critic.h"

#include "shared/Globals.h"
#include "ui/Timer.h"

Critic::Critic(Globals& g, ui::Dialogs&) : MessageWindow(g, QString()) {}

void Critic::Form_Load() {
    Label1.setCaption(g_.app.CriticText);
}

void Critic::Form_Unload() {
    if (g_.app.SmokeScheduler)
        g_.app.SmokeScheduler->setEnabled(true);
}
