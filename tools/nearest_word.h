// "Did you mean ...?": the known word nearest to a mistyped one, by the
// number of single edits (a letter added, dropped, changed, or two
// neighbours swapped) that turn one into the other.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace scenario {

// The edits that turn `a` into `b`, letter case ignored: insertions,
// deletions, replacements and swaps of two neighbouring letters.
size_t distanza_modifica(std::string_view a, std::string_view b);

// The candidate nearest `parola`, when it is near enough to be a likely slip
// of the keyboard (one edit for a word of up to four letters, two up to
// eight, three beyond); the first of equally near ones. Nothing when `parola`
// is itself a candidate or none is near.
std::optional<std::string> parola_vicina(std::string_view parola,
                                         std::span<const std::string> candidati);

}  // namespace scenario
