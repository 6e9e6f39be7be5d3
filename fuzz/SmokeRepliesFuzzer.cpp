// The smoke window's reply handling on arbitrary received bytes, in the
// protocol this target is built for (QUAVERON_FUZZ_MCTC: MCTC-NET, otherwise
// the maker's frames).

#include "FuzzedWindows.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::ChunkedInput input(data, size);
    // The first byte picks the model (maker: 0-4), the measuring selection and
    // whether Start is pressed.
    const std::uint8_t choice = input.takeByte();
#if QUAVERON_FUZZ_MCTC
    const int model = 5;
#else
    const int model = choice % 5;
#endif
    fuzz::InstallStation(QStringLiteral("[COMOPA]\r\nTModCom=%1\r\nTCOM=1\r\nTBRate=2\r\nModello=QV-OPA\r\n"
                                        "Nserie=OPA0001\r\n[MODOPA]\r\nModello=%2\r\nUnitOpa=%3\r\n"
                                        "[LO]\r\nRN=1000\r\nMX=3000\r\nON=0.5\r\nVK=1.5\r\n")
                             .arg(model == 5 ? 2 : 1)
                             .arg(model)
                             .arg((choice >> 6) & 1)
                             .toLatin1());
    fuzz::SmokeWindow window;
    ANFUMO& form = window.form;
    form.Combo1.setListIndex((choice >> 3) % 7);
    form.Combo1_Click();
    if (choice & 0x80)
        form.Command2_Click();
    input.play(window.port, [&] { form.Timer1.tick(); });
    form.Form_Unload();
    return 0;
}
