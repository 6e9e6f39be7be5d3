#include "archive/LaneArchive.h"

#include "archive/ArchiveKey.h"
#include "archive/ServerTexts.h"
#include "archive/TestArchive.h"
#include "lang/LanguageTexts.h"

#include <QHash>

namespace archive {

LaneArchive::LaneArchive(Globals& g, TestArchive& local, const ArchiveSettings& settings, ServerNotice& notice)
    : g_(g), local_(local), notice_(notice),
      outbox_(std::make_unique<ServerOutbox>(local.path(), settings, [this](const ServerOutbox::Status& status) {
          QMetaObject::invokeMethod(
              this, [this, status] { show(status); }, Qt::QueuedConnection);
      })) {}

LaneArchive::~LaneArchive() {
    outbox_.reset();
}

void LaneArchive::store(const ConcludedTest& test) {
    local_.store(test);
    outbox_->wake();
}

void LaneArchive::show(const ServerOutbox::Status& status) {
    if (status.waiting == 0 || status.problem.ok()) {
        notice_.hideNotice();
        return;
    }
    notice_.showNotice(NamedText(g_, u"ARCHIVIOServerAssente").arg(status.waiting) + QStringLiteral("\n") +
                       ServerProblemText(g_, status.problem.problem));
}

KeyOfLane LaneKeys(const QString& archivePath, const QString& ownLane) {
    auto keys = std::make_shared<QHash<QString, std::optional<QByteArray>>>();
    return [keys, archivePath, ownLane](const QString& lane) {
        auto found = keys->constFind(lane);
        if (found == keys->constEnd())
            found =
                keys->insert(lane, ReadKey(lane == ownLane ? KeyPathFor(archivePath) : LaneKeyPath(archivePath, lane)));
        return *found;
    };
}

} // namespace archive
