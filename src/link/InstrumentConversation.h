#pragma once

#include "link/SentMctcRequest.h"

// A measuring window's own record of what it last asked its instrument and of
// the version that instrument reported. The other measuring window sends and
// identifies its instrument through the same shared link record, so each
// window checks and reads its replies, and picks its commands, with this.
struct InstrumentConversation {
    SentMctcRequest mctcRequest;
    int makerCommand = 0;
    int versionThousandths = 0;
};
