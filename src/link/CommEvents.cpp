#include "link/CommEvents.h"

#include "ui/Dialogs.h"

CommEventText DescribeCommEvent(CommEventKind kind) {
    switch (kind) {
    case CommEventKind::CtsChange: return {QStringLiteral("Rilevata modifica in CTS"), false};
    case CommEventKind::DsrChange: return {QStringLiteral("Rilevata modifica in DSR"), false};
    case CommEventKind::CdChange: return {QStringLiteral("Rilevata modifica CD"), false};
    case CommEventKind::Ring: return {QStringLiteral("Il telefono sta suonando"), false};
    case CommEventKind::EndOfFile: return {QStringLiteral("Rilevata fine del file"), false};
    case CommEventKind::Break: return {QStringLiteral("Ricevuto segnale di interruzione"), false};
    case CommEventKind::FramingError: return {QStringLiteral("Errore di frame"), false};
    case CommEventKind::ParityError: return {QStringLiteral("Errore di parità"), false};
    case CommEventKind::CtsTimeout: return {QStringLiteral("Timeout CTS"), true};
    case CommEventKind::DsrTimeout: return {QStringLiteral("Timeout DSR"), true};
    case CommEventKind::Overrun: return {QStringLiteral("Errore di overrun"), true};
    case CommEventKind::CdTimeout: return {QStringLiteral("Timeout CD"), true};
    case CommEventKind::ReceiveOverflow: return {QStringLiteral("Overflow del buffer di ricezione"), true};
    case CommEventKind::TransmitFull: return {QStringLiteral("Buffer di trasmissione pieno"), true};
    default: return {QStringLiteral("Errore o evento sconosciuti"), true};
    }
}

bool TriageCommEvent(CommEventKind kind, ui::Dialogs& dialogs) {
    if (kind == CommEventKind::Receive)
        return true;
    if (kind == CommEventKind::Send)
        return false;
    if (DescribeCommEvent(kind).isError)
        dialogs.beep();
    return false;
}
