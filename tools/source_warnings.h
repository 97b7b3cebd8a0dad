// Warnings about an author's source texts: content the reader accepts
// without a word but that is most likely not what the author meant — a
// misspelt keyword whose record the reader passes over, records out of
// kilometre order, a clock of 27:75, a gradient of 80 per mille. They are
// drawn from what a real compile read (its observer's records and tokens,
// and the records short of fields it noted), never from a second reading
// of the texts; only the encoding and the text's last line are looked at
// in the bytes themselves.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "diagnostics.h"
#include "source_encoding.h"

namespace scenario {

// One kind of finding the tool makes itself (no compile records it): its
// stable id, whether it is a warning or an error (a text the tool cannot
// read as it stands), what it means and a one-line hint.
struct TipoRilievo {
  std::string_view id;
  Gravita gravita;
  std::string_view significato;  // lower case, no full stop
  std::string_view rimedio;      // lower case, no full stop
};

// Every kind, in the order the format reference lists them.
std::span<const TipoRilievo> tipi_rilievo();

// The kind `id` (which must be one of them).
const TipoRilievo& tipo_rilievo(std::string_view id);

// A station name longer than this does not fit the train card's column of
// places.
inline constexpr size_t kLarghezzaNomeStazione = 28;

// The warnings about the content a compile read: its observed records and
// tokens, the records short of fields it noted in `tabelle`, and the texts
// as read (for their last line). A record the compile recorded an error for
// gets no warning: the error says more. In the order of the texts, line by
// line.
std::vector<Diagnostica> avvisi_contenuto(const Scenario& tabelle, const FontiCompilazione& fonti);

// The warnings about a text's bytes as the author saved them: a byte-order
// mark, and a text that is not Windows-1252 (its first foreign character).
// `convertito` says the text is read as UTF-8 and turned into the code page,
// so that only the mark is worth a word.
std::vector<Diagnostica> avvisi_codifica(const std::string& file, const EsameCodifica& esame,
                                         bool convertito);

// The diagnostic for a text that cannot be compiled in its encoding: UTF-16,
// or a UTF-8 text with characters the code page lacks (one per character).
std::vector<Diagnostica> errori_codifica(const std::string& file, const EsameCodifica& esame,
                                         const TestoConvertito* convertito);

}  // namespace scenario
