#include "diagnostics.h"

#include <algorithm>

#include "compiler/compiled_meaning.h"

namespace scenario {
namespace {

using O = OrigineCodice;
using F = FormaPosizione;

// Each meaning names the record and the rule it broke, as an author reads it
// next to the record's line.
const std::vector<SignificatoCodice> kTabella = {
    {1, "route length (lunghezza percorso) above 1000000 m or negative", O::kTestoLinea,
     F::kNessuna},
    {2,
     "a kilometre reference (progressiva chilometrica) has a first or second number that is not a multiple of 50",
     O::kTestoLinea, F::kNessuna},
    {3, "first cab-signal repetition position is not a multiple of 50", O::kTestoLinea,
     F::kNessuna},
    {4, "second cab-signal repetition position is not a multiple of 50", O::kTestoLinea,
     F::kNessuna},
    {5, "cab-signal repetition keyword holds neither \"4\" nor \"9\"", O::kTestoLinea, F::kNessuna},
    {6, "lettered board on an occupied cell", O::kTestoLinea, F::kMetri},
    {7, "code-cut point (abbattimento) on an occupied cell", O::kTestoTreno, F::kMetri},
    {8, "station position is not a multiple of 50", O::kTestoTreno, F::kMetri},
    {9, "station length is not a multiple of 100", O::kTestoTreno, F::kMetri},
    {10, "too many stations and lettered boards for the record table (they share entries 1 to 80)",
     O::kTestiSorgente, F::kNessuna},
    {11,
     "no free cell and no code-cut point in the two cells before a signal that stands 1 to 20 cells before a slowdown warning board",
     O::kPassataFinale, F::kCella},
    {12,
     "no free cell for a code-cut point in a trio (5-7, 11-13 or 18-20 cells) before a slowdown start",
     O::kPassataFinale, F::kCella},
    {13,
     "no free cell for a code-cut point inside a slowdown below 110 km/h (every 8th cell) or just before the first signal after its end",
     O::kPassataFinale, F::kCella},
    {15,
     "record outside the route grid (positions reach the route length + 6900 m, stations the route length + 6200 m)",
     O::kTestiSorgente, F::kMetri},
    {16, "signal on an occupied cell", O::kTestoTreno, F::kMetri},
    {17, "slowdown warning board (1200 m before the slowdown) on an occupied cell", O::kTestoTreno,
     F::kMetri},
    {18, "slowdown start on an occupied cell", O::kTestoTreno, F::kMetri},
    {19, "slowdown end on an occupied cell", O::kTestoTreno, F::kMetri},
    {20, "one of the four cells before a slowdown warning board is occupied", O::kTestoTreno,
     F::kMetri},
    {21, "speed board (indicatori_vmax) on an occupied cell", O::kTestoLinea, F::kMetri},
    {22, "station area begins less than 350 m after the previous station's end", O::kTestoTreno,
     F::kMetri},
    {24, "station's stop point would fall on cell 1 or lower (its area ends at 100 m or less)",
     O::kTestoTreno, F::kNessuna},
    {25,
     "a source text could not be read (a missing field, a field that is not a number of its range, reading past the end, a text that cannot be opened or deleted, or a record before the route length)",
     O::kTestiSorgente, F::kNessuna},
    {101, "no line source text in the folder", O::kTestoLinea, F::kNessuna},
    {102, "the line source text has no \"[generale]\" section", O::kTestoLinea, F::kNessuna},
    {103, "curve keyword without a class digit 1 to 6, or a curve reaching beyond 1000000 m",
     O::kTestoLinea, F::kNessuna},
};

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

std::string descrivi_cella(const CellaPercorso& cella) {
  std::string testo = std::string(nome_tipo_cella(cella.tipo));
  testo += " (kind " + std::to_string(static_cast<int>(cella.tipo)) + ")";
  return testo;
}

}  // namespace

const std::vector<SignificatoCodice>& tabella_codici() { return kTabella; }

SignificatoCodice significato_codice(int32_t codice) {
  const auto trovato =
      std::find_if(kTabella.begin(), kTabella.end(),
                   [codice](const SignificatoCodice& r) { return r.codice == codice; });
  if (trovato != kTabella.end()) return *trovato;
  return {codice, "an error code this tool does not know", O::kNessuna, F::kNessuna};
}

std::string riga_diagnostica(const Diagnostica& d) {
  std::string riga;
  if (!d.file.empty()) {
    riga += d.file;
    if (d.riga) {
      riga += ":" + std::to_string(*d.riga);
      if (d.colonna) riga += ":" + std::to_string(*d.colonna);
    }
    riga += ": ";
  } else if (significato_codice(d.codice).origine == O::kPassataFinale) {
    riga += "finishing pass: ";
  }
  riga += "error " + std::to_string(d.codice) + ": " + d.messaggio;
  return riga;
}

std::vector<Diagnostica> diagnostiche(const Scenario& tabelle, const TestiSorgente& autore,
                                      const TestiSorgente& compilati) {
  if (tabelle.codice_errore == 0) return {};
  const SignificatoCodice riga = significato_codice(tabelle.codice_errore);
  const DiagnosticaLettura& lettura = tabelle.ultima_diagnostica;
  Diagnostica d;
  d.codice = riga.codice;
  d.messaggio = std::string(riga.significato);
  // A reading failure says what the field input met, and where.
  if (riga.codice == 25 && !lettura.dettaglio.empty()) {
    d.messaggio = "a source text could not be read: " + lettura.dettaglio;
  }
  d.messaggio += testo_posizione(riga.posizione, tabelle.posizione_errore);

  // The finishing pass runs after the reader: where the reader last stopped
  // says nothing about its codes.
  if (riga.origine == O::kPassataFinale) return {d};
  if (!lettura.file.empty()) {
    d.file = lettura.file == compilati.linea   ? autore.linea
             : lettura.file == compilati.treno ? autore.treno
                                               : lettura.file;
    if (lettura.riga > 0) d.riga = lettura.riga;
    if (lettura.riga > 0 && lettura.colonna > 0) d.colonna = lettura.colonna;
  } else if (riga.origine == O::kTestoLinea) {
    d.file = autore.linea;
  } else if (riga.origine == O::kTestoTreno) {
    d.file = autore.treno;
  }
  return {d};
}

std::string messaggio_esito(EsitoCompilazione esito, const Scenario& tabelle) {
  switch (esito) {
    case EsitoCompilazione::kCompletata:
      return "";
    case EsitoCompilazione::kErrore1250: {
      std::string testo =
          "error 1250: a reserved slot for the stamps is occupied, nothing written:";
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
      std::string testo =
          "error 1251: a reserved slot for the competition codes is occupied, nothing written:";
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
