#include "compiler/compiled_files.h"

#include <algorithm>
#include <bit>
#include <string_view>

#include "base/rounding.h"
#include "compiler/byte_writer.h"

namespace scenario {
namespace {

// Each series holds N + 1 values of at most 2 + 8 bytes.
constexpr size_t kByteMassimiPunto = 2 * (2 + 8);

// One series of the plan view (all x values, or all y values): each point as
// its tag and its value. The computed points, nearly all of the file, are laid
// out in one run.
void serie(ScrittoreByte& scrittore, const Tracciato& tracciato, bool y) {
  const auto valore = [&](int32_t m) { return y ? tracciato.y(m) : tracciato.x(m); };
  const int32_t ultimo = tracciato.ultimo_indice();
  const int32_t calcolati = std::min(tracciato.prossimo_punto(), ultimo + 1);
  int32_t m = 0;
  for (; m < std::min(calcolati, 2); ++m) {
    scrittore.uint16(static_cast<uint16_t>(EtichettaPunto::kIntero16));
    scrittore.int16(low16(arrotonda(valore(m))));
  }
  if (m < calcolati) {
    char* posto = scrittore.prenota(static_cast<size_t>(calcolati - m) * (2 + 8));
    for (; m < calcolati; ++m) {
      posto = metti<2>(posto, static_cast<uint16_t>(EtichettaPunto::kReale64));
      posto = metti<8>(posto, std::bit_cast<uint64_t>(valore(m)));
    }
  }
  for (; m <= ultimo; ++m) scrittore.uint16(static_cast<uint16_t>(EtichettaPunto::kVuoto));
}

void voce(ScrittoreByte& scrittore, const VoceRegistro& v) {
  scrittore.byte(v.tipo);
  scrittore.int32(v.inizio);
  scrittore.int32(v.fine);
  scrittore.int32(v.progressiva);
  scrittore.byte(v.campo_4);
  const std::string_view nome =
      std::string_view(v.nome).substr(0, std::min(v.nome.size(), kLunghezzaMassimaTesto));
  scrittore.uint16(static_cast<uint16_t>(nome.size()));
  scrittore.testo(nome);
  scrittore.int16(v.campo_7);
  scrittore.int16(v.campo_8);
  scrittore.int16(v.campo_10);
  scrittore.int16(v.campo_11);
  scrittore.int16(v.campo_12);
  scrittore.byte(v.campo_9);
  scrittore.byte(v.campo_13);
  scrittore.byte(v.campo_6);
  scrittore.byte(v.campo_5);
  scrittore.int32(v.orario);
}

void cella(ScrittoreByte& scrittore, const CellaPercorso& c) {
  scrittore.byte(static_cast<uint8_t>(c.tipo));
  scrittore.int16(c.valore_1);
  scrittore.int16(c.valore_2);
  scrittore.int16(c.valore_3);
  scrittore.int16(c.valore_4);
  scrittore.byte(c.tempo_segnale);
  scrittore.byte(c.avviso);
  scrittore.byte(c.montagna);
  scrittore.byte(c.velocita_max);
  scrittore.byte(c.pendenza);
  scrittore.byte(c.aderenza);
}

}  // namespace

std::string codifica_linea(const Tracciato& tracciato) {
  ScrittoreByte scrittore;
  if (!tracciato.esiste()) return scrittore.prendi();
  scrittore.riserva(static_cast<size_t>(tracciato.ultimo_indice() + 1) * kByteMassimiPunto);
  serie(scrittore, tracciato, false);
  serie(scrittore, tracciato, true);
  return scrittore.prendi();
}

std::string codifica_registro(const std::array<VoceRegistro, kVociRegistro>& registro) {
  ScrittoreByte scrittore;
  for (const VoceRegistro& v : registro) voce(scrittore, v);
  return scrittore.prendi();
}

std::string codifica_percorso(const std::vector<CellaPercorso>& percorso) {
  ScrittoreByte scrittore;
  scrittore.riserva(percorso.size() * kByteCella);
  for (const CellaPercorso& c : percorso) cella(scrittore, c);
  return scrittore.prendi();
}

}  // namespace scenario
