#include "smoke/MakerStatus.h"

namespace {

MakerStatus statusOf(MakerStatusKind kind, int alarm = 0) {
    MakerStatus status;
    status.kind = kind;
    status.alarm = alarm;
    return status;
}

int byteAt(const QByteArray& frame, int position) {
    return position <= frame.size() ? static_cast<unsigned char>(frame[position - 1]) : 0;
}

// Model 0 grades its alarm byte in ranges.
int firstGenerationAlarm(int a) {
    if (a < 2)
        return 0;
    if (a <= 3)
        return 3;
    if (a <= 15)
        return 4;
    if (a <= 31)
        return 2;
    return 1;
}

MakerStatus firstGenerationStatus(const MakerStatusBytes& b) {
    switch (b.stateCode) {
    case 0: return statusOf(MakerStatusKind::WarmUp);
    case 72: return statusOf(MakerStatusKind::Zeroing);
    case 128: return statusOf(MakerStatusKind::Ready, firstGenerationAlarm(b.alarm));
    case 240: return statusOf(MakerStatusKind::Failure);
    default: return statusOf(MakerStatusKind::Unchanged);
    }
}

// The later models set one bit per condition. Each bit is tested in turn, the
// higher ones taken off first; when several alarms are set the last one
// tested is the one the labels keep.
MakerStatus laterReady(const MakerStatusBytes& b) {
    MakerStatus status = statusOf(MakerStatusKind::Ready);
    int a = b.alarm;
    if (a < 2 || a == 128 || a == 64)
        return status;
    if (a >= 128)
        a -= 128;
    if (a >= 64) {
        a -= 64;
        status.warmingUp = true;
    }
    if (b.auxiliary == 255)
        status.alarm = 1;
    if (a >= 16) {
        a -= 16;
        status.alarm = 2;
    }
    if (a >= 4) {
        a -= 4;
        status.alarm = 3;
    }
    if (a >= 2)
        status.alarm = 4;
    return status;
}

MakerStatus laterStatus(const MakerStatusBytes& b) {
    switch (b.stateCode) {
    case 0:
    case 16:
        if (b.auxiliary <= 50 && (b.alarm < 16 || b.alarm > 63))
            return statusOf(MakerStatusKind::Check);
        if ((b.flags & MakerReadyFlag) == 0)
            return statusOf(MakerStatusKind::Zeroing);
        return laterReady(b);
    case 64: return statusOf(MakerStatusKind::Zeroing);
    default: return statusOf(MakerStatusKind::Unchanged);
    }
}

} // namespace

MakerStatusBytes MakerStatusBytesOf(const QByteArray& frame) {
    return {byteAt(frame, 7), byteAt(frame, 8), byteAt(frame, 9), byteAt(frame, 11)};
}

QString MakerStatus::word() const {
    switch (kind) {
    case MakerStatusKind::WarmUp: return QStringLiteral("RSTRI");
    case MakerStatusKind::Check: return QStringLiteral("RSTCHK");
    case MakerStatusKind::Zeroing: return QStringLiteral("RSTAZE");
    case MakerStatusKind::Failure: return QStringLiteral("RSTERR");
    case MakerStatusKind::Ready:
    case MakerStatusKind::Unchanged: break;
    }
    return QStringLiteral("RSTATT");
}

MakerStatus DecodeMakerStatus(bool firstGeneration, const MakerStatusBytes& bytes) {
    return firstGeneration ? firstGenerationStatus(bytes) : laterStatus(bytes);
}
