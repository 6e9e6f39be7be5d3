#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// A fresh working directory and program directory for one test, so Conf.ini,
// Lingua.ini, logs and report.log never touch the real ones. The clock is
// returned to the system clock afterwards.
class StationDirsTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    QString workFile(const QString& name) const;
    QString programFile(const QString& name) const;
    static QByteArray readBytes(const QString& path);
    static void writeBytes(const QString& path, const QByteArray& bytes);
    // Copies the shipped data/Lingua.ini into the working directory.
    void installLanguageFile() const;

    QTemporaryDir work;
    QTemporaryDir program;
};

// The source tree's data folder (Lingua.ini, pictures).
QString sourceDataPath(const QString& relative);
// A folder under the build tree where tests leave screenshots for people to look at.
QString screenshotPath(const QString& fileName);
