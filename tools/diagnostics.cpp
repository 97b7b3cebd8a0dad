#include "diagnostics.h"

#include <algorithm>

#include "base/printable_text.h"
#include "base/rounding.h"
#include "base/windows_1252.h"
#include "command_guards.h"
#include "compiler/compiled_meaning.h"
#include "reader/source_records.h"

namespace scenario {
namespace {

using O = OrigineCodice;
using F = FormaPosizione;

std::string testo_posizione(FormaPosizione forma, int32_t posizione) {
  switch (forma) {
    case F::kNessuna:
      return "";
    case F::kMetri:
      return " at " + std::to_string(posizione) + " m";
    case F::kCella:
      return " at cell " + std::to_string(posizione / 50) + " (" + std::to_string(posizione) +
             " m)";
  }
  return "";
}

// "error 1250: MEANING, nothing written:", the start of a reserved-slot message.
std::string intestazione_slot(int32_t codice) {
  return "error " + std::to_string(codice) + ": " +
         std::string(descrivi_codice(codice).significato) + ", nothing written:";
}

std::string descrivi_cella(const CellaPercorso& cella) {
  std::string testo = std::string(nome_tipo_cella(cella.tipo));
  testo += " (kind " + std::to_string(static_cast<int>(cella.tipo)) + ")";
  return testo;
}

// "FILE:LINE:COLUMN: ", or "finishing pass: " for the finishing pass's codes.
std::string prefisso(const Diagnostica& d) {
  std::string riga;
  if (!d.file.empty()) {
    riga += d.file;
    if (d.riga) {
      riga += ":" + std::to_string(*d.riga);
      if (d.colonna) riga += ":" + std::to_string(*d.colonna);
    }
    riga += ": ";
  } else if (d.codice != 0 && descrivi_codice(d.codice).origine == O::kPassataFinale) {
    riga += "finishing pass: ";
  }
  return riga;
}

std::string_view parola_gravita(Gravita gravita) {
  return gravita == Gravita::kAvviso ? "warning" : "error";
}

// The keyword a record kind is written with.
std::string parola_chiave(std::optional<TipoRecord> tipo) {
  return tipo ? std::string(record_sorgente(*tipo).parola_chiave) : std::string("record");
}

const RecordLetto* record_del_luogo(const Osservazioni* osservazioni,
                                    const DiagnosticaLettura& luogo) {
  if (osservazioni == nullptr || !luogo.record) return nullptr;
  for (const RecordLetto& r : osservazioni->record) {
    if (r.file == luogo.file && r.tipo == *luogo.record && r.posizione.riga == luogo.riga &&
        r.posizione.colonna == luogo.colonna) {
      return &r;
    }
  }
  return nullptr;
}

int64_t numero(const RecordLetto& r, int32_t indice) {
  const CampoLetto* campo = r.campo(indice);
  return campo != nullptr ? campo->numero : 0;
}

// Points `d` at field `indice` of the observed record `r`.
void punta_al_campo(Diagnostica& d, const RecordLetto& r, int32_t indice,
                    const FontiCompilazione& fonti) {
  d.file = fonti.nome_autore(r.file);
  const CampoLetto* campo = r.campo(indice);
  const PosizioneTesto posizione = campo != nullptr ? campo->posizione : r.posizione;
  d.riga = posizione.riga;
  d.colonna = posizione.colonna;
}

// The slowdown or signal a finishing-pass code at `posizione` (a cell's
// start) is about: a signal with no room before it (11), a slowdown start
// with no room in a trio before it (12), or the slowdown whose inside or end
// had no room (13).
const RecordLetto* record_della_passata(int32_t codice, int32_t posizione,
                                        const Osservazioni& osservazioni) {
  const int64_t cella = posizione / 50;
  const RecordLetto* trovato = nullptr;
  for (const RecordLetto& r : osservazioni.record) {
    if (!r.completo) continue;
    if (codice == kErroreSegnalePrimaAvviso && r.tipo == TipoRecord::kSegnale &&
        cella_oggetto(numero(r, 1)) == cella) {
      return &r;
    }
    if (r.tipo != TipoRecord::kRallentamento) continue;
    const int64_t inizio = cella_oggetto(numero(r, 1));
    const int64_t fine = cella_oggetto(numero(r, 1) + numero(r, 3));
    if (codice == kErroreTerna && inizio == cella) return &r;
    if (codice == kErroreRallentamento && inizio < cella && cella <= fine) trovato = &r;
  }
  return trovato;
}

// The kilometre reference whose first or second number is off a 50 m mark,
// and which of the two.
const RecordLetto* progressiva_fuori_passo(const Osservazioni& osservazioni, int32_t* indice) {
  for (const RecordLetto& r : osservazioni.record) {
    if (r.tipo != TipoRecord::kProgressivaUno && r.tipo != TipoRecord::kProgressivaDue &&
        r.tipo != TipoRecord::kProgressivaTre) {
      continue;
    }
    for (int32_t i : {1, 2}) {
      if (r.campo(i) != nullptr && numero(r, i) % 50 != 0) {
        *indice = i;
        return &r;
      }
    }
  }
  return nullptr;
}

std::string guasto_del_campo(const DiagnosticaLettura& luogo, bool fuori_riga) {
  const std::string record = parola_chiave(luogo.record);
  const std::string campo =
      "\"" + std::string(luogo.nome_campo()) + "\" (field " + std::to_string(luogo.campo) + ")";
  if (luogo.motivo == "reading past the end of the text") {
    return "the " + record + " record is short of fields: " + campo +
           " is missing and the text ends there";
  }
  if (fuori_riga) {
    return "the " + record + " record is short of fields: " + campo +
           " is missing, and the reader took \"" + stampabile(luogo.testo_campo) + "\" from line " +
           std::to_string(luogo.riga_campo) + ", column " + std::to_string(luogo.colonna_campo) +
           " in its place, which " + luogo.motivo;
  }
  return campo + " of the " + record + " record: \"" + stampabile(luogo.testo_campo) + "\" " +
         luogo.motivo;
}

// A reading failure at a field, in the author's words. A field the reader
// took from a line after its record's means the record is short of fields.
std::string guasto_in_parole(const DiagnosticaLettura& luogo, bool fuori_riga,
                             const RecordLetto* letto) {
  const std::string intestazione =
      letto != nullptr ? intestazione_come_record(letto->parola, letto->tipo) : "";
  return intestazione + guasto_del_campo(luogo, fuori_riga);
}

constexpr std::string_view kPrimaDellOrigine =
    "positions count from the route's origin, the first station, at 0 m";

// The cause of a code in the author's words when the table's meaning would
// mislead: an object before the route's start is "on an occupied cell" to
// the storer, a slowdown end beyond the grid likewise.
std::optional<std::string> causa_in_parole(const ErroreRegistrato& e, const RecordLetto* record,
                                           const Scenario& tabelle, std::string* rimedio) {
  const int64_t p = e.posizione;
  const auto prima = [&](std::string_view cosa) {
    *rimedio = std::string(kPrimaDellOrigine);
    return std::string(cosa) + " at " + std::to_string(p) + " m lies before the route's start";
  };
  switch (e.codice) {
    case kErroreSegnaleOccupato:
      if (cella_oggetto(p) < 0) return prima("signal");
      break;
    case kErroreIndicatoreOccupato:
      if (cella_oggetto(p) < 0) return prima("speed board");
      break;
    case kErroreInizioRallentamentoOccupato:
      if (cella_oggetto(p) < 0) return prima("slowdown start");
      break;
    case kErroreFuoriGriglia:
      if (p < 0) return prima("record");
      break;
    case kErroreFineRallentamentoOccupato: {
      if (record == nullptr || record->campo(3) == nullptr) break;
      const int64_t fine = p + numero(*record, 3);
      if (cella_oggetto(fine) < 0) {
        *rimedio = "give the slowdown a positive length";
        return "slowdown end at " + std::to_string(fine) + " m (" + std::to_string(p) + " m + " +
               std::to_string(numero(*record, 3)) + " m) lies before the route's start";
      }
      if (cella_oggetto(fine) >= static_cast<int64_t>(tabelle.percorso.size())) {
        *rimedio = "shorten the slowdown or lengthen the route";
        return "slowdown end at " + std::to_string(fine) +
               " m lies beyond the route grid's end at " +
               std::to_string(int64_t{tabelle.ultima_cella} * 50) + " m";
      }
      break;
    }
    default:
      break;
  }
  return std::nullopt;
}

}  // namespace

std::string riga_diagnostica(const Diagnostica& d) {
  if (d.codice != 0) return prefisso(d) + "error " + std::to_string(d.codice) + ": " + d.messaggio;
  return prefisso(d) + std::string(parola_gravita(d.gravita)) + ": [" + d.id + "] " + d.messaggio;
}

std::string riga_rimedio(const Diagnostica& d) {
  if (d.rimedio.empty()) return "";
  return prefisso(d) + "note: " + d.rimedio;
}

void stampa_diagnostiche(const std::vector<Diagnostica>& diagnostiche, std::ostream& err) {
  for (const Diagnostica& d : diagnostiche) {
    err << riga_stampabile(riga_diagnostica(d)) << "\n";
    if (const std::string rimedio = riga_rimedio(d); !rimedio.empty()) {
      err << riga_stampabile(rimedio) << "\n";
    }
  }
}

std::string riga_controllo(const Diagnostica& d) {
  std::string riga =
      prefisso(d) + std::string(parola_gravita(d.gravita)) + ": [" + d.id + "] " + d.messaggio;
  if (d.codice != 0) riga += " (error " + std::to_string(d.codice) + ")";
  return riga;
}

std::string stampabile(std::string_view testo_windows_1252) {
  return testo_stampabile(windows_1252_a_utf8(testo_windows_1252));
}

const std::string& FontiCompilazione::nome_autore(const std::string& compilato) const {
  if (compilato == compilati.linea) return autore.linea;
  if (compilato == compilati.treno) return autore.treno;
  return compilato;
}

const std::string& FontiCompilazione::testo(const std::string& file) const {
  static const std::string kVuoto;
  if ((file == compilati.linea || file == autore.linea) && testo_linea) return *testo_linea;
  if ((file == compilati.treno || file == autore.treno) && testo_treno) return *testo_treno;
  return kVuoto;
}

std::optional<size_t> inizio_riga(std::string_view testo, int32_t riga) {
  int32_t corrente = 1;
  size_t i = 0;
  while (corrente < riga && i < testo.size()) {
    const char c = testo[i++];
    if (c == '\r' && i < testo.size() && testo[i] == '\n') ++i;
    if (c == '\r' || c == '\n') ++corrente;
  }
  if (corrente != riga) return std::nullopt;
  return i;
}

int32_t colonna_fine_riga(std::string_view testo, int32_t riga) {
  const size_t i = inizio_riga(testo, riga).value_or(testo.size());
  size_t fine = i;
  while (fine < testo.size() && testo[fine] != '\r' && testo[fine] != '\n') ++fine;
  while (fine > i && (testo[fine - 1] == ' ' || testo[fine - 1] == '\t')) --fine;
  return static_cast<int32_t>(fine - i) + 1;
}

std::string intestazione_come_record(std::string_view parola, std::optional<TipoRecord> tipo) {
  if (!tipo || parola.find('[') == std::string_view::npos) return "";
  const std::string chiave = parola_chiave(tipo);
  return "the header \"" + stampabile(parola) + "\" holds the keyword \"" + chiave +
         "\", so the reader takes it for a record; ";
}

int64_t cella_oggetto(int64_t posizione) {
  return arrotonda(static_cast<double>(posizione) / 50 + 1);
}

Diagnostica diagnostica_errore(const ErroreRegistrato& e, const Scenario& tabelle,
                               const FontiCompilazione& fonti) {
  const DescrizioneCodice riga = descrivi_codice(e.codice);
  const DiagnosticaLettura& luogo = e.luogo;
  const RecordLetto* record = record_del_luogo(fonti.osservazioni, luogo);
  Diagnostica d;
  d.codice = riga.codice;
  d.id = std::string(riga.id);
  d.messaggio = std::string(riga.significato);
  d.rimedio = std::string(riga.rimedio);

  const bool fuori_riga = luogo.campo > 0 && luogo.riga_campo > luogo.riga;
  if (riga.codice == kErroreLettura && luogo.campo > 0) {
    d.messaggio = guasto_in_parole(luogo, fuori_riga, record);
    if (fuori_riga) d.rimedio = std::string(kRimedioCampiMancanti);
    if (record != nullptr && !intestazione_come_record(record->parola, record->tipo).empty()) {
      d.rimedio = std::string(kRimedioIntestazione);
    }
  } else if (riga.codice == kErroreLettura && !luogo.dettaglio.empty()) {
    d.messaggio = "a source text could not be read: " + luogo.dettaglio;
  } else if (std::optional<std::string> causa = causa_in_parole(e, record, tabelle, &d.rimedio)) {
    d.messaggio = *causa;
  } else {
    d.messaggio += testo_posizione(riga.posizione, e.posizione);
  }

  if (riga.origine == O::kPassataFinale) {
    // The finishing pass runs after the reader: the slowdown or signal at
    // the cell says where.
    if (fonti.osservazioni != nullptr) {
      if (const RecordLetto* r = record_della_passata(e.codice, e.posizione, *fonti.osservazioni)) {
        punta_al_campo(d, *r, 1, fonti);
      }
    }
    return d;
  }
  if (!luogo.file.empty() && luogo.riga > 0) {
    d.file = fonti.nome_autore(luogo.file);
    d.riga = luogo.riga;
    d.colonna = luogo.colonna;
    // The field the code is about; a field missing from the record's line
    // would stand at that line's end.
    if (fuori_riga) {
      d.colonna = colonna_fine_riga(fonti.testo(luogo.file), luogo.riga);
    } else if (luogo.campo > 0 && luogo.riga_campo == luogo.riga) {
      d.colonna = luogo.colonna_campo;
    }
    return d;
  }
  int32_t indice = 0;
  const RecordLetto* progressiva =
      riga.codice == kErroreProgressive && fonti.osservazioni != nullptr
          ? progressiva_fuori_passo(*fonti.osservazioni, &indice)
          : nullptr;
  if (progressiva != nullptr) {
    punta_al_campo(d, *progressiva, indice, fonti);
  } else if (!luogo.file.empty()) {
    d.file = fonti.nome_autore(luogo.file);
  } else if (riga.origine == O::kTestoLinea) {
    d.file = fonti.autore.linea;
  } else if (riga.origine == O::kTestoTreno) {
    d.file = fonti.autore.treno;
  }
  return d;
}

std::vector<Diagnostica> diagnostiche(const Scenario& tabelle, const FontiCompilazione& fonti) {
  if (tabelle.codice_errore == 0) return {};
  const ErroreRegistrato ultimo{tabelle.codice_errore, tabelle.posizione_errore,
                                tabelle.ultima_diagnostica};
  return {diagnostica_errore(ultimo, tabelle, fonti)};
}

std::vector<Diagnostica> diagnostiche(const Scenario& tabelle, const TestiSorgente& autore,
                                      const TestiSorgente& compilati) {
  return diagnostiche(tabelle, FontiCompilazione{autore, compilati});
}

const RecordLetto* record_in_cella_riservata(const Osservazioni& osservazioni) {
  for (const RecordLetto& r : osservazioni.record) {
    if (!r.completo) continue;
    switch (r.tipo) {
      case TipoRecord::kSegnale:
      case TipoRecord::kIndicatoriVMax:
      case TipoRecord::kCartelloIndicatore:
        if (cella_oggetto(numero(r, 1)) == kCellaTimbro) return &r;
        break;
      case TipoRecord::kRallentamento:
        if (cella_oggetto(numero(r, 1)) == kCellaTimbro ||
            cella_oggetto(numero(r, 1) + numero(r, 3)) == kCellaTimbro) {
          return &r;
        }
        break;
      case TipoRecord::kAbbattimento:
        if (arrotonda(static_cast<double>(numero(r, 1)) / 50) == kCellaTimbro) return &r;
        break;
      default:
        break;
    }
  }
  return nullptr;
}

std::string messaggio_esito(EsitoCompilazione esito, const Scenario& tabelle) {
  switch (esito) {
    case EsitoCompilazione::kCompletata:
      return "";
    case EsitoCompilazione::kErrore1250: {
      std::string testo = intestazione_slot(kErroreSlotTimbri);
      if (tabelle.registro[kVoceLinea].campo_7 != 0) {
        testo += " registro entry 85 campo_7 holds " +
                 std::to_string(tabelle.registro[kVoceLinea].campo_7) + ";";
      }
      if (tabelle.percorso.size() > 1 && tabelle.percorso[1].valore_1 != 0) {
        testo += " route cell 1 holds a " + descrivi_cella(tabelle.percorso[1]) +
                 " with valore_1 " + std::to_string(tabelle.percorso[1].valore_1) +
                 "; cell 1 takes the objects placed at 0 m and the code-cut points at 50 m;";
      }
      testo.back() = '.';
      return testo;
    }
    case EsitoCompilazione::kErrore1251: {
      std::string testo = intestazione_slot(kErroreSlotCodiciGara);
      if (tabelle.registro[kVoceLinea].orario != 0) {
        testo += " registro entry 85 orario holds " +
                 std::to_string(tabelle.registro[kVoceLinea].orario) + ";";
      }
      if (tabelle.percorso.size() > 1 && tabelle.percorso[1].valore_2 != 0) {
        testo += " route cell 1 holds a " + descrivi_cella(tabelle.percorso[1]) +
                 " with valore_2 " + std::to_string(tabelle.percorso[1].valore_2) +
                 "; cell 1 takes the objects placed at 0 m and the code-cut points at 50 m;";
      }
      testo.back() = '.';
      return testo;
    }
    case EsitoCompilazione::kNessunaGriglia:
      return "no route grid: the reader stopped before the route length (lunghezza percorso) of "
             "the line source text; nothing written";
  }
  return "";
}

}  // namespace scenario
