// Everything a compile showed its observer, kept in the order it came: the
// records read, the tokens passed over and every code recorded.
#pragma once

#include <vector>

#include "reader/compile_observer.h"

namespace scenario {

struct Osservazioni : OsservatoreCompilazione {
  std::vector<RecordLetto> record;
  std::vector<TokenPassato> token;
  std::vector<ErroreRegistrato> errori;

  void record_letto(const RecordLetto& r) override { record.push_back(r); }
  void token_passato(const TokenPassato& t) override { token.push_back(t); }
  void errore_registrato(const ErroreRegistrato& e) override { errori.push_back(e); }
};

}  // namespace scenario
