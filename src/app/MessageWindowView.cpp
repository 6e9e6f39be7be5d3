#include "app/MessageWindowView.h"

#include "ui/BoundWidget.h"
#include "ui/FormLaunch.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

MessageWindowView::MessageWindowView(MessageWindow& form, QStyle::StandardPixmap icon, QWidget* parent)
    : FormDialog(form.Me, nullptr, parent) {
    // The platform's own message icon stands in for the picture.
    auto* picture = new QLabel(this);
    picture->setObjectName("Picture1");
    const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    picture->setPixmap(style()->standardIcon(icon, nullptr, this).pixmap(size, size));
    picture->setAlignment(Qt::AlignTop);

    auto* text = ui::boundWidget<QLabel>(form.Label1, "Label1", this);
    text->setWordWrap(true);
    text->setMinimumWidth(320);
    text->setMaximumWidth(520);

    auto* ok = ui::boundWidget<QPushButton>(form.Command1, "Command1", this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [&form] { form.Command1_Click(); });
    connect(this, &QDialog::finished, this, [&form] { form.Form_Unload(); });

    auto* message = new QHBoxLayout;
    message->setSpacing(16);
    message->addWidget(picture);
    message->addWidget(text, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(message);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

CriticView::CriticView(Critic& form, QWidget* parent)
    : MessageWindowView(form, QStyle::SP_MessageBoxCritical, parent) {}

void CriticView::showModal(Globals& g, ui::Dialogs& dialogs, QWidget* parent, const QString& caption) {
    Critic form(g, dialogs);
    form.Me.setCaption(caption);
    CriticView view(form, parent);
    form.Form_Load();
    view.exec();
}

ExclamView::ExclamView(Exclam& form, QWidget* parent) : MessageWindowView(form, QStyle::SP_MessageBoxWarning, parent) {}

void ExclamView::showModal(Globals& g, ui::Dialogs& dialogs, QWidget* parent) {
    ui::showFormModal<Exclam, ExclamView>(parent, g, dialogs,
                                          [&g, &dialogs, parent] { ExclamStampaView::showModal(g, dialogs, parent); });
}

ExclamStampaView::ExclamStampaView(ExclamStampa& form, QWidget* parent)
    : MessageWindowView(form, QStyle::SP_MessageBoxInformation, parent) {}

void ExclamStampaView::showModal(Globals& g, ui::Dialogs& dialogs, QWidget* parent) {
    ui::showFormModal<ExclamStampa, ExclamStampaView>(parent, g, dialogs);
}
