// For the documents' tests: a paper as its writer leaves it, cut into lines.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/file_names.h"
#include "base/memory_file_system.h"
#include "base/status.h"

namespace scenario::test {

inline const NomiFile kNomi{"app", "BELFORTE SELVEN - MELAR", "8312"};

using Scrittore = Status (*)(FileSystem&, const NomiFile&);
using NomeDocumento = std::string (NomiFile::*)() const;

// The bytes the writer leaves under the document's name.
inline std::string testo_scritto(Scrittore scrivi, NomeDocumento nome) {
  MemoryFileSystem memoria;
  EXPECT_TRUE(scrivi(memoria, kNomi).ok());
  const auto file = memoria.files().find((kNomi.*nome)());
  return file == memoria.files().end() ? std::string() : file->second;
}

// The file cut at its CR LF pairs; element 0 is file line 1.
inline std::vector<std::string> righe_scritte(Scrittore scrivi, NomeDocumento nome) {
  const std::string testo = testo_scritto(scrivi, nome);
  std::vector<std::string> righe;
  size_t inizio = 0;
  for (size_t fine; (fine = testo.find("\r\n", inizio)) != std::string::npos; inizio = fine + 2) {
    righe.push_back(testo.substr(inizio, fine - inizio));
  }
  EXPECT_EQ(inizio, testo.size()) << "every line ends with CR LF";
  return righe;
}

}  // namespace scenario::test
