#include "app/frmAboutView.h"

#include "ui/BoundWidget.h"
#include "ui/FormLaunch.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

// The program's logo; the platform's computer icon when the picture is not installed.
QLabel* programIcon(ui::Picture& state, QWidget* parent) {
    auto* picture = new QLabel(parent);
    picture->setObjectName("picIcon");
    picture->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    if (!ui::findDataFile(state.picture()).isEmpty())
        ui::bind(state, picture);
    else
        picture->setPixmap(parent->style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(48, 48));
    return picture;
}

} // namespace

frmAboutView::frmAboutView(frmAbout& form, QWidget* parent) : FormDialog(form.Me, nullptr, parent) {
    auto* title = ui::boundWidget<QLabel>(form.lblTitle, "lblTitle", this);
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    title->setFont(titleFont);
    auto* version = ui::boundWidget<QLabel>(form.lblVersion, "lblVersion", this);
    auto* description = ui::boundWidget<QLabel>(form.lblDescription, "lblDescription", this);
    description->setWordWrap(true);
    description->setMinimumWidth(340);

    auto* texts = new QVBoxLayout;
    texts->addWidget(title);
    texts->addWidget(version);
    texts->addSpacing(8);
    texts->addWidget(description);
    texts->addStretch();
    auto* top = new QHBoxLayout;
    top->setSpacing(16);
    top->addWidget(programIcon(form.picIcon, this));
    top->addLayout(texts, 1);

    auto* rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);

    auto* disclaimer = ui::boundWidget<QLabel>(form.lblDisclaimer, "lblDisclaimer", this);
    disclaimer->setWordWrap(true);
    auto* ok = ui::boundWidget<QPushButton>(form.cmdOK, "cmdOK", this);
    auto* sysInfo = ui::boundWidget<QPushButton>(form.cmdSysInfo, "cmdSysInfo", this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [&form] { form.cmdOK_Click(); });
    connect(sysInfo, &QPushButton::clicked, this, [&form] { form.cmdSysInfo_Click(); });
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(sysInfo);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(disclaimer, 1);
    bottom->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(rule);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

frmAboutView* frmAboutView::showModeless(Globals& g, ui::Dialogs& dialogs, QWidget* parent) {
    static QPointer<frmAboutView> open;
    if (open) {
        open->raise();
        open->activateWindow();
        return open;
    }
    open = ui::showFormModeless<frmAbout, frmAboutView>(parent, g, dialogs);
    return open;
}
