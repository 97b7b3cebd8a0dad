// What the two phases of `memorizza_dati` share: the source text being read,
// the token just read, the keyword tests, the position check, access to the
// route grid and the recording of error codes with where they arose.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/file_system.h"
#include "reader/compile_observer.h"
#include "reader/error_codes.h"
#include "reader/field_input.h"
#include "reader/scenario_tables.h"
#include "reader/source_records.h"

namespace scenario {

// How a step of a reader ends.
enum class Esito {
  kProsegui,       // go on with the next step
  kFineSezione,    // end of the text, or a record beyond the grid: the closing steps run
  kFineProcedura,  // an error is recorded and the text deleted: memorizza_dati ends
  kGuasto,         // a reading failure: the error handler records code 25
};

// The field an error concerns, by its index in the record's list (from 1);
// 0 for the record as a whole.
struct CampoErrore {
  int32_t indice = 0;
};
inline constexpr CampoErrore kRecordIntero{0};
inline constexpr CampoErrore kPrimoCampo{1};  // every record's position comes first

class LetturaSorgente {
 public:
  // `osservatore`, when given, is told of every record read, every token
  // passed over and every code recorded.
  LetturaSorgente(Scenario& tabelle, FileSystem& file_system,
                  OsservatoreCompilazione* osservatore = nullptr)
      : tabelle_(tabelle), file_system_(file_system), osservatore_(osservatore) {}
  LetturaSorgente(const LetturaSorgente&) = delete;
  LetturaSorgente& operator=(const LetturaSorgente&) = delete;

  Scenario& tabelle() { return tabelle_; }
  FileSystem& file_system() { return file_system_; }

  // Opens the source text `nome` for reading. False, with the failure kept
  // for the error handler, when it cannot be read.
  bool apri(const std::string& nome);
  // Closes the open text and deletes it. False, with the failure kept, when
  // it cannot be deleted.
  bool chiudi_e_cancella();
  // True when no text is open or the open one has been read to its end.
  bool fine_file() const;

  // Reads the next token into `riga`; it begins a record, whose place the
  // errors recorded from now on point at. Every read returns false, and the
  // later ones do nothing, once a read has failed.
  bool leggi_token();

  // True when the token just read begins a record of kind `tipo` (it holds
  // the kind's words); the reads that follow are then that record's fields,
  // in the order and widths of its list (source_records.h). A reading failure
  // names the field it met, and the first field a record takes from a line
  // after its own is noted in `campi_fuori_riga`.
  bool record(TipoRecord tipo);
  bool leggi(int32_t* numero);
  bool leggi(int16_t* numero);
  bool leggi(uint8_t* numero);
  bool leggi_testo(std::string* testo);

  // Reads record after record to the end of the text: a token, up to two
  // separator lines of dashes passed over, then `record` handles the token.
  // A token whose reading reaches the end of the text is not handled.
  template <typename Record>
  Esito leggi_sezione(Record&& record) {
    for (;;) {
      if (fine_file()) return Esito::kProsegui;
      if (!leggi_token()) return Esito::kGuasto;
      if (fine_file()) return Esito::kProsegui;
      for (int i = 0; i < 2 && contiene("-"); ++i) {
        if (!leggi_token()) return Esito::kGuasto;
        if (fine_file()) return Esito::kProsegui;
      }
      const Esito esito = record();
      if (esito != Esito::kProsegui) return esito;
    }
  }

  // Word tests on `riga`, by containment: `contiene` ignores the letter
  // case (of the ASCII letters; the keywords are plain ASCII), `contiene_esatta`
  // takes the word exactly as written.
  bool contiene(std::string_view parola) const;
  // The token just read: a record's keyword, a header, or a field passed over.
  const std::string& riga() const { return riga_; }
  bool contiene_esatta(std::string_view parola) const;

  // The position check: a record at `posizione` lies beyond the grid when
  // `ultima_cella` < (posizione + margine) / 50, computed exactly. The margin
  // is 100 m for every record but stations, which use 800 m.
  bool oltre_griglia(int64_t posizione, int64_t margine) const;

  // False, with a reading failure kept, while there is no route grid: the
  // record needs it before the route length was read.
  bool richiedi_griglia();

  // Error 15 for the record at `posizione` (its first field): the section
  // ends, its text is closed and deleted by the phase's closing steps.
  Esito oltre_griglia_registra(int32_t posizione);
  // Deletes the text, records `codice` (and `posizione`) at the current
  // record and ends the procedure; a text that cannot be deleted is a
  // reading failure instead. A storer's refusal ends the procedure this way,
  // with the storer's code and the record's position. `campo` is the field
  // the code is about, for the diagnostic.
  Esito termina(int32_t codice, CampoErrore campo = kRecordIntero);
  Esito termina(int32_t codice, int32_t posizione, CampoErrore campo);
  // The same for a failure of the text as a whole, at no record.
  Esito termina_senza_record(int32_t codice);
  // Records `codice` against the text `file` as a whole, with no record.
  void registra_sul_testo(int32_t codice, const std::string& file);

  // Tells the observer of the record or passed-over token still open; done
  // before the text is closed, and when the reading ends without closing it.
  void chiudi_osservazione();

  // A reading failure that the field input did not raise.
  Esito guasto(std::string dettaglio);
  // The same, caused by a field read earlier (`luogo`, from `luogo_campo`):
  // a speed limit that overflows its byte only when a later record fills the
  // cells with it. `motivo` says what is wrong with that field.
  Esito guasto(std::string dettaglio, DiagnosticaLettura luogo, std::string motivo);
  // Where field `campo` of the current record stands, to name it later.
  DiagnosticaLettura luogo_campo(CampoErrore campo) const { return diagnostica_record(campo); }
  // The error handler's record: code 25, with what the reading met and
  // where. `aggiunta` is appended to the detail (a text the handler could not
  // delete).
  void registra_guasto(const std::string& aggiunta);

 private:
  // False once a read has failed, or when no text is open.
  bool pronta();
  bool esito_lettura(const Status& esito);
  // Reads the current record's next field with `lettura`, and notes where it
  // came from.
  template <typename Lettura>
  bool leggi_campo(Lettura&& lettura);
  // Hands the number just read to the observed record.
  void annota_numero(int64_t numero);
  void registra(int32_t codice, const DiagnosticaLettura& luogo);
  void notifica_errore();
  // The current record, with the field `campo` when it was read.
  DiagnosticaLettura diagnostica_record(CampoErrore campo = kRecordIntero) const;

  Scenario& tabelle_;
  FileSystem& file_system_;
  OsservatoreCompilazione* osservatore_;
  std::string nome_;   // the text being read, or the one that could not be opened
  std::string testo_;  // its whole content
  std::string riga_;   // the token most recently read
  std::optional<LettoreCampi> campi_;
  PosizioneTesto inizio_record_;
  const RecordSorgente* record_ = nullptr;  // the kind the token began, if any
  int32_t campo_ = 0;                       // its fields read so far
  bool fuori_riga_ = false;                 // one of them came from a later line
  // Where each field of the current record read so far begins, and its text
  // (views into `testo_`), for the diagnostic of a code about one of them.
  std::array<PosizioneTesto, kCampiMassimi> posizioni_campi_{};
  std::array<std::string_view, kCampiMassimi> testi_campi_{};
  // What the observer is yet to be told: the token just read, passed over
  // unless a record kind recognises it, and the record being read.
  bool token_aperto_ = false;
  bool token_riconosciuto_ = false;
  bool record_aperto_ = false;
  TokenPassato token_;
  RecordLetto letto_;
  std::string guasto_;  // what the first reading failure met; empty while none
  // The field the first reading failure met: its index (0 when the failure
  // was no field's reading), where it begins and its text.
  int32_t campo_guasto_ = 0;
  PosizioneTesto posizione_guasto_;
  std::string testo_guasto_;
  std::string motivo_guasto_;
  std::optional<DiagnosticaLettura> luogo_guasto_;  // the earlier field the failure is about
};

}  // namespace scenario
