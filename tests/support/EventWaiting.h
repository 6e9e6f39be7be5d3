#pragma once

#include <functional>

// Pumps the event loop until the condition holds or the time is up.
bool waitUntil(const std::function<bool()>& condition, int timeoutMs);
// Pumps the event loop for a while, whatever happens.
void pumpFor(int ms);
