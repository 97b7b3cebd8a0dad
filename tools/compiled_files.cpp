#include "compiled_files.h"

#include <bit>

namespace scenario {
namespace {

bool finisce_con(std::string_view testo, std::string_view coda) {
  return testo.size() >= coda.size() && testo.substr(testo.size() - coda.size()) == coda;
}

// Little-endian fields read byte by byte from the front of a buffer.
class LettoreByte {
 public:
  explicit LettoreByte(std::string_view byte) : byte_(byte) {}

  size_t posizione() const { return posizione_; }
  size_t restanti() const { return byte_.size() - posizione_; }

  bool leggi(uint64_t* valore, size_t larghezza) {
    if (restanti() < larghezza) return false;
    uint64_t v = 0;
    for (size_t i = 0; i < larghezza; ++i) {
      v |= static_cast<uint64_t>(static_cast<uint8_t>(byte_[posizione_ + i])) << (8 * i);
    }
    posizione_ += larghezza;
    *valore = v;
    return true;
  }
  bool u8(uint8_t* valore) {
    uint64_t v;
    if (!leggi(&v, 1)) return false;
    *valore = static_cast<uint8_t>(v);
    return true;
  }
  bool u16(uint16_t* valore) {
    uint64_t v;
    if (!leggi(&v, 2)) return false;
    *valore = static_cast<uint16_t>(v);
    return true;
  }
  bool i16(int16_t* valore) {
    uint16_t v;
    if (!u16(&v)) return false;
    *valore = static_cast<int16_t>(v);
    return true;
  }
  bool i32(int32_t* valore) {
    uint64_t v;
    if (!leggi(&v, 4)) return false;
    *valore = static_cast<int32_t>(static_cast<uint32_t>(v));
    return true;
  }
  bool f64(double* valore) {
    uint64_t v;
    if (!leggi(&v, 8)) return false;
    *valore = std::bit_cast<double>(v);
    return true;
  }
  bool testo(std::string* valore, size_t lunghezza) {
    if (restanti() < lunghezza) return false;
    valore->assign(byte_.substr(posizione_, lunghezza));
    posizione_ += lunghezza;
    return true;
  }

 private:
  std::string_view byte_;
  size_t posizione_ = 0;
};

std::string a_testo(size_t n) { return std::to_string(n); }

Status troncato(std::string_view dove, size_t posizione, size_t dimensione) {
  return Status::Error("the file ends inside " + std::string(dove) + " (byte offset " +
                       a_testo(posizione) + " of " + a_testo(dimensione) + ")");
}

}  // namespace

bool tipo_da_nome(std::string_view nome, TipoFileCompilato* tipo) {
  if (finisce_con(nome, "_linea.dat")) {
    *tipo = TipoFileCompilato::kLinea;
  } else if (finisce_con(nome, ".sim")) {
    *tipo = TipoFileCompilato::kScenario;
  } else if (finisce_con(nome, ".dat")) {
    *tipo = TipoFileCompilato::kPercorso;
  } else {
    return false;
  }
  return true;
}

Status decodifica_linea(std::string_view byte, LineaCompilata* linea) {
  LettoreByte lettore(byte);
  std::vector<ValoreTracciato> valori;
  while (lettore.restanti() > 0) {
    const size_t inizio = lettore.posizione();
    uint16_t etichetta;
    if (!lettore.u16(&etichetta)) return troncato("a value tag", inizio, byte.size());
    ValoreTracciato valore;
    switch (etichetta) {
      case static_cast<uint16_t>(EtichettaPunto::kVuoto):
        break;
      case static_cast<uint16_t>(EtichettaPunto::kIntero16): {
        int16_t v;
        if (!lettore.i16(&v)) return troncato("a 16-bit value", inizio, byte.size());
        valore.etichetta = EtichettaPunto::kIntero16;
        valore.valore = v;
        break;
      }
      case static_cast<uint16_t>(EtichettaPunto::kReale64): {
        double v;
        if (!lettore.f64(&v)) return troncato("a 64-bit value", inizio, byte.size());
        valore.etichetta = EtichettaPunto::kReale64;
        valore.valore = v;
        break;
      }
      default:
        return Status::Error(
            "value " + a_testo(valori.size()) + " at byte offset " + a_testo(inizio) +
            " has the tag " + std::to_string(etichetta) +
            "; a compiled line holds only the tags 0 (empty), 2 (16-bit) and 5 (64-bit)");
    }
    valori.push_back(valore);
  }
  if (valori.size() % 2 != 0) {
    return Status::Error("the file holds " + a_testo(valori.size()) +
                         " values, an odd number; a compiled line holds an x and a y series of "
                         "equal length");
  }
  const size_t punti = valori.size() / 2;
  if (punti < static_cast<size_t>(kPuntiMinimi) || punti > static_cast<size_t>(kPuntiMassimi)) {
    return Status::Error("the file holds " + a_testo(punti) + " points; a compiled line holds " +
                         std::to_string(kPuntiMinimi) + " to " + std::to_string(kPuntiMassimi) +
                         " (route length + 7001)");
  }
  const auto meta = valori.begin() + static_cast<std::ptrdiff_t>(punti);
  linea->x.assign(valori.begin(), meta);
  linea->y.assign(meta, valori.end());
  return Status::OK();
}

Status decodifica_scenario(std::string_view byte, RegistroCompilato* registro) {
  LettoreByte lettore(byte);
  RegistroCompilato letto{};
  for (size_t indice = 0; indice < letto.size(); ++indice) {
    VoceRegistro& voce = letto[indice];
    const std::string dove = "registro entry " + a_testo(indice);
    const size_t inizio = lettore.posizione();
    uint16_t lunghezza = 0;
    const bool ok =
        lettore.u8(&voce.tipo) && lettore.i32(&voce.inizio) && lettore.i32(&voce.fine) &&
        lettore.i32(&voce.progressiva) && lettore.u8(&voce.campo_4) && lettore.u16(&lunghezza) &&
        lettore.testo(&voce.nome, lunghezza) && lettore.i16(&voce.campo_7) &&
        lettore.i16(&voce.campo_8) && lettore.i16(&voce.campo_10) && lettore.i16(&voce.campo_11) &&
        lettore.i16(&voce.campo_12) && lettore.u8(&voce.campo_9) && lettore.u8(&voce.campo_13) &&
        lettore.u8(&voce.campo_6) && lettore.u8(&voce.campo_5) && lettore.i32(&voce.orario);
    if (!ok)
      return troncato(dove + ", which starts at byte offset " + a_testo(inizio),
                      lettore.posizione(), byte.size());
  }
  if (lettore.restanti() > 0) {
    return Status::Error(
        "the file has " + a_testo(lettore.restanti()) +
        " bytes after the last of the 87 registro entries (which ends at byte offset " +
        a_testo(lettore.posizione()) + ")");
  }
  *registro = std::move(letto);
  return Status::OK();
}

Status decodifica_percorso(std::string_view byte, std::vector<CellaPercorso>* celle) {
  if (byte.size() % kByteCella != 0) {
    return Status::Error("the file has " + a_testo(byte.size()) +
                         " bytes, not a whole number of 15-byte cells (" +
                         a_testo(byte.size() / kByteCella) + " cells and " +
                         a_testo(byte.size() % kByteCella) + " bytes)");
  }
  const size_t numero = byte.size() / kByteCella;
  if (numero < static_cast<size_t>(kCelleMinime) || numero > static_cast<size_t>(kCelleMassime)) {
    return Status::Error("the file holds " + a_testo(numero) +
                         " cells; a compiled route grid holds " + std::to_string(kCelleMinime) +
                         " to " + std::to_string(kCelleMassime) +
                         " (one per 50 m of the route length + 7000 m)");
  }
  LettoreByte lettore(byte);
  std::vector<CellaPercorso> letto(numero);
  for (CellaPercorso& c : letto) {
    // The size is checked above, so every read succeeds.
    uint8_t tipo = 0;
    lettore.u8(&tipo);
    c.tipo = static_cast<TipoCella>(tipo);
    lettore.i16(&c.valore_1);
    lettore.i16(&c.valore_2);
    lettore.i16(&c.valore_3);
    lettore.i16(&c.valore_4);
    lettore.u8(&c.tempo_segnale);
    lettore.u8(&c.avviso);
    lettore.u8(&c.montagna);
    lettore.u8(&c.velocita_max);
    lettore.u8(&c.pendenza);
    lettore.u8(&c.aderenza);
  }
  *celle = std::move(letto);
  return Status::OK();
}

}  // namespace scenario
