#include "content/payload_format.h"

#include <algorithm>
#include <string>
#include <utility>

#include "base/name_check.h"
#include "base/sha256.h"

namespace scenario {
namespace {

constexpr std::string_view kMagiaIntestazione = "SCNPACCO";
constexpr std::string_view kMagiaCoda = "SCNCODA1";
constexpr size_t kByteImpronta = 32;
constexpr size_t kByteCoda = 8 + 8;

// The fields of a payload, in their order, once for both directions: the
// writer's `Passo` appends each field, the reader's takes it back and checks
// it. A field the reader cannot take ends the walk with the reason.
template <typename Passo, typename C>
bool percorri_intestazione(Passo& passo, C& carico, uint16_t& versione, uint8_t& numero_file) {
  return passo.magia(kMagiaIntestazione) && passo.intero(versione) &&
         passo.testo(carico.nome_linea, uint16_t{}, kMassimoNomeCarico) &&
         passo.testo(carico.numero_treno, uint16_t{}, kMassimoNomeCarico) &&
         passo.intero(numero_file);
}

template <typename Passo, typename S>
bool percorri_file(Passo& passo, uint8_t& tipo, S& byte) {
  return passo.intero(tipo) && passo.testo(byte, uint32_t{}, kMassimoFileCarico);
}

template <typename Passo>
bool percorri_coda(Passo& passo, uint64_t& lunghezza) {
  return passo.magia(kMagiaCoda) && passo.intero(lunghezza);
}

class Scrittura {
 public:
  explicit Scrittura(std::string* byte) : byte_(*byte) {}

  bool magia(std::string_view magia) {
    byte_ += magia;
    return true;
  }
  template <typename T>
  bool intero(T valore) {
    for (size_t i = 0; i < sizeof(T); ++i) byte_ += static_cast<char>(uint64_t{valore} >> (8 * i));
    return true;
  }
  template <typename Lunghezza>
  bool testo(std::string_view testo, Lunghezza, size_t) {
    intero(static_cast<Lunghezza>(testo.size()));
    byte_ += testo;
    return true;
  }

 private:
  std::string& byte_;
};

class Lettura {
 public:
  explicit Lettura(std::string_view byte) : byte_(byte) {}

  size_t restanti() const { return byte_.size() - posizione_; }
  const std::string& errore() const { return errore_; }

  bool magia(std::string_view magia) {
    if (byte_.substr(posizione_, magia.size()) != magia) return fallisce("no payload marker");
    posizione_ += magia.size();
    return true;
  }
  template <typename T>
  bool intero(T& valore) {
    if (restanti() < sizeof(T)) return fallisce("the payload ends inside a field");
    uint64_t v = 0;
    for (size_t i = 0; i < sizeof(T); ++i) {
      v |= uint64_t{static_cast<uint8_t>(byte_[posizione_ + i])} << (8 * i);
    }
    valore = static_cast<T>(v);
    posizione_ += sizeof(T);
    return true;
  }
  template <typename Lunghezza>
  bool testo(std::string& testo, Lunghezza lunghezza, size_t massimo) {
    if (!intero(lunghezza)) return false;
    if (lunghezza > massimo) {
      return fallisce("a length of " + std::to_string(lunghezza) + " bytes, more than the " +
                      std::to_string(massimo) + " allowed");
    }
    if (restanti() < lunghezza) return fallisce("the payload ends inside a field");
    testo.assign(byte_.substr(posizione_, lunghezza));
    posizione_ += lunghezza;
    return true;
  }

 private:
  bool fallisce(std::string errore) {
    errore_ = std::move(errore);
    return false;
  }

  std::string_view byte_;
  size_t posizione_ = 0;
  std::string errore_;
};

LetturaCarico difetto(DifettoCarico difetto, std::string dettaglio) {
  return LetturaCarico{difetto, std::move(dettaglio)};
}

std::string_view nome_tipo(Documento documento) {
  switch (documento) {
    case Documento::kTestoLinea:
      return "the line source text";
    case Documento::kTestoTreno:
      return "the train source text";
    case Documento::kNote:
      return "the line notes";
    case Documento::kRallentamenti:
      return "the slowdown order";
    case Documento::kSchedaTreno:
      return "the train card";
  }
  return "";
}

// What both sides require of the content: names that can name the files of
// a run, and both source texts, each within its bound.
LetturaCarico controlla_contenuto(const Carico& carico) {
  if (const Status nome = controlla_nome_linea(carico.nome_linea); !nome.ok()) {
    return difetto(DifettoCarico::kNomeNonValido, "line name: " + nome.message());
  }
  if (const Status numero = controlla_numero_treno(carico.numero_treno); !numero.ok()) {
    return difetto(DifettoCarico::kNomeNonValido, "train number: " + numero.message());
  }
  for (const Documento documento : {Documento::kTestoLinea, Documento::kTestoTreno}) {
    if (!carico[documento]) {
      return difetto(DifettoCarico::kTestoMancante,
                     std::string(nome_tipo(documento)) + " is missing");
    }
  }
  return LetturaCarico{};
}

}  // namespace

LetturaCarico componi_carico(const Carico& carico, std::string* byte) {
  if (LetturaCarico contenuto = controlla_contenuto(carico); !contenuto.ok()) return contenuto;
  for (const Documento documento : kDocumentiDellaCorsa) {
    if (carico[documento] && carico[documento]->size() > kMassimoFileCarico) {
      return difetto(DifettoCarico::kMalformato, std::string(nome_tipo(documento)) +
                                                     " is larger than " +
                                                     std::to_string(kMassimoFileCarico) + " bytes");
    }
  }

  std::string uscita;
  Scrittura scrittura(&uscita);
  uint16_t versione = kVersioneCarico;
  uint8_t numero_file = 0;
  for (const Documento documento : kDocumentiDellaCorsa) numero_file += carico[documento] ? 1 : 0;
  percorri_intestazione(scrittura, carico, versione, numero_file);
  for (const Documento documento : kDocumentiDellaCorsa) {
    if (!carico[documento]) continue;
    uint8_t tipo = static_cast<uint8_t>(documento);
    percorri_file(scrittura, tipo, *carico[documento]);
  }
  const ImprontaSha256 impronta = sha256(uscita);
  uscita.append(reinterpret_cast<const char*>(impronta.data()), impronta.size());
  uint64_t lunghezza = uscita.size() + kByteCoda;
  percorri_coda(scrittura, lunghezza);
  *byte = std::move(uscita);
  return LetturaCarico{};
}

LetturaCarico leggi_carico(std::string_view programma, Carico* carico) {
  uint64_t lunghezza = 0;
  Lettura coda(programma.substr(programma.size() - std::min(programma.size(), kByteCoda)));
  if (!percorri_coda(coda, lunghezza)) {
    // A header with no trailer after it is a package cut short (a download
    // that stopped); the program's own bytes hold the header's marker only
    // as a constant, never followed by a format version.
    std::string intestazione(kMagiaIntestazione);
    Scrittura(&intestazione).intero(kVersioneCarico);
    if (programma.find(intestazione) != std::string_view::npos) {
      return difetto(DifettoCarico::kTroncato, "a payload with no trailer: the file was cut short");
    }
    return difetto(DifettoCarico::kAssente, "no payload at the end of the file");
  }
  if (lunghezza > programma.size()) {
    return difetto(DifettoCarico::kTroncato, "the payload claims " + std::to_string(lunghezza) +
                                                 " bytes, the file has " +
                                                 std::to_string(programma.size()));
  }
  if (lunghezza < kByteCoda + kByteImpronta) {
    return difetto(DifettoCarico::kMalformato,
                   "a payload length of " + std::to_string(lunghezza) + " bytes is too short");
  }

  // The checksum first: a payload damaged anywhere before it is told as
  // damaged, not by whichever field the damage happened to make wrong.
  const std::string_view intero = programma.substr(programma.size() - lunghezza);
  const std::string_view contenuto = intero.substr(0, intero.size() - kByteCoda - kByteImpronta);
  const ImprontaSha256 impronta = sha256(contenuto);
  if (intero.substr(contenuto.size(), kByteImpronta) !=
      std::string_view(reinterpret_cast<const char*>(impronta.data()), impronta.size())) {
    return difetto(DifettoCarico::kImprontaErrata, "the payload's checksum does not match");
  }

  Carico letto;
  Lettura lettura(contenuto);
  uint16_t versione = 0;
  uint8_t numero_file = 0;
  if (!percorri_intestazione(lettura, letto, versione, numero_file)) {
    return difetto(DifettoCarico::kMalformato, "header: " + lettura.errore());
  }
  if (versione != kVersioneCarico) {
    return difetto(DifettoCarico::kVersione, "format version " + std::to_string(versione) +
                                                 ", this program reads version " +
                                                 std::to_string(kVersioneCarico));
  }
  if (numero_file > kDocumentiDellaCorsa.size()) {
    return difetto(DifettoCarico::kMalformato,
                   std::to_string(numero_file) + " files, a run has at most 5");
  }
  size_t tipo_minimo = 0;
  for (uint8_t i = 0; i < numero_file; ++i) {
    uint8_t tipo = 0;
    std::string byte;
    if (!percorri_file(lettura, tipo, byte)) {
      return difetto(DifettoCarico::kMalformato,
                     "file " + std::to_string(i + 1) + ": " + lettura.errore());
    }
    if (tipo >= kDocumentiDellaCorsa.size()) {
      return difetto(DifettoCarico::kMalformato,
                     "file " + std::to_string(i + 1) + ": unknown kind " + std::to_string(tipo));
    }
    // The files come in the order of a run, each kind once: one scenario
    // has one payload, byte for byte.
    if (tipo < tipo_minimo) {
      return difetto(DifettoCarico::kMalformato,
                     std::string(nome_tipo(static_cast<Documento>(tipo))) +
                         " comes twice or out of the order of a run");
    }
    tipo_minimo = tipo + 1;
    letto[static_cast<Documento>(tipo)] = std::move(byte);
  }
  if (lettura.restanti() != 0) {
    return difetto(DifettoCarico::kMalformato,
                   std::to_string(lettura.restanti()) + " bytes left over after the files");
  }
  if (LetturaCarico controllo = controlla_contenuto(letto); !controllo.ok()) return controllo;
  *carico = std::move(letto);
  return LetturaCarico{};
}

}  // namespace scenario
