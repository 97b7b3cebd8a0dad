// A platform for tests: records what the installer shows instead of showing it.
#pragma once

#include <string>
#include <vector>

#include "driver/platform.h"

namespace scenario::test {

class PiattaformaFinta : public Piattaforma {
 public:
  explicit PiattaformaFinta(std::string cartella) : cartella_(std::move(cartella)) {}

  void mostra_attesa(const std::string& titolo, const std::string& didascalia) override {
    eventi.push_back("attesa:" + titolo + ":" + didascalia);
  }
  void mostra_messaggio(const std::string& testo) override {
    eventi.push_back("messaggio:" + testo);
  }
  std::string cartella_applicazione() override { return cartella_; }

  std::vector<std::string> eventi;

 private:
  std::string cartella_;
};

}  // namespace scenario::test
