// The idle and accelerated-idle test phases run on each measurement reply
// while the gate of testPhasesGateOpen() is open.
#include "gas/ANGAS.h"

void ANGAS::RunTestPhases() {
    // The certification phases and verdicts are not part of this window yet.
}
