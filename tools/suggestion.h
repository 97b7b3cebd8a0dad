// "Did you mean ...": the known word nearest to a mistyped one. Used for the
// keywords of the source texts.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

namespace scenario {

// The number of edits that turn `a` into `b`: a character inserted, deleted
// or replaced, or two neighbours swapped ("rallentamneto" is one edit from
// "rallentamento"). ASCII letters are compared ignoring their case.
size_t distanza_modifica(std::string_view a, std::string_view b);

// The candidate nearest to `parola`, when it is close enough to be what was
// meant: at most one edit for every three characters (and at least one
// edit allowed). The first of equally near candidates wins; an exact match
// is no suggestion.
std::optional<std::string_view> suggerisci(std::string_view parola,
                                           std::span<const std::string_view> candidati);

}  // namespace scenario
