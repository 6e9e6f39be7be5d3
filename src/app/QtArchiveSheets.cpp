#include "app/QtArchiveSheets.h"

#include "report/GasSheetViews.h"
#include "report/StampaOpaBView.h"
#include "smoke/GraficView.h"

namespace {

// A record that failed its check says so in its title and keeps its print button off.
template <typename Form> void markInvalid(Form& form, ui::Control& title, bool valid, const QString& invalidText) {
    if (valid)
        return;
    title.setCaption(title.caption() + QStringLiteral(" - ") + invalidText);
    form.Command2.setEnabled(false);
}

template <typename Form, typename View>
void showPrintout(Form& form, QWidget* parent, bool valid, const QString& invalidText) {
    View view(form, parent);
    markInvalid(form, form.Title, valid, invalidText);
    view.exec();
}

} // namespace

void QtArchiveSheets::showSheet(ConcludedTest::Kind kind, Globals& restored, const QString& date, bool valid,
                                const QString& invalidText) {
    switch (kind) {
    case ConcludedTest::Kind::GasCertificate: {
        PrtKAPROCERT form(restored, dialogs_);
        form.Form_Load();
        showPrintout<PrtKAPROCERT, PrtKAPROCERTView>(form, parent_, valid, invalidText);
        return;
    }
    case ConcludedTest::Kind::GasDiagnosis: {
        PrtKAPRODIAGN form(restored, dialogs_);
        form.Form_Load();
        showPrintout<PrtKAPRODIAGN, PrtKAPRODIAGNView>(form, parent_, valid, invalidText);
        return;
    }
    case ConcludedTest::Kind::Smoke: {
        StampaOpaB form(restored, dialogs_);
        form.Form_LoadArchived(date);
        showPrintout<StampaOpaB, StampaOpaBView>(form, parent_, valid, invalidText);
        return;
    }
    case ConcludedTest::Kind::Chart: {
        Grafic form(restored, dialogs_);
        GraficView view(form, parent_);
        form.Form_Load();
        markInvalid(form, form.Me, valid, invalidText);
        view.exec();
        return;
    }
    }
}
