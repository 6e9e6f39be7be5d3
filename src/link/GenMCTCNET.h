#pragma once

// Everything MCTC-NET: frames, reply fields and parsers, and the senders that
// write a request to the port of the window it is meant for.

#include "link/MctcFrame.h"
#include "link/MctcParsers.h"
#include "link/SentMctcRequest.h"

#include <QByteArray>

struct Globals;
struct LinkState;

// To the smoke window's port and to the gas window's port, each when its window
// is active and its port open (both when both are).
void SendMctcToMeasuring(Globals& g, const QByteArray& device, const QByteArray& command, const QByteArray& number,
                         const QByteArray& data = {});
// The same for a measuring window's own request, which also becomes the link's
// shared last request.
void SendMctcToMeasuring(Globals& g, const SentMctcRequest& request, const QByteArray& data = {});

// To the rev counter window's port. A send made while no reply came since the
// previous one shows "- - -" as the speed and counts a miss; from the third
// miss in a row the port is closed and opened again before writing.
void SendMctcToRevCounter(Globals& g, const QByteArray& device, const QByteArray& command, const QByteArray& number,
                          const QByteArray& data = {});

// To the set-up and recognition windows' ports, when open.
void SendMctcToRecognition(Globals& g, const QByteArray& device, const QByteArray& command, const QByteArray& number,
                           const QByteArray& data = {});
void SendMctcToOpacimeterSetup(Globals& g, const QByteArray& device, const QByteArray& command,
                               const QByteArray& number, const QByteArray& data = {});
void SendMctcToGasSetup(Globals& g, const QByteArray& device, const QByteArray& command, const QByteArray& number,
                        const QByteArray& data = {});
// The rev-counter set-up window's port is opened here when still closed (its
// number and settings already set); a failure to open is ignored.
void SendMctcToRevCounterSetup(Globals& g, const QByteArray& device, const QByteArray& command,
                               const QByteArray& number, const QByteArray& data = {});
