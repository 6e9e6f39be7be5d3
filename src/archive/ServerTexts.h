#pragma once

#include "archive/ServerConnection.h"

#include <QString>

struct Globals;

namespace archive {

// What a server problem means for the operator, in the chosen language.
QString ServerProblemText(const Globals& g, ServerProblem problem);

} // namespace archive
