// The gas window's reply handling on arbitrary received bytes, in the
// protocol this target is built for (QUAVERON_FUZZ_MCTC: MCTC-NET, otherwise
// the maker's frames).

#include "FuzzedWindows.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::ChunkedInput input(data, size);
    // The first byte picks the model (maker: 0-2), the fuel, the test type and
    // whether Start is pressed.
    const std::uint8_t choice = input.takeByte();
#if QUAVERON_FUZZ_MCTC
    const int model = 3;
#else
    const int model = choice % 3;
#endif
    fuzz::InstallStation(QStringLiteral("[COMKAPRO]\r\nTModCom=%1\r\nTCOM=2\r\nTBRate=2\r\nModello=QV-GAS\r\n"
                                        "Nserie=GAS0001\r\n[MODKAPRO]\r\nModello=%2\r\n"
                                        "[IA]\r\nRN=1000\r\nCGLPP=2000\r\nGV=2500\r\nLI=0.97\r\nAS=1.03\r\n"
                                        "AM=1\r\nLN=0.5\r\nRC=0.3\r\nMCS=5800\r\n")
                             .arg(model == 3 ? 2 : 1)
                             .arg(model)
                             .toLatin1());
    fuzz::GasWindow window;
    ANGAS& form = window.form;
    form.Combo1.setListIndex((choice >> 2) % 6);
    form.Combo1_Click();
    form.Combo4.setListIndex((choice >> 5) & 1);
    form.Combo4_Click();
    if (choice & 0x80)
        form.Command1_Click();
    input.play(window.port, [&] { form.Timer1.tick(); });
    form.Form_Unload();
    return 0;
}
