#include "compiler/compiled_files.h"

#include <algorithm>
#include <bit>
#include <span>
#include <type_traits>

#include "base/rounding.h"
#include "compiler/byte_reader.h"
#include "compiler/byte_writer.h"

namespace scenario {
namespace {

// --- Writing -------------------------------------------------------------

constexpr size_t kByteReale = kByteEtichetta + 8;
// The computed points are laid out a piece at a time.
constexpr int32_t kPuntiPerPezzo = static_cast<int32_t>(ScrittoreByte::kPezzo / kByteReale);

// A text keeps what its 2-byte length can count.
std::string_view testo_scritto(const std::string& testo) {
  return std::string_view(testo).substr(0, std::min(testo.size(), kLunghezzaMassimaTesto));
}

// Writes one field of a record in its disk type.
template <typename T>
void scrivi_campo(ScrittoreByte& scrittore, const T& valore) {
  if constexpr (tipo_disco<T>() == TipoDisco::kTesto) {
    const std::string_view testo = testo_scritto(valore);
    scrittore.uint16(static_cast<uint16_t>(testo.size()));
    scrittore.testo(testo);
  } else {
    metti<sizeof(T)>(scrittore.prenota(sizeof(T)), static_cast<uint64_t>(numero_campo(valore)));
  }
}

// One series of the plan view (all x values, or all y values): each point as
// its tag and its value. The computed points, nearly all of the file, are laid
// out in runs with merged stores.
void serie(ScrittoreByte& scrittore, const Tracciato& tracciato, bool y) {
  const std::span<const double> valori = y ? tracciato.valori_y() : tracciato.valori_x();
  const int32_t ultimo = tracciato.ultimo_indice();
  const int32_t calcolati = std::min(tracciato.prossimo_punto(), ultimo + 1);
  int32_t m = 0;
  for (; m < std::min(calcolati, 2); ++m) {
    scrittore.uint16(static_cast<uint16_t>(EtichettaPunto::kIntero16));
    scrittore.int16(low16(arrotonda(valori[static_cast<size_t>(m)])));
  }
  while (m < calcolati && scrittore.stato().ok()) {
    const int32_t fine = m + std::min(calcolati - m, kPuntiPerPezzo);
    char* posto = scrittore.prenota(static_cast<size_t>(fine - m) * kByteReale);
    for (const double valore :
         valori.subspan(static_cast<size_t>(m), static_cast<size_t>(fine - m))) {
      posto = metti<kByteEtichetta>(posto, static_cast<uint16_t>(EtichettaPunto::kReale64));
      posto = metti<8>(posto, std::bit_cast<uint64_t>(valore));
    }
    m = fine;
  }
  for (; m <= ultimo; ++m) scrittore.uint16(static_cast<uint16_t>(EtichettaPunto::kVuoto));
}

void linea(ScrittoreByte& scrittore, const Tracciato& tracciato) {
  if (!tracciato.esiste()) return;
  scrittore.riserva(static_cast<size_t>(tracciato.ultimo_indice() + 1) * 2 * kByteReale);
  serie(scrittore, tracciato, false);
  serie(scrittore, tracciato, true);
}

void registro(ScrittoreByte& scrittore, const RegistroCompilato& voci) {
  for (const VoceRegistro& voce : voci) {
    visita_campi(voce, [&](CampoVoce, const auto& valore) { scrivi_campo(scrittore, valore); });
  }
}

// Each cell's fifteen bytes are laid out at once.
void percorso(ScrittoreByte& scrittore, const std::vector<CellaPercorso>& celle) {
  scrittore.riserva(celle.size() * kByteCella);
  for (const CellaPercorso& cella : celle) {
    char* posto = scrittore.prenota(kByteCella);
    visita_campi(cella, [&](CampoCella, const auto& valore) {
      posto = metti<sizeof(valore)>(posto, static_cast<uint64_t>(numero_campo(valore)));
    });
  }
}

template <typename Tabella>
Status scrivi(void (*scrivi_tabella)(ScrittoreByte&, const Tabella&), const Tabella& tabella,
              ByteSink& sink) {
  ScrittoreByte scrittore(sink);
  scrivi_tabella(scrittore, tabella);
  return scrittore.chiudi();
}

template <typename Tabella>
std::string codifica(void (*scrivi_tabella)(ScrittoreByte&, const Tabella&),
                     const Tabella& tabella) {
  ScrittoreByte scrittore;
  scrivi_tabella(scrittore, tabella);
  return scrittore.prendi();
}

// --- Reading -------------------------------------------------------------

std::string a_testo(uint64_t n) { return std::to_string(n); }

Status troncato(std::string_view dove, size_t posizione, size_t dimensione) {
  return Status::Error("the file ends inside " + std::string(dove) + " (byte offset " +
                       a_testo(posizione) + " of " + a_testo(dimensione) + ")");
}

Status troppo_grande(TipoFileCompilato tipo, size_t dimensione, std::string_view il_piu_grande) {
  return Status::Error("the file has " + a_testo(dimensione) + " bytes, more than the " +
                       a_testo(dimensione_massima(tipo)) + " of the largest " +
                       std::string(nome_file_compilato(tipo)) + " (" + std::string(il_piu_grande) +
                       ")");
}

// Reads one field of a record in its disk type; false when the file ends
// inside it.
template <typename T>
bool leggi_campo(LettoreByte& lettore, T& valore) {
  if constexpr (tipo_disco<T>() == TipoDisco::kTesto) {
    uint16_t lunghezza = 0;
    return lettore.uint16(&lunghezza) && lettore.testo(&valore, lunghezza);
  } else if constexpr (std::is_enum_v<T>) {
    std::underlying_type_t<T> codice{};
    if (!leggi_campo(lettore, codice)) return false;
    valore = static_cast<T>(codice);
    return true;
  } else if constexpr (sizeof(T) == 1) {
    return lettore.byte(&valore);
  } else if constexpr (sizeof(T) == 2) {
    return lettore.int16(&valore);
  } else {
    return lettore.int32(&valore);
  }
}

template <typename Record>
bool leggi_record(LettoreByte& lettore, Record& record) {
  bool letto = true;
  visita_campi(record, [&](auto, auto& valore) { letto = letto && leggi_campo(lettore, valore); });
  return letto;
}

// The tags a compiled line may hold, for a message.
std::string etichette_ammesse() {
  std::string testo;
  for (size_t i = 0; i < kEtichette.size(); ++i) {
    if (i > 0) testo += i + 1 == kEtichette.size() ? " and " : ", ";
    testo += a_testo(static_cast<uint16_t>(kEtichette[i].etichetta)) + " (" +
             std::string(kEtichette[i].nome) + ")";
  }
  return testo;
}

}  // namespace

Status scrivi_linea(const Tracciato& tracciato, ByteSink& sink) {
  return scrivi(linea, tracciato, sink);
}
Status scrivi_registro(const RegistroCompilato& voci, ByteSink& sink) {
  return scrivi(registro, voci, sink);
}
Status scrivi_percorso(const std::vector<CellaPercorso>& celle, ByteSink& sink) {
  return scrivi(percorso, celle, sink);
}

std::string codifica_linea(const Tracciato& tracciato) { return codifica(linea, tracciato); }
std::string codifica_registro(const RegistroCompilato& voci) { return codifica(registro, voci); }
std::string codifica_percorso(const std::vector<CellaPercorso>& celle) {
  return codifica(percorso, celle);
}

std::string codifica_linea(const LineaCompilata& linea) {
  ScrittoreByte scrittore;
  for (const auto* serie : {&linea.x, &linea.y}) {
    for (const ValoreTracciato& v : *serie) {
      scrittore.uint16(static_cast<uint16_t>(v.etichetta));
      if (v.etichetta == EtichettaPunto::kIntero16) scrittore.int16(low16(arrotonda(v.valore)));
      if (v.etichetta == EtichettaPunto::kReale64) scrittore.float64(v.valore);
    }
  }
  return scrittore.prendi();
}

ValoreTracciato VistaLinea::Serie::prossimo() {
  LettoreByte lettore(byte_.substr(posizione_));
  uint16_t codice = 0;
  ValoreTracciato valore;
  // The view was checked when it was opened: every read succeeds.
  lettore.uint16(&codice);
  valore.etichetta = static_cast<EtichettaPunto>(codice);
  if (valore.etichetta == EtichettaPunto::kIntero16) {
    int16_t v = 0;
    lettore.int16(&v);
    valore.valore = v;
  } else if (valore.etichetta == EtichettaPunto::kReale64) {
    lettore.float64(&valore.valore);
  }
  posizione_ += lettore.posizione();
  return valore;
}

Status VistaLinea::apri(std::string_view byte, VistaLinea* vista) {
  if (byte.size() > dimensione_massima(TipoFileCompilato::kLinea)) {
    return troppo_grande(TipoFileCompilato::kLinea, byte.size(),
                         "the fully built plan view of a 1000000 m route");
  }
  // One pass checks every tag and counts the values; the file holds at most
  // 10 million, so the count cannot overflow.
  LettoreByte lettore(byte);
  size_t valori = 0;
  while (lettore.restanti() > 0) {
    const size_t inizio = lettore.posizione();
    uint16_t codice = 0;
    if (!lettore.uint16(&codice)) return troncato("a value tag", inizio, byte.size());
    const DescrizioneEtichetta* etichetta = descrizione_etichetta(codice);
    if (etichetta == nullptr) {
      return Status::Error("value " + a_testo(valori) + " at byte offset " + a_testo(inizio) +
                           " has the tag " + a_testo(codice) +
                           "; a compiled line holds only the tags " + etichette_ammesse());
    }
    if (!lettore.salta(etichetta->byte_valore)) {
      return troncato("a value tagged " + std::string(etichetta->nome), inizio, byte.size());
    }
    ++valori;
  }
  if (valori % 2 != 0) {
    return Status::Error("the file holds " + a_testo(valori) +
                         " values, an odd number; a compiled line holds an x and a y series of "
                         "equal length");
  }
  const size_t punti = valori / 2;
  if (punti < static_cast<size_t>(kPuntiMinimi) || punti > static_cast<size_t>(kPuntiMassimi)) {
    return Status::Error("the file holds " + a_testo(punti) + " points; a compiled line holds " +
                         a_testo(kPuntiMinimi) + " to " + a_testo(kPuntiMassimi) +
                         " (route length + 7001)");
  }
  VistaLinea letta;
  letta.byte_ = byte;
  letta.punti_ = static_cast<int32_t>(punti);
  Serie x(byte);
  for (size_t i = 0; i < punti; ++i) x.prossimo();
  letta.inizio_y_ = x.posizione_;
  *vista = letta;
  return Status::OK();
}

Status decodifica_linea(std::string_view byte, LineaCompilata* linea) {
  VistaLinea vista;
  if (Status aperta = VistaLinea::apri(byte, &vista); !aperta.ok()) return aperta;
  LineaCompilata letta;
  const size_t punti = static_cast<size_t>(vista.ultimo_punto()) + 1;
  letta.x.reserve(punti);
  letta.y.reserve(punti);
  VistaLinea::Serie x = vista.serie_x();
  VistaLinea::Serie y = vista.serie_y();
  for (size_t m = 0; m < punti; ++m) {
    letta.x.push_back(x.prossimo());
    letta.y.push_back(y.prossimo());
  }
  *linea = std::move(letta);
  return Status::OK();
}

Status decodifica_scenario(std::string_view byte, RegistroCompilato* registro) {
  if (byte.size() > dimensione_massima(TipoFileCompilato::kScenario)) {
    return troppo_grande(TipoFileCompilato::kScenario, byte.size(),
                         "87 entries, each with a text of 65535 bytes");
  }
  LettoreByte lettore(byte);
  RegistroCompilato letto{};
  for (size_t indice = 0; indice < letto.size(); ++indice) {
    const size_t inizio = lettore.posizione();
    if (!leggi_record(lettore, letto[indice])) {
      return troncato(
          "registro entry " + a_testo(indice) + ", which starts at byte offset " + a_testo(inizio),
          lettore.posizione(), byte.size());
    }
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
                         " cells; a compiled route grid holds " + a_testo(kCelleMinime) + " to " +
                         a_testo(kCelleMassime) + " (one per 50 m of the route length + 7000 m)");
  }
  LettoreByte lettore(byte);
  std::vector<CellaPercorso> letto(numero);
  // The size is checked above, so every read succeeds.
  for (CellaPercorso& cella : letto) leggi_record(lettore, cella);
  *celle = std::move(letto);
  return Status::OK();
}

}  // namespace scenario
