#include "archive/ServerTexts.h"

#include "lang/LanguageTexts.h"

namespace archive {

QString ServerProblemText(const Globals& g, ServerProblem problem) {
    switch (problem) {
    case ServerProblem::None: return NamedText(g, u"ARCHIVIOSrvOK");
    case ServerProblem::NotConfigured: return NamedText(g, u"ARCHIVIOSrvIncompleto");
    case ServerProblem::PasswordFile: return NamedText(g, u"ARCHIVIOSrvFilePassword");
    case ServerProblem::HostUnknown: return NamedText(g, u"ARCHIVIOSrvHostSconosciuto");
    case ServerProblem::NoAnswer: return NamedText(g, u"ARCHIVIOSrvNonRisponde");
    case ServerProblem::Refused: return NamedText(g, u"ARCHIVIOSrvRifiutato");
    case ServerProblem::WrongPassword: return NamedText(g, u"ARCHIVIOSrvPassword");
    case ServerProblem::DatabaseMissing: return NamedText(g, u"ARCHIVIOSrvDatabase");
    case ServerProblem::NotAllowed: return NamedText(g, u"ARCHIVIOSrvNonAmmesso");
    case ServerProblem::DriverMissing: return NamedText(g, u"ARCHIVIOSrvDriver");
    case ServerProblem::SchemaNewer: return NamedText(g, u"ARCHIVIOSrvSchema");
    case ServerProblem::PasswordFileOpen: return NamedText(g, u"ARCHIVIOSrvFileAperto");
    case ServerProblem::LaneClash: return NamedText(g, u"ARCHIVIOSrvCorsiaDoppia");
    case ServerProblem::Other: return NamedText(g, u"ARCHIVIOSrvAltro");
    }
    return QString();
}

} // namespace archive
