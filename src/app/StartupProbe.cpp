#include "app/StartupProbe.h"

#include "app/Menu.h"
#include "lang/LanguageTexts.h"
#include "shared/Globals.h"
#include "ui/Binding.h"
#include "ui/Paths.h"

#include <QFileInfo>

#include <algorithm>

QString StartupProbeReport(const Menu& menu, const Globals& g) {
    const auto& texts = g.lang.UiText;
    const auto loaded =
        std::count_if(std::begin(texts), std::end(texts), [](const QString& t) { return !t.isEmpty(); });
    QString report = QStringLiteral("texts %1 %2/%3\n")
                         .arg(QFileInfo(LanguagePath()).absoluteFilePath())
                         .arg(loaded)
                         .arg(texts.size());
    for (const ui::Picture* picture : {&menu.Image1, &menu.Picture1}) {
        const QString found = ui::findDataFile(picture->picture());
        report += QStringLiteral("picture %1 %2\n")
                      .arg(picture->picture(),
                           found.isEmpty() ? QStringLiteral("missing") : QFileInfo(found).absoluteFilePath());
    }
    report += QStringLiteral("report.log %1\n").arg(ui::Paths::inProgramDirectory(QStringLiteral("report.log")));
    return report;
}
