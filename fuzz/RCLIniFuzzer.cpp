// The INI reader and writer on arbitrary file contents: reads never run off
// the text, and a key written is read back as written.

#include "FuzzSupport.h"

#include "settings/RCLIni.h"
#include "ui/Paths.h"

#include <QDir>
#include <QFile>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::InstallStation({});
    const QString path = QDir(ui::Paths::workingDirectory()).filePath(QStringLiteral("Fuzz.ini"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    RCLIni ini;
    ini.File = path;
    for (const char* section : {"PORTE", "COMOPA", "LO", ""}) {
        ini.Section = QString::fromLatin1(section);
        for (const char* key : {"COM1", "TCOM", "Modello", "RN", ""}) {
            ini.key = QString::fromLatin1(key);
            if (ini.GetValue() && ini.Value.size() > RCLIni::MaxValueLength)
                std::abort();
        }
        (void)ini.SectionValues();
    }

    ini.Section = QStringLiteral("PORTE");
    ini.key = QStringLiteral("COM7");
    ini.Value = QStringLiteral("/tmp/quaveron/gas");
    if (!ini.SetValue())
        return 0;
    RCLIni reread;
    reread.File = path;
    reread.Section = ini.Section;
    reread.key = ini.key;
    if (!reread.GetValue() || reread.Value != ini.Value)
        std::abort();
    return 0;
}
