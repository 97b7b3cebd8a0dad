// Reads a source text one comma-delimited field at a time, the way the two
// scenario readers take their records apart. The text is single-byte
// Windows-1252, held whole in memory.
//
// How a field is delimited:
//   - A field ends at a comma or at the end of a line. A line ends at CR LF,
//     or at a lone CR or a lone LF; the delimiter is consumed with the field.
//   - Blanks (spaces and tabs) before a field are skipped. Line ends are not
//     blanks: an empty line is one empty field, so reading goes on across
//     line ends one line end per field.
//   - A text field runs to the next comma or the end of its line. Its
//     trailing blanks are dropped, the padding before a comma carrying no
//     meaning: "[fine] " reads as "[fine]", "0    ,0" as "0" and "0". A
//     double quote is an ordinary character; the texts never quote a field.
//   - A numeric field also ends at a blank. The blanks after it are skipped
//     and, when a comma or a line end follows them, that is the field's
//     delimiter and is consumed too; any other character starts the next
//     field. So "    17              22            0 " at the end of a line
//     reads as 17, 22 and 0, and "0    ,0" as 0 and 0.
//   - An empty field reads as the empty text, or as 0 for a number.
//   - A number is written in decimal: an optional "+" or "-" and digits,
//     nothing else (no fraction, no exponent, no letter). It must fit the
//     target's type: byte 0 to 255, int16 or int32.
//   - The end of the text can be tested after every read: it is reached once
//     the last field and its delimiter have been consumed. Reading when the
//     end has already been reached is a failure; a field whose reading runs
//     into the end of the text is read normally.
// Failures are returned as a Status that names the line and column of the
// field; the reader turns them into its reading-failure code.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/status.h"

namespace scenario {

// A place in a text: line and column from 1, the column counted in bytes.
struct PosizioneTesto {
  int32_t riga = 0;
  int32_t colonna = 0;
};

class LettoreCampi {
 public:
  // `testo` must outlive the reader.
  explicit LettoreCampi(std::string_view testo) : testo_(testo) {}

  // True once every field of the text, with its delimiter, has been read.
  bool fine_file() const { return pos_ >= testo_.size(); }

  Status leggi_testo(std::string* campo);
  Status leggi_int32(int32_t* numero);
  Status leggi_int16(int16_t* numero);
  Status leggi_byte(uint8_t* numero);

  // Where the field read last (or being read when a read failed) begins: its
  // first non-blank character, or its delimiter when it is empty.
  PosizioneTesto posizione_campo() const { return campo_; }
  // Why the last read failed, without its place: "is not a whole number",
  // "does not fit a byte (0 to 255)", "reading past the end of the text".
  const std::string& motivo_errore() const { return motivo_; }
  // True when that field is the first of its line: nothing of the line was
  // read before it.
  bool campo_a_inizio_riga() const { return campo_a_inizio_riga_; }
  // The text of that field as it stands (a text field without its trailing
  // blanks); empty for a read past the end. It lives as long as the text.
  std::string_view testo_campo() const { return testo_campo_; }

 private:
  Status leggi_numero(int64_t minimo, int64_t massimo, const char* tipo, int64_t* numero);
  // Skips the blanks before a field and records where it begins; fails at
  // the end of the text.
  Status inizia_campo();
  // Consumes a comma or a line end at the current place, if there is one.
  void consuma_delimitatore();
  void avanza();
  char corrente() const { return testo_[pos_]; }
  bool a_fine_riga() const { return corrente() == '\r' || corrente() == '\n'; }
  Status errore(std::string_view campo, std::string_view motivo);

  std::string_view testo_;
  size_t pos_ = 0;
  int32_t riga_ = 1;
  int32_t colonna_ = 1;
  PosizioneTesto campo_;
  std::string_view testo_campo_;
  std::string motivo_;
  bool a_capo_ = true;  // the next field begins a line
  bool campo_a_inizio_riga_ = true;
};

}  // namespace scenario
