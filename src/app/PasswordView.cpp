#include "app/PasswordView.h"

#include "ui/Binding.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

PasswordView::PasswordView(Password& form, QWidget* parent)
    : ui::FormDialog(
          form.Me, [&form] { return form.Form_QueryUnload(); }, parent) {
    auto* text1 = new QLineEdit(this);
    text1->setObjectName(QStringLiteral("Text1"));
    text1->setMinimumWidth(220);
    // One '*' per typed character, whatever the style's own mask character.
    text1->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
    auto* ok = new QPushButton(this);
    ok->setObjectName(QStringLiteral("OK"));
    ok->setDefault(true);
    auto* annulla = new QPushButton(this);
    annulla->setObjectName(QStringLiteral("Annulla"));
    annulla->setAutoDefault(false);

    ui::bind(form.Text1, text1);
    ui::bind(form.OK, ok);
    ui::bind(form.Annulla, annulla);
    connect(ok, &QPushButton::clicked, this, [&form] { form.OK_Click(); });
    connect(annulla, &QPushButton::clicked, this, [&form] { form.Annulla_Click(); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(annulla);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text1);
    layout->addLayout(buttons);
    text1->setFocus();
}

void PasswordView::showModal(Globals& g, QWidget* parent) {
    Password form(g);
    PasswordView view(form, parent);
    view.exec();
}
