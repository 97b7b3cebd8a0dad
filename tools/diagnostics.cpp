#include "diagnostics.h"

#include <algorithm>

#include "command_guards.h"
#include "compiler/compiled_meaning.h"

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
  } else if (descrivi_codice(d.codice).origine == O::kPassataFinale) {
    riga += "finishing pass: ";
  }
  return riga;
}

}  // namespace

std::string riga_diagnostica(const Diagnostica& d) {
  return prefisso(d) + "error " + std::to_string(d.codice) + ": " + d.messaggio;
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

std::vector<Diagnostica> diagnostiche(const Scenario& tabelle, const TestiSorgente& autore,
                                      const TestiSorgente& compilati) {
  if (tabelle.codice_errore == 0) return {};
  const DescrizioneCodice riga = descrivi_codice(tabelle.codice_errore);
  const DiagnosticaLettura& lettura = tabelle.ultima_diagnostica;
  Diagnostica d;
  d.codice = riga.codice;
  d.messaggio = std::string(riga.significato);
  d.rimedio = std::string(riga.rimedio);
  // A reading failure says what the field input met, and where.
  if (riga.codice == kErroreLettura && !lettura.dettaglio.empty()) {
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
