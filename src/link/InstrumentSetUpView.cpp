#include "link/InstrumentSetUpView.h"

#include "link/SetupViewParts.h"
#include "ui/Binding.h"
#include "ui/BoundWidget.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

InstrumentSetUpView::InstrumentSetUpView(InstrumentSetUp& form, QWidget* parent)
    : ui::FormDialog(
          form.Me, [] { return true; }, parent),
      listRow_(new QHBoxLayout), identityGrid_(new QGridLayout), buttonRow_(new QHBoxLayout) {
    InstrumentSetUp& f = form;
    listRow_->addWidget(listBox(f.Combo1, QStringLiteral("Combo1"), [&f] { f.Combo1_Click(); }));

    auto* portRow = setupview::portPicker({f.Label5, f.Text5, f.VScroll1, QStringLiteral("Label5"),
                                           QStringLiteral("Text5"), [&f] { f.VScroll1_Change(); },
                                           [&f] { f.VScroll1_GotFocus(); }, [&f] { f.VScroll1_LostFocus(); }},
                                          this);
    portRow->addWidget(setupview::optionFrame(f.FrameBr, QStringLiteral("FrameBr"), this,
                                              {{f.Option1, QStringLiteral("Option1"), [&f] { f.Option1_Click(); }},
                                               {f.Option2, QStringLiteral("Option2"), [&f] { f.Option2_Click(); }},
                                               {f.Option3, QStringLiteral("Option3"), [&f] { f.Option3_Click(); }},
                                               {f.Option4, QStringLiteral("Option4"), [&f] { f.Option4_Click(); }}}));

    // Shown only: clicks change nothing, so the handlers do nothing.
    auto* mode = setupview::optionFrame(
        f.FrameMod, QStringLiteral("FrameMod"), this,
        {{f.Option5, QStringLiteral("Option5"), [] {}}, {f.Option6, QStringLiteral("Option6"), [] {}}});

    auto* identity = ui::boundWidget<QGroupBox>(f.Frame1, QStringLiteral("Frame1"), this);
    identity->setLayout(identityGrid_);
    setupview::addLabelledBoxes(identityGrid_, identity,
                                {{f.Label1, f.Text1, QStringLiteral("Label1"), QStringLiteral("Text1")},
                                 {f.Label2, f.Text2, QStringLiteral("Label2"), QStringLiteral("Text2")},
                                 {f.Label3, f.Text3, QStringLiteral("Label3"), QStringLiteral("Text3")},
                                 {f.Label4, f.Text4, QStringLiteral("Label4"), QStringLiteral("Text4")},
                                 {f.Label6, f.Text6, QStringLiteral("Label6"), QStringLiteral("Text6")},
                                 {f.Label7, f.Text7, QStringLiteral("Label7"), QStringLiteral("Text7")}});

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(listRow_);
    layout->addLayout(portRow);
    layout->addWidget(setupview::deviceChooser(f.Devices, this));
    layout->addWidget(mode);
    layout->addWidget(identity);
    buttonRow_->addStretch();
    layout->addLayout(buttonRow_);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    ui::drive(f.RetryTimer(), this);
    connect(this, &QDialog::finished, this, [&f] { f.Form_Unload(); });
}

QComboBox* InstrumentSetUpView::listBox(ui::ListBox& state, const QString& name, std::function<void()> chosen) {
    auto* widget = ui::boundWidget<QComboBox>(state, name, this);
    // The prompt shows until an entry is chosen.
    widget->setPlaceholderText(ui::plainCaption(state.caption()));
    widget->setMinimumWidth(170);
    connect(widget, &QComboBox::activated, widget, [chosen = std::move(chosen)] { chosen(); });
    return widget;
}
