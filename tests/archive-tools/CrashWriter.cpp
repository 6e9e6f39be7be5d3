// Stores sample tests in the archive given, one after another, and prints the
// sequence number of each as soon as its write has returned, until killed.
// The crash test kills it at random moments.

#include "ArchiveSamples.h"
#include "archive/TestArchive.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: archive-crash-writer ARCHIVE\n");
        return 2;
    }
    archive::TestArchive archive(QString::fromLocal8Bit(argv[1]), QStringLiteral("lane 1"), QStringLiteral("test"));
    if (!archive.open(archive::TestArchive::Mode::ReadWrite)) {
        std::fprintf(stderr, "%s\n", qPrintable(archive.lastError()));
        return 1;
    }
    for (int number = 0;; ++number) {
        const std::optional<qint64> sequence = archive.append(SampleConcludedTest(number));
        if (!sequence) {
            std::fprintf(stderr, "%s\n", qPrintable(archive.lastError()));
            return 1;
        }
        std::printf("%lld\n", static_cast<long long>(*sequence));
        std::fflush(stdout);
    }
}
