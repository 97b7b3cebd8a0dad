#include "nearest_word.h"

#include <vector>

namespace scenario {

std::optional<std::string> parola_vicina(std::string_view parola,
                                         std::span<const std::string> candidati) {
  const std::vector<std::string_view> viste(candidati.begin(), candidati.end());
  const std::optional<std::string_view> vicina = suggerisci(parola, viste);
  if (!vicina) return std::nullopt;
  return std::string(*vicina);
}

}  // namespace scenario
