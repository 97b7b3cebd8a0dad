// Small source texts and a run of `memorizza_dati` on a memory file system,
// shared by the reader tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/memory_file_system.h"
#include "reader/memorizza_dati.h"
#include "reader/storers.h"

namespace scenario::test {

// Lines joined, each ended by CR LF.
inline std::string crlf(const std::vector<std::string>& righe) {
  std::string testo;
  for (const std::string& riga : righe) testo += riga + "\r\n";
  return testo;
}

// The general section of a line text, lines 1 to 10 (the header "[curve]"
// that ends it is line 10).
inline std::vector<std::string> generale_linea(int32_t lunghezza) {
  const std::string l = std::to_string(lunghezza);
  return {
      "[generale]",
      "lunghezza percorso,    " + l,
      "progressiva chilometrica uno,    0,    " + l + ",    1",
      "progressiva chilometrica due,    0,    0,    0",
      "progressiva chilometrica tre,    0,    0,    0",
      "sfondo uno,    80000",
      "sfondo due,    65000",
      "sfondo tre,    1",
      "ripetizione segnali 4 codici,    0    ,0",
      "[curve]",
  };
}

// A line text: the general section, then `percorso` from line 11, then "[fine]".
inline std::string testo_linea(const std::vector<std::string>& generale,
                               const std::vector<std::string>& percorso) {
  std::vector<std::string> righe = generale;
  righe.insert(righe.end(), percorso.begin(), percorso.end());
  righe.push_back("[fine]");
  return crlf(righe);
}
inline std::string testo_linea(int32_t lunghezza, const std::vector<std::string>& percorso = {}) {
  return testo_linea(generale_linea(lunghezza), percorso);
}

// A train text: the four train settings on lines 2 to 5, then `righe` from
// line 6, then "[fine]".
inline std::string testo_treno(const std::vector<std::string>& righe = {}) {
  std::vector<std::string> tutte = {
      "[generale]",
      "numero vetture,    5",
      "percentuale massa frenata,    110",
      "sabbia,    100",
      "orologio,    17              22            0 ",
  };
  tutte.insert(tutte.end(), righe.begin(), righe.end());
  tutte.push_back("[fine]");
  return crlf(tutte);
}

// A timetable record with the fields the reader computes with; the others
// are fixed (campo_5 1, stop 30 s, 17:23:00).
inline std::string stazione(int32_t posizione, int tipo, int32_t lunghezza, int campo_6 = 0,
                            const std::string& nome = "FERMATA") {
  return "stazione,  " + std::to_string(posizione) + ", " + std::to_string(tipo) + ",  " +
         std::to_string(lunghezza) + ",  1, 1, " + std::to_string(campo_6) +
         ",  4,1,0,  2,1,1,    30,  17,23, 0, " + nome;
}

// One run of the reader over texts put into a memory folder.
struct Prova {
  explicit Prova(int32_t scrivi_linea = 1) {
    tabelle.scrivi_linea = scrivi_linea;
    tabelle.nome_linea = nomi.nome_linea;
    tabelle.numero_treno = nomi.numero_treno;
  }
  Prova& linea(std::string testo) {
    disco.files()[nomi.testo_linea()] = std::move(testo);
    return *this;
  }
  Prova& treno(std::string testo) {
    disco.files()[nomi.testo_treno()] = std::move(testo);
    return *this;
  }
  Prova& esegui() {
    memorizza_dati(tabelle, disco, nomi);
    return *this;
  }
  bool linea_presente() const { return disco.files().count(nomi.testo_linea()) != 0; }
  bool treno_presente() const { return disco.files().count(nomi.testo_treno()) != 0; }
  const CellaPercorso& cella(int64_t i) const {
    return tabelle.percorso.at(static_cast<size_t>(i));
  }

  NomiFile nomi{"cartella", "LINEA DI PROVA - NORD", "4321"};
  Scenario tabelle;
  MemoryFileSystem disco;
};

}  // namespace scenario::test
