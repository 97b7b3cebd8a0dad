#include "driver/messaggi.h"

#include <gtest/gtest.h>

#include <string>

#include "base/file_system.h"

namespace scenario {
namespace {

const std::string kFileLinea = "C:\\Giochi\\Simulatore\\BELFORTE SELVEN - MELAR_linea.txt";

TEST(Messaggi, SayWhatStoppedTheInstallationInItalian) {
  const struct {
    std::string messaggio;
    std::string atteso;
  } casi[] = {
      {messaggio_fallimento(Status::IOError(Operazione::kCreazione, kFileLinea, "Accesso negato.")),
       "Installazione non riuscita.\nImpossibile creare il file\n" + kFileLinea +
           "\nMotivo: Accesso negato."},
      {messaggio_fallimento(
           Status::IOError(Operazione::kSostituzione, "/giochi/a.dat", "Operation not permitted")),
       "Installazione non riuscita.\nImpossibile sostituire il file\n/giochi/a.dat\n"
       "Motivo: Operation not permitted"},
      {messaggio_fallimento(Status::IOError(Operazione::kScrittura, "b.sim", "Disco pieno.")),
       "Installazione non riuscita.\nImpossibile scrivere il file\nb.sim\nMotivo: Disco pieno."},
      {messaggio_senza_percorso(101),
       "Installazione non riuscita.\n"
       "Impossibile compilare lo scenario: dalla descrizione\n"
       "della linea non risulta alcun percorso (codice 101).\n"
       "I file compilati non sono stati scritti."},
      {messaggio_senza_percorso(25),
       "Installazione non riuscita.\n"
       "Impossibile compilare lo scenario: dalla descrizione\n"
       "della linea non risulta alcun percorso (codice 25).\n"
       "I file compilati non sono stati scritti."},
      {messaggio_cartella_sconosciuta(),
       "Installazione non riuscita.\n"
       "Impossibile sapere in quale cartella si trova il programma."},
  };
  for (const auto& caso : casi) EXPECT_EQ(caso.messaggio, caso.atteso);
}

#ifndef _WIN32
// The players' readme quotes each message as the player sees it, one line of
// the message to a line of the readme, indented by four blanks.
TEST(Messaggi, TheReadmeQuotesThemAsTheyAppear) {
  std::string leggimi;
  ASSERT_TRUE(disk_file_system().ReadFile(BM_LEGGIMI_PATH, &leggimi).ok());
  for (const std::string& messaggio :
       {messaggio_fallimento(
            Status::IOError(Operazione::kSostituzione, kFileLinea, "Accesso negato.")),
        messaggio_senza_percorso(101), messaggio_cartella_sconosciuta(),
        messaggio_cartella_occupata()}) {
    std::string citato = "\r\n    ";
    for (const char c : messaggio)
      citato += c == '\n' ? std::string("\r\n    ") : std::string(1, c);
    citato += "\r\n";
    EXPECT_NE(leggimi.find(citato), std::string::npos) << "not quoted in LEGGIMI.txt:\n"
                                                       << messaggio;
  }
}
#endif

}  // namespace
}  // namespace scenario
