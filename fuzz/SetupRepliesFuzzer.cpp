// The reply handling of the instrument set-up windows and of the COM port scan
// on arbitrary received bytes. The first input byte picks the window and its
// choices; every tick asks again (identification) or moves the scan on.

#include "FuzzSupport.h"

#include "link/ANSU.h"
#include "link/FakeSerialPort.h"
#include "link/OPASU.h"
#include "link/RPMSU.h"
#include "link/RiconosciMCTC.h"
#include "shared/Globals.h"

#include <memory>
#include <type_traits>

namespace {

// Runs one window through load, the input and unload.
template <typename Form, typename... Extra> void play(fuzz::ChunkedInput& input, Globals& g, Extra&... extra) {
    auto owned = std::make_unique<FakeSerialPort>();
    FakeSerialPort& port = *owned;
    Form form(g, extra..., std::move(owned));
    form.Form_Load();
    if constexpr (std::is_same_v<Form, RiconosciMCTC>) {
        form.Command1_Click();
        input.play(port, [&] { form.Timer1_Timer(); });
    } else if constexpr (std::is_same_v<Form, ANSU>) {
        form.Command2_Click();
        input.play(port, [&] { form.Command2_Click(); });
    } else if constexpr (std::is_same_v<Form, OPASU>) {
        form.ComFind_Click();
        input.play(port, [&] { form.ComFind_Click(); });
    } else {
        // Identification and programming (CI, then TE) in turn.
        form.Command1_Click();
        bool identify = false;
        input.play(port, [&] {
            identify ? form.Command1_Click() : form.CmdApl_Click();
            identify = !identify;
        });
    }
    form.Form_Unload();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::ChunkedInput input(data, size);
    const std::uint8_t choice = input.takeByte();
    fuzz::InstallStation(
        QStringLiteral("[COMKAPRO]\r\nTModCom=%1\r\nTCOM=2\r\nTBRate=%2\r\n[MODKAPRO]\r\nModello=%3\r\n"
                       "[COMOPA]\r\nTModCom=%1\r\nTCOM=1\r\nTBRate=%2\r\n[MODOPA]\r\nModello=%4\r\n"
                       "[RPM]\r\nTCOMrpm=3\r\nTBRaterpm=%2\r\nNCilindriRPM=4\r\nNTempiRPM=4\r\n")
            .arg(choice & 4 ? 2 : 1)
            .arg(1 + ((choice >> 3) & 3))
            .arg((choice >> 5) & 3)
            .arg((choice >> 5) % 6)
            .toLatin1());
    Globals g;
    fuzz::SilentDialogs dialogs;
    switch (choice & 3) {
    case 0: play<ANSU>(input, g, dialogs); break;
    case 1: play<OPASU>(input, g, dialogs); break;
    case 2: play<RPMSU>(input, g, dialogs); break;
    default: play<RiconosciMCTC>(input, g); break;
    }
    return 0;
}
