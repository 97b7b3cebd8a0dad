// The bare package programs scenario-tool carries, one for each system a
// package can be made for. Each build of the tool carries its own system's
// and, when the build had the other system's compiler, the other's too.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace scenario {

enum class Bersaglio : uint8_t { kLinux, kWindows };

// The system the tool runs on: a package is made for it unless asked otherwise.
Bersaglio bersaglio_di_sistema();

// "linux" or "windows" and back; nothing for another word.
std::string_view nome_bersaglio(Bersaglio bersaglio);
std::optional<Bersaglio> bersaglio_di_nome(std::string_view nome);

// The bare program's bytes for `bersaglio`, empty when this build of the
// tool does not carry it.
std::string_view programma_pacchetto(Bersaglio bersaglio);

}  // namespace scenario
