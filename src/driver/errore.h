// The run's only user-visible numbered failure: a message box with the error
// number, after which the program ends at once.
#pragma once

#include <string>
#include <string_view>

#include "driver/platform.h"

namespace scenario {

// " Errore n. " followed directly by `a` (leading and trailing blank kept).
std::string messaggio_errore(std::string_view a);

// Shows the message for the error number `a` (in decimal) and ends the
// program with exit status 1. Never returns.
[[noreturn]] void errore(Piattaforma& piattaforma, std::string_view a);

}  // namespace scenario
