#include "report/PrintoutView.h"

#include "ui/BoundWidget.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int PageWidth = 780;
constexpr int MaxCaptionLine = 200;

// A section drawn as on the paper form: a black frame with its title set into the top line.
class SheetSection : public QGroupBox {
  public:
    using QGroupBox::QGroupBox;

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        QFont bold = font();
        bold.setBold(true);
        painter.setFont(bold);
        const int half = fontMetrics().height() / 2;
        painter.setPen(QPen(Qt::black, 1));
        painter.drawRect(rect().adjusted(0, half, -1, -1));
        if (title().isEmpty())
            return;
        const QRect text = painter.fontMetrics().boundingRect(title()).translated(10, 0);
        const QRect place(10, 0, text.width() + 8, painter.fontMetrics().height());
        painter.fillRect(place, palette().color(QPalette::Window));
        painter.drawText(place, Qt::AlignCenter, title());
    }
};

// White paper, black ink, whatever the desktop's colours.
void paperColours(QWidget* widget) {
    QPalette paper = widget->palette();
    paper.setColor(QPalette::Window, Qt::white);
    paper.setColor(QPalette::WindowText, Qt::black);
    widget->setPalette(paper);
    widget->setAutoFillBackground(true);
}

// Hidden for printing without the rest of the sheet moving.
void keepPlaceWhenHidden(QWidget* widget) {
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
}

} // namespace

PrintoutView::PrintoutView(Printout& form, QWidget* parent)
    : ui::FormDialog(form.Me, nullptr, parent), form_(form), printer_(this), page_(new QVBoxLayout(this)) {
    paperColours(this);
    setFixedWidth(PageWidth);
    page_->setContentsMargins(24, 18, 24, 12);
    page_->setSpacing(8);
    form.setPrinter(&printer_);
    connect(this, &QObject::destroyed, [&form] { form.setPrinter(nullptr); });
}

void PrintoutView::showEvent(QShowEvent* event) {
    // A caption keeps its line unless it is long; then it wraps, and the page
    // takes the height its width gives the wrapped captions.
    for (QLabel* caption : findChildren<QLabel*>()) {
        if (caption->wordWrap())
            caption->setMinimumWidth(
                std::min(caption->fontMetrics().horizontalAdvance(caption->text()) + 2, MaxCaptionLine));
    }
    if (hasHeightForWidth())
        setFixedHeight(heightForWidth(width()));
    ui::FormDialog::showEvent(event);
}

void PrintoutView::addTitle(ui::Label& title) {
    auto* label = ui::boundWidget<QLabel>(title, QStringLiteral("Title"), this);
    QFont big = label->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    label->setFont(big);
    label->setAlignment(Qt::AlignCenter);
    page_->addWidget(label);
    page_->addSpacing(4);
}

QGroupBox* PrintoutView::newSection(ui::Frame& frame, const QString& name) {
    auto* section = new SheetSection(this);
    section->setObjectName(name);
    ui::bind(frame, section);
    auto* grid = new QGridLayout(section);
    grid->setContentsMargins(10, fontMetrics().height() + 6, 10, 8);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(4);
    sections_.push_back(section);
    return section;
}

QLabel* PrintoutView::newValue(ui::Label& state, const QString& name, QWidget* parent) {
    auto* value = ui::boundWidget<QLabel>(state, name, parent);
    value->setFrameShape(QFrame::Box);
    value->setMinimumWidth(70);
    value->setMinimumHeight(fontMetrics().height() + 6);
    value->setMargin(2);
    value->setAlignment(Qt::AlignCenter);
    value->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    return value;
}

void PrintoutView::addFields(QGroupBox* section, std::initializer_list<Field> fields, int pairsPerLine) {
    auto* grid = static_cast<QGridLayout*>(section->layout());
    // Each call starts on a fresh line below what the section holds; a line
    // with fewer fields than those above lets its last value run to the edge.
    const bool empty = grid->count() == 0;
    const int firstLine = empty ? 0 : grid->rowCount();
    const int gridColumns = empty ? 0 : grid->columnCount();
    int index = 0;
    for (const Field& f : fields) {
        auto* caption = ui::boundWidget<QLabel>(f.field.Caption, f.name + QStringLiteral("Caption"), section);
        caption->setWordWrap(true);
        QLabel* value = newValue(f.field.Value, f.name, section);
        const int line = firstLine + index / pairsPerLine;
        const int column = (index % pairsPerLine) * 2;
        const bool lastInLine = index % pairsPerLine == pairsPerLine - 1;
        const int span = lastInLine && gridColumns > pairsPerLine * 2 ? gridColumns - column - 1 : 1;
        grid->addWidget(caption, line, column);
        grid->addWidget(value, line, column + 1, 1, span);
        grid->setColumnStretch(column + 1, 1);
        ++index;
    }
}

void PrintoutView::addVerdict(QGroupBox* section, ui::Label& verdict) {
    auto* grid = static_cast<QGridLayout*>(section->layout());
    QLabel* value = newValue(verdict, QStringLiteral("Result"), section);
    QFont big = value->font();
    big.setPointSizeF(big.pointSizeF() * 1.3);
    big.setBold(true);
    value->setFont(big);
    value->setMinimumHeight(value->fontMetrics().height() + 10);
    grid->addWidget(value, 0, 0, 1, 6);
}

void PrintoutView::addSignature(QGroupBox* section, SheetField& signature) {
    auto* grid = static_cast<QGridLayout*>(section->layout());
    const int line = grid->rowCount();
    auto* caption = ui::boundWidget<QLabel>(signature.Caption, QStringLiteral("SignatureCaption"), section);
    auto* space = ui::boundWidget<QLabel>(signature.Value, QStringLiteral("Signature"), section);
    space->setMinimumHeight(fontMetrics().height() * 3);
    space->setFrameShape(QFrame::Box);
    grid->addWidget(caption, line, 0, Qt::AlignTop);
    grid->addWidget(space, line, 1, 1, grid->columnCount() - 1);
}

void PrintoutView::addRow(QGroupBox* section) {
    page_->addWidget(section);
}

void PrintoutView::addRow(QGroupBox* left, std::initializer_list<QGroupBox*> right) {
    auto* row = new QHBoxLayout;
    row->setSpacing(8);
    row->addWidget(left, 1);
    auto* stack = new QVBoxLayout;
    stack->setSpacing(8);
    for (QGroupBox* section : right)
        stack->addWidget(section);
    stack->addStretch();
    row->addLayout(stack, 1);
    page_->addLayout(row);
}

QGroupBox* PrintoutView::instrumentSection(InstrumentSection& section, const QString& prefix) {
    const QString& p = prefix;
    QGroupBox* box = newSection(section.Frame, p + "Frame");
    addFields(box,
              {{section.Make, p + "Make"},
               {section.Model, p + "Model"},
               {section.Homologation, p + "Homologation"},
               {section.Serial, p + "Serial"},
               {section.Expiry, p + "Expiry"}},
              1);
    return box;
}

QGroupBox* PrintoutView::revCounterSection(RevCounterSection& section) {
    QGroupBox* box = newSection(section.Frame, "RevCounterFrame");
    addFields(box,
              {{section.MakeType, "RevCounterMakeType"},
               {section.Homologation, "RevCounterHomologation"},
               {section.Serial, "RevCounterSerial"},
               {section.Expiry, "RevCounterExpiry"}},
              1);
    return box;
}

QGroupBox* PrintoutView::vehicleSection(VehicleSection& section, bool withModel) {
    QGroupBox* box = newSection(section.Frame, "VehicleFrame");
    addFields(box, {{section.MakeType, "VehicleMakeType"}}, 1);
    if (withModel)
        addFields(box, {{section.Model, "VehicleModel"}}, 1);
    addFields(box,
              {{section.Plate, "VehiclePlate"},
               {section.Chassis, "VehicleChassis"},
               {section.EngineType, "VehicleEngineType"},
               {section.Fuel, "VehicleFuel"},
               {section.Year, "VehicleYear"}},
              1);
    return box;
}

QGroupBox* PrintoutView::ambientSection(AmbientSection& section) {
    QGroupBox* box = newSection(section.Frame, "AmbientFrame");
    addFields(box,
              {{section.Temperature, "AmbientTemperature"},
               {section.Pressure, "AmbientPressure"},
               {section.Humidity, "AmbientHumidity"}},
              1);
    return box;
}

QGroupBox* PrintoutView::readingsSection(EmissionReadings& readings, const QString& prefix,
                                         std::initializer_list<Field> extra) {
    const QString& p = prefix;
    QGroupBox* box = newSection(readings.Frame, p + "Frame");
    addFields(box,
              {{readings.CO, p + "CO"},
               {readings.CO2, p + "CO2"},
               {readings.COcorr, p + "COcorr"},
               {readings.HC, p + "HC"},
               {readings.O2, p + "O2"},
               {readings.Lambda, p + "Lambda"}},
              3);
    addFields(box, extra, 3);
    return box;
}

void PrintoutView::finish() {
    // Fields keep to the top of a section the row makes taller.
    for (QGroupBox* section : sections_) {
        auto* grid = static_cast<QGridLayout*>(section->layout());
        grid->setRowStretch(grid->rowCount(), 1);
    }
    auto* copiesLabel = ui::boundWidget<QLabel>(form_.CopiesLabel, QStringLiteral("CopiesLabel"), this);
    auto* copies = ui::boundWidget<QLineEdit>(form_.CopiesBox, QStringLiteral("CopiesBox"), this);
    copies->setFixedWidth(48);
    copiesLabel->setBuddy(copies);
    auto* print = ui::boundWidget<QPushButton>(form_.Command2, QStringLiteral("Command2"), this);
    auto* close = ui::boundWidget<QPushButton>(form_.Command1, QStringLiteral("Command1"), this);
    Printout& form = form_;
    connect(print, &QPushButton::clicked, this, [&form] { form.Command2_Click(); });
    connect(close, &QPushButton::clicked, this, [&form] { form.Command1_Click(); });
    auto* bar = new QHBoxLayout;
    for (QWidget* control : {static_cast<QWidget*>(copiesLabel), static_cast<QWidget*>(copies),
                             static_cast<QWidget*>(print), static_cast<QWidget*>(close)})
        keepPlaceWhenHidden(control);
    bar->addWidget(copiesLabel);
    bar->addWidget(copies);
    bar->addStretch();
    bar->addWidget(print);
    bar->addWidget(close);
    page_->addStretch();
    page_->addLayout(bar);
}

void PrintoutView::addOutcome(TestPrintout& form) {
    QGroupBox* result = newSection(form.ResultFrame, "ResultFrame");
    addVerdict(result, form.Result);
    addFields(result, {{form.Date, "Date"}, {form.StartTime, "StartTime"}, {form.EndTime, "EndTime"}}, 3);
    addFields(result, {{form.TechnicalManager, "TechnicalManager"}, {form.AgencyName, "AgencyName"}}, 1);
    addSignature(result, form.Signature);
    addRow(result);
}
