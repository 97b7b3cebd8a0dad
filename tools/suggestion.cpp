#include "suggestion.h"

#include <algorithm>
#include <vector>

namespace scenario {
namespace {

char minuscola(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

size_t distanza_modifica(std::string_view a, std::string_view b) {
  // Three rows of the edit table: two rows back for a swap of neighbours.
  const size_t n = b.size();
  std::vector<size_t> due_fa(n + 1), prima(n + 1), ora(n + 1);
  for (size_t j = 0; j <= n; ++j) prima[j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    ora[0] = i;
    for (size_t j = 1; j <= n; ++j) {
      const bool uguali = minuscola(a[i - 1]) == minuscola(b[j - 1]);
      ora[j] = std::min({prima[j] + 1, ora[j - 1] + 1, prima[j - 1] + (uguali ? 0 : 1)});
      if (i > 1 && j > 1 && minuscola(a[i - 1]) == minuscola(b[j - 2]) &&
          minuscola(a[i - 2]) == minuscola(b[j - 1])) {
        ora[j] = std::min(ora[j], due_fa[j - 2] + 1);
      }
    }
    std::swap(due_fa, prima);
    std::swap(prima, ora);
  }
  return prima[n];
}

std::optional<std::string_view> suggerisci(std::string_view parola,
                                           std::span<const std::string_view> candidati) {
  std::optional<std::string_view> migliore;
  size_t distanza_migliore = 0;
  for (std::string_view candidato : candidati) {
    const size_t distanza = distanza_modifica(parola, candidato);
    if (distanza == 0) return std::nullopt;
    const size_t ammessa = std::max<size_t>(1, std::min(parola.size(), candidato.size()) / 3);
    if (distanza > ammessa) continue;
    if (!migliore || distanza < distanza_migliore) {
      migliore = candidato;
      distanza_migliore = distanza;
    }
  }
  return migliore;
}

}  // namespace scenario
