#pragma once

#include <QHash>
#include <QString>

// Reads and writes one key of a Windows-style INI file. Each routine makes its
// own instance, sets File, then Section, key and Value as it goes. A failed
// read leaves Value as it was, which the loaders rely on.
class RCLIni {
  public:
    // At most this many characters come back from a read.
    static constexpr int MaxValueLength = 254;

    QString File;
    QString Section;
    QString key;
    QString Value;

    // Reads Section/key. False, with Value untouched, when the file, section or
    // key is missing or the value is empty.
    bool GetValue();
    // Every key of Section in one read of the file, by lower-case name, as
    // GetValue would find it (the first section of the name and the first line
    // of a key win; an empty value is kept empty). For loading a whole table
    // without reading the file per key.
    QHash<QString, QString> SectionValues() const;
    // Writes Value under Section/key, creating the file and section if needed and
    // keeping every other line as it was; an existing key keeps the spelling it
    // has in the file. The file is replaced whole (see settings::replaceFileContent).
    bool SetValue();
};
