// What the installer tells a player when the installation stops, in Italian:
// the package is for Italian players, and packaging/LEGGIMI.txt quotes these
// messages as they appear. Each message names what went wrong first, then
// what the player can look into. The numbered message of `errore` is apart
// (errore.h).
#pragma once

#include <cstdint>
#include <string>

#include "base/status.h"
#include "content/payload_format.h"

namespace scenario {

// A file that could not be read, written, replaced or deleted: what was being
// done, to which file, and the system's reason, one to a line:
//
//   Installazione non riuscita.
//   Impossibile creare il file
//   C:\Giochi\Simulatore\BELFORTE SELVEN - MELAR_linea.txt
//   Motivo: Accesso negato.
std::string messaggio_fallimento(const Status& status);

// The line's source text gave no route, so nothing could be compiled; the
// reader's code `codice_errore` says why.
std::string messaggio_senza_percorso(int32_t codice_errore);

// Another installation kept the folder busy for longer than a run takes; this
// one ends without touching anything.
std::string messaggio_cartella_occupata();

// The system could not tell which folder the program was started from.
std::string messaggio_cartella_sconosciuta();

// A package program whose scenario cannot be installed: none appended (the
// bare program), a copy cut short or changed on its way, or a scenario this
// program cannot read. Nothing has been written.
std::string messaggio_pacchetto_difettoso(DifettoCarico difetto);

}  // namespace scenario
