// An author's source text as the tool takes it in before compiling: read
// whole, its encoding examined, and, when the author says the text is
// UTF-8, turned into the Windows-1252 bytes the reader expects. What is
// wrong with its encoding is said here, before any compile.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/file_system.h"
#include "base/status.h"
#include "diagnostics.h"
#include "source_encoding.h"

namespace scenario {

struct TestoAutore {
  std::string nome;                  // the file, as the author names it
  Status lettura;                    // why it could not be read
  std::optional<std::string> testo;  // the bytes to compile: as read, or converted
  bool convertito = false;           // the bytes were turned from UTF-8
  std::vector<Diagnostica> errori;   // UTF-16; a UTF-8 character the code page lacks
  std::vector<Diagnostica> avvisi;   // a byte-order mark; a text not in the code page

  bool leggibile() const { return testo.has_value(); }
};

// Reads `nome` from `file_system`. `utf8`: the author says the text is
// UTF-8. A UTF-16 text gives no bytes to compile. A UTF-8 text with
// characters the code page lacks gives its bytes with "?" in their place,
// and an error for each.
TestoAutore leggi_testo_autore(FileSystem& file_system, const std::string& nome, bool utf8);

}  // namespace scenario
