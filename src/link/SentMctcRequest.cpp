#include "link/SentMctcRequest.h"

#include "link/MctcFrame.h"
#include "shared/Globals.h"

bool SentMctcRequest::isAnsweredBy(const QByteArray& frame) const {
    return !command.isEmpty() && MctcHeaderMatches(frame, device) &&
           MctcReplyCommand(frame, commandLength(), numberLength()) == command;
}

void SentMctcRequest::copyTo(LinkState& link) const {
    link.MctcDevice = device;
    link.MctcNumber = number;
    link.MctcCommand = command;
}
