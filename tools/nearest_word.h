// "Did you mean ...?" for the command line: the command or option nearest to
// a mistyped one, by the same measure as the keywords of the source texts
// (suggestion.h).
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "suggestion.h"

namespace scenario {

// The candidate nearest `parola`, when it is near enough to be a slip of the
// keyboard (`suggerisci`); nothing when `parola` is itself a candidate or
// none is near.
std::optional<std::string> parola_vicina(std::string_view parola,
                                         std::span<const std::string> candidati);

}  // namespace scenario
