#include "app/MenuView.h"

#include "app/Menu.h"
#include "ui/Binding.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include <functional>

namespace {

// A picture that reports a left click, as the logo opens the about box.
class ClickableLabel : public QLabel {
  public:
    ClickableLabel(std::function<void()> onClick, QWidget* parent) : QLabel(parent), onClick_(std::move(onClick)) {
        setCursor(Qt::PointingHandCursor);
    }

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            onClick_();
        QLabel::mouseReleaseEvent(event);
    }

  private:
    std::function<void()> onClick_;
};

QAction* addItem(QMenu* menu, ui::MenuItem& state, const char* name, std::function<void()> handler) {
    QAction* action = menu->addAction(QString());
    action->setObjectName(QString::fromLatin1(name));
    ui::bind(state, action);
    QObject::connect(action, &QAction::triggered, action, [handler = std::move(handler)] { handler(); });
    return action;
}

QMenu* addMenu(QMenuBar* bar, ui::MenuItem& state, const char* name) {
    QMenu* menu = bar->addMenu(QString());
    menu->setObjectName(QString::fromLatin1(name));
    ui::bind(state, menu->menuAction());
    return menu;
}

QPushButton* addButton(QWidget* parent, ui::Button& state, const char* name, std::function<void()> handler) {
    auto* button = new QPushButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setMinimumSize(96, 40);
    ui::bind(state, button);
    QObject::connect(button, &QPushButton::clicked, button, [handler = std::move(handler)] { handler(); });
    return button;
}

} // namespace

MenuView::MenuView(Menu& form, QWidget* parent) : QMainWindow(parent), form_(form) {
    ui::bind(form.Me, this);
    buildMenus();
    setCentralWidget(buildContent());
    ui::drive(form.Timer1, this);
}

void MenuView::buildMenus() {
    Menu& f = form_;
    QMenuBar* bar = menuBar();
    QMenu* kapro = addMenu(bar, f.KAPRO, "KAPRO");
    addItem(kapro, f.MISURAG, "MISURAG", [&f] { f.MISURAG_Click(); });
    addItem(kapro, f.SETG, "SETG", [&f] { f.SETG_Click(); });
    QMenu* opa = addMenu(bar, f.OPA, "OPA");
    addItem(opa, f.MISURAO, "MISURAO", [&f] { f.MISURAO_Click(); });
    addItem(opa, f.SETO, "SETO", [&f] { f.SETO_Click(); });
    QMenu* giri = addMenu(bar, f.GIRI, "GIRI");
    addItem(giri, f.MISURAR, "MISURAR", [&f] { f.MISURAR_Click(); });
    addItem(giri, f.SETR, "SETR", [&f] { f.SETR_Click(); });
    QMenu* lingua = addMenu(bar, f.LINGUA, "LINGUA");
    addItem(lingua, f.LINGITA, "LINGITA", [&f] { f.LINGITA_Click(); });
    addItem(lingua, f.LINGING, "LINGING", [&f] { f.LINGING_Click(); });
    addItem(lingua, f.LINGSPA, "LINGSPA", [&f] { f.LINGSPA_Click(); });
    QMenu* utility = addMenu(bar, f.UTILITY, "UTILITY");
    addItem(utility, f.DVEIC, "DVEIC", [&f] { f.DVEIC_Click(); });
    addItem(utility, f.DAMBIENT, "DAMBIENT", [&f] { f.DAMBIENT_Click(); });
    addItem(utility, f.RICONOSCI, "RICONOSCI", [&f] { f.RICONOSCI_Click(); });
    addItem(utility, f.SYSSU, "SYSSU", [&f] { f.SYSSU_Click(); });
    addItem(utility, f.ARCHIVIO, "ARCHIVIO", [&f] { f.ARCHIVIO_Click(); });
    addItem(utility, f.ARCHIVIOSET, "ARCHIVIOSET", [&f] { f.ARCHIVIOSET_Click(); });
}

QWidget* MenuView::buildContent() {
    Menu& f = form_;
    auto* content = new QWidget(this);

    auto* image1 = new ClickableLabel([&f] { f.Image1_Click(); }, content);
    image1->setObjectName(QStringLiteral("Image1"));
    ui::bind(f.Image1, image1);

    auto* labelTit = new QLabel(content);
    labelTit->setObjectName(QStringLiteral("LabelTit"));
    labelTit->setWordWrap(true);
    labelTit->setAlignment(Qt::AlignCenter);
    QFont titleFont = labelTit->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
    titleFont.setBold(true);
    labelTit->setFont(titleFont);
    ui::bind(f.LabelTit, labelTit);

    auto* label1 = new QLabel(content);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setAlignment(Qt::AlignCenter);
    QFont makerFont = label1->font();
    makerFont.setPointSizeF(makerFont.pointSizeF() * 1.2);
    makerFont.setItalic(true);
    label1->setFont(makerFont);
    ui::bind(f.Label1, label1);

    // A fixed-size slot keeps the layout still while the picture blinks.
    auto* pictureSlot = new QWidget(content);
    pictureSlot->setFixedSize(48, 48);
    auto* picture1 = new QLabel(pictureSlot);
    picture1->setObjectName(QStringLiteral("Picture1"));
    picture1->setFixedSize(48, 48);
    picture1->setAlignment(Qt::AlignCenter);
    ui::bind(f.Picture1, picture1);

    auto* titles = new QVBoxLayout;
    titles->addStretch();
    titles->addWidget(labelTit);
    titles->addWidget(label1);
    titles->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(image1, 0, Qt::AlignVCenter);
    top->addLayout(titles, 1);
    top->addWidget(pictureSlot, 0, Qt::AlignTop);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(addButton(content, f.CmdAnGas, "CmdAnGas", [&f] { f.CmdAnGas_Click(); }));
    buttons->addWidget(addButton(content, f.CmdAnFumo, "CmdAnFumo", [&f] { f.CmdAnFumo_Click(); }));
    buttons->addWidget(addButton(content, f.CmdRPM, "CmdRPM", [&f] { f.CmdRPM_Click(); }));
    buttons->addStretch();
    buttons->addWidget(addButton(content, f.Command1, "Command1", [&f] { f.Command1_Click(); }));
    buttons->addWidget(addButton(content, f.CmdOut, "CmdOut", [&f] { f.CmdOut_Click(); }));

    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(16);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);
    content->setMinimumSize(560, 260);
    return content;
}

void MenuView::closeEvent(QCloseEvent* event) {
    event->accept();
    form_.Form_Unload();
}
