// The message windows the opacimeter's alarms and notices raise. An alarm, and
// the notice that the probe must come out, stop the scheduler as soon as they
// are raised, so no request goes out until the operator has acknowledged; the
// other notices leave it running, so live values and timed phases go on while
// they are open. A window is shown once the event that raised it has been
// handled, so a reply arriving meanwhile finds the window in order.

#include "smoke/ANFUMO.h"

#include "shared/Globals.h"
#include "smoke/SmokeTexts.h"
#include "smoke/SmokeWindowLinks.h"

void ANFUMO::raiseCritic(const QString& caption, const QString& text) {
    g_.app.CriticText = text;
    Timer1.setEnabled(false);
    popups_.push_back({Popup::Critic, caption, text});
}

void ANFUMO::raiseExclam() {
    const auto& text = g_.lang.UiText;
    g_.app.ExclamText = text[smoke_text::ExclStamp1];
    g_.app.ExclamPrintText = text[smoke_text::ExclStamp4];
    g_.app.ExclamShown = -1;
    popups_.push_back({Popup::Exclam, {}, {}});
}

void ANFUMO::raiseExclamStampa(SchedulerWhileOpen scheduler) {
    if (scheduler == SchedulerWhileOpen::Stopped)
        Timer1.setEnabled(false);
    popups_.push_back({Popup::ExclamStampa, {}, g_.app.ExclamPrintText});
}

void ANFUMO::showPendingPopups() {
    // A window shown from here runs its own event loop; one raised meanwhile
    // joins the queue instead of opening over it.
    if (showingPopups_)
        return;
    showingPopups_ = true;
    while (!popups_.empty() && loaded_) {
        const PendingPopup popup = popups_.front();
        popups_.erase(popups_.begin());
        switch (popup.kind) {
        case Popup::Critic:
            g_.app.CriticText = popup.text;
            links_->showCritic(popup.caption);
            break;
        case Popup::Exclam: links_->showExclam(); break;
        case Popup::ExclamStampa:
            g_.app.ExclamPrintText = popup.text;
            links_->showExclamStampa();
            break;
        }
    }
    popups_.clear();
    showingPopups_ = false;
}
