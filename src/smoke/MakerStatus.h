#pragma once

#include <QByteArray>
#include <QString>

// The maker opacimeter's status reply, decoded without any window state.

// The bytes of a status reply that matter: 7 state code, 8 alarm byte, 9 flag
// byte, 11 auxiliary byte (STX is byte 1). A byte the frame lacks reads 0.
struct MakerStatusBytes {
    int stateCode = 0;
    int alarm = 0;
    int flags = 0;
    int auxiliary = 0;
};
MakerStatusBytes MakerStatusBytesOf(const QByteArray& frame);

// Flag bit: the instrument is ready and a start must be forwarded to it.
constexpr int MakerReadyFlag = 16;

enum class MakerStatusKind {
    WarmUp,    // "RSTRI"
    Check,     // "RSTCHK": the later models' self-check
    Zeroing,   // "RSTAZE"
    Ready,     // "RSTATT", with the alarm decoded
    Failure,   // "RSTERR"
    Unchanged, // "RSTATT" from a code the window does not know: nothing shown
};

struct MakerStatus {
    MakerStatusKind kind = MakerStatusKind::Unchanged;
    // Ready only: the alarm left on the labels, 0 for none, otherwise the
    // number of "ERROR n" (1 dirty optics, 2 emitter, 3 pressure high, 4 low).
    int alarm = 0;
    // Ready, later models: the cell is still warming up (warm-up texts, no alarm).
    bool warmingUp = false;

    QString word() const;
};

MakerStatus DecodeMakerStatus(bool firstGeneration, const MakerStatusBytes& bytes);
