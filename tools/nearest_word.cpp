#include "nearest_word.h"

#include <algorithm>
#include <vector>

namespace scenario {
namespace {

char minuscola(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

size_t modifiche_ammesse(size_t lunghezza) {
  if (lunghezza <= 4) return 1;
  if (lunghezza <= 8) return 2;
  return 3;
}

}  // namespace

size_t distanza_modifica(std::string_view a, std::string_view b) {
  // Three rows of the table: two rows back for a swap, the last, the current.
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
    due_fa.swap(prima);
    prima.swap(ora);
  }
  return prima[n];
}

std::optional<std::string> parola_vicina(std::string_view parola,
                                         std::span<const std::string> candidati) {
  std::optional<std::string> scelta;
  size_t migliore = modifiche_ammesse(parola.size()) + 1;
  for (const std::string& candidato : candidati) {
    const size_t d = distanza_modifica(parola, candidato);
    if (d == 0) return std::nullopt;
    if (d < migliore) {
      migliore = d;
      scelta = candidato;
    }
  }
  return scelta;
}

}  // namespace scenario
