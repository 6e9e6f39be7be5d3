// The rev counter window's reply handling on arbitrary received bytes.

#include "FuzzedWindows.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::ChunkedInput input(data, size);
    // The first byte picks the reading shown (speed or oil) and the engine.
    const std::uint8_t choice = input.takeByte();
    fuzz::InstallStation(QStringLiteral("[RPM]\r\nTCOMrpm=3\r\nTBRaterpm=2\r\nNCilindriRPM=%1\r\nNTempiRPM=%2\r\n"
                                        "ExternRPM=0\r\nExternToil=0\r\nSelrpmT=%3\r\n")
                             .arg(1 + (choice & 7))
                             .arg(choice & 8 ? 2 : 4)
                             .arg(choice >> 7)
                             .toLatin1());
    fuzz::RevCounterWindow window;
    input.play(window.port, [&] { window.form.Timer2.tick(); });
    window.form.Form_Unload();
    return 0;
}
