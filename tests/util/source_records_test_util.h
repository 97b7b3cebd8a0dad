// Test support: the scenario's two source texts taken apart into sections and
// records, so that tests can state facts about the content and check the crew
// documents against it. Fields are read the way the reader reads them: split
// at commas, blanks around a field are padding, an empty field is 0.
#pragma once

#include <gtest/gtest.h>

#include <charconv>
#include <string>
#include <string_view>
#include <vector>

#include "base/line_list.h"
#include "content/line_source.h"
#include "content/train_source.h"

namespace scenario::test {

struct Sezione {
  std::string intestazione;             // "[curve]"
  size_t indice = 0;                    // index of the header in the list
  std::vector<std::string_view> righe;  // the records under it
};

// The lines before the end marker, grouped under their section headers.
inline std::vector<Sezione> sezioni(ListaRighe lista) {
  std::vector<Sezione> risultato;
  const size_t righe = righe_prima_del_marcatore(lista);
  for (size_t i = 0; i < righe; ++i) {
    const std::string_view riga = lista[i];
    if (riga.starts_with("[")) {
      risultato.push_back({std::string(riga), i, {}});
    } else if (!risultato.empty()) {
      risultato.back().righe.push_back(riga);
    } else {
      ADD_FAILURE() << "line before the first section: " << riga;
    }
  }
  return risultato;
}

inline std::vector<std::string_view> righe_di(ListaRighe lista, std::string_view intestazione) {
  for (const Sezione& s : sezioni(lista)) {
    if (s.intestazione == intestazione) return s.righe;
  }
  ADD_FAILURE() << "no section " << intestazione;
  return {};
}

inline std::string_view senza_blank(std::string_view testo) {
  while (!testo.empty() && testo.front() == ' ') testo.remove_prefix(1);
  while (!testo.empty() && testo.back() == ' ') testo.remove_suffix(1);
  return testo;
}

// The comma-separated fields of a record, padding removed; field 0 is the keyword.
inline std::vector<std::string_view> campi(std::string_view riga) {
  std::vector<std::string_view> risultato;
  size_t inizio = 0;
  while (true) {
    const size_t virgola = riga.find(',', inizio);
    risultato.push_back(senza_blank(riga.substr(inizio, virgola - inizio)));
    if (virgola == std::string_view::npos) break;
    inizio = virgola + 1;
  }
  return risultato;
}

// A whole number field; an empty field reads as 0, as the reader reads it.
inline int intero(std::string_view campo) {
  if (campo.empty()) return 0;
  int valore = 0;
  const auto [fine, errore] = std::from_chars(campo.data(), campo.data() + campo.size(), valore);
  if (errore != std::errc() || fine != campo.data() + campo.size()) {
    ADD_FAILURE() << "not a whole number: '" << campo << "'";
  }
  return valore;
}

inline std::vector<int> interi(std::string_view riga, size_t quanti) {
  const std::vector<std::string_view> c = campi(riga);
  std::vector<int> valori;
  if (c.size() != quanti + 1) {
    ADD_FAILURE() << "expected " << quanti << " fields in: " << riga;
    return std::vector<int>(quanti, 0);
  }
  for (size_t i = 1; i < c.size(); ++i) valori.push_back(intero(c[i]));
  return valori;
}

// ---- the line source text ----

struct Curva {
  char lato;  // 'd' or 's'
  int classe;
  int posizione;
  int lunghezza;
};

inline std::vector<Curva> curve() {
  std::vector<Curva> risultato;
  for (std::string_view riga : righe_di(righe_linea(), "[curve]")) {
    const std::vector<std::string_view> c = campi(riga);
    const std::string_view parola = c[0];
    EXPECT_EQ(parola.size(), 7u) << riga;
    EXPECT_TRUE(parola.starts_with("curva")) << riga;
    const std::vector<int> v = interi(riga, 2);
    risultato.push_back(
        {parola.size() > 5 ? parola[5] : '?', parola.size() > 6 ? parola[6] - '0' : 0, v[0], v[1]});
  }
  return risultato;
}

struct Punto {  // a value that holds from a position on: gradient, limit, adhesion
  int posizione;
  int valore;
};

inline std::vector<Punto> valori(ListaRighe lista, std::string_view intestazione) {
  std::vector<Punto> risultato;
  for (std::string_view riga : righe_di(lista, intestazione)) {
    const std::vector<int> v = interi(riga, 2);
    risultato.push_back({v[0], v[1]});
  }
  return risultato;
}

inline std::vector<Punto> pendenze() { return valori(righe_linea(), "[pendenze]"); }

struct Montagna {
  int inizio;
  int fine;
  int tipo;
};

inline std::vector<Montagna> montagne() {
  std::vector<Montagna> risultato;
  for (std::string_view riga : righe_di(righe_linea(), "[montagne]")) {
    const std::vector<int> v = interi(riga, 3);
    risultato.push_back({v[0], v[1], v[2]});
  }
  return risultato;
}

struct IndicatoreVmax {
  int posizione;
  int vas, vbs, vcs, strisces, vad, vbd, vcd, strisced;
};

inline std::vector<IndicatoreVmax> indicatori_vmax() {
  std::vector<IndicatoreVmax> risultato;
  for (std::string_view riga : righe_di(righe_linea(), "[cartelli]")) {
    const std::vector<int> v = interi(riga, 9);
    risultato.push_back({v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8]});
  }
  return risultato;
}

struct Cartello {
  int posizione;
  std::string_view scritta;
  std::vector<std::string_view> gruppi;  // the lines of lettering, padding kept
};

inline std::vector<Cartello> cartelli() {
  std::vector<Cartello> risultato;
  for (std::string_view riga : righe_di(righe_linea(), "[indicazioni]")) {
    const std::vector<std::string_view> c = campi(riga);
    if (c.size() != 3) {
      ADD_FAILURE() << riga;
      continue;
    }
    Cartello cartello{intero(c[1]), c[2], {}};
    std::string_view resto = c[2];
    while (!resto.empty()) {
      const size_t chiusa = resto.find(')');
      if (resto.front() != '(' || chiusa == std::string_view::npos) {
        ADD_FAILURE() << "lettering not made of (groups): " << riga;
        break;
      }
      cartello.gruppi.push_back(resto.substr(1, chiusa - 1));
      resto.remove_prefix(chiusa + 1);
    }
    risultato.push_back(cartello);
  }
  return risultato;
}

// ---- the train source text ----

struct Stazione {
  int posizione;
  int tipo;
  int lunghezza;
  int campo[14];  // campo[4] … campo[13]: fields 4 to 13 of the record
  int ore, minuti, secondi;
  std::string_view nome;

  int inizio() const {
    if (tipo >= 5 && tipo <= 8) return posizione - lunghezza;
    return posizione - lunghezza / 2;
  }
  int fine() const {
    if (tipo == 5 || tipo == 6) return posizione + 150;
    if (tipo == 7 || tipo == 8) return posizione + lunghezza;
    return posizione + lunghezza / 2 + (campo[6] != 0 ? 50 : 0);
  }
  int sosta() const { return campo[13]; }
  int orario() const { return (ore * 60 + minuti) * 60 + secondi; }
};

inline std::vector<Stazione> stazioni() {
  std::vector<Stazione> risultato;
  for (std::string_view riga : righe_di(righe_treno(), "[stazioni]")) {
    const std::vector<std::string_view> c = campi(riga);
    if (c.size() != 18) {
      ADD_FAILURE() << "a station has 17 fields: " << riga;
      continue;
    }
    Stazione s{};
    s.posizione = intero(c[1]);
    s.tipo = intero(c[2]);
    s.lunghezza = intero(c[3]);
    for (int k = 4; k <= 13; ++k) s.campo[k] = intero(c[static_cast<size_t>(k)]);
    s.ore = intero(c[14]);
    s.minuti = intero(c[15]);
    s.secondi = intero(c[16]);
    s.nome = c[17];
    risultato.push_back(s);
  }
  return risultato;
}

inline std::vector<Punto> limiti() { return valori(righe_treno(), "[vel_limite]"); }
inline std::vector<Punto> aderenze() { return valori(righe_treno(), "[aderenze]"); }

struct Rallentamento {
  int x, v, l, f_tt, f_ta, d_v;
};

inline std::vector<Rallentamento> rallentamenti() {
  std::vector<Rallentamento> risultato;
  for (std::string_view riga : righe_di(righe_treno(), "[rallentamenti]")) {
    const std::vector<int> v = interi(riga, 6);
    risultato.push_back({v[0], v[1], v[2], v[3], v[4], v[5]});
  }
  return risultato;
}

struct Segnale {
  int posizione, sx, s1, s2, s3, rapp, dx, d1, d2, d3, tempo;
};

inline std::vector<Segnale> segnali() {
  std::vector<Segnale> risultato;
  for (std::string_view riga : righe_di(righe_treno(), "[segnali]")) {
    const std::vector<int> v = interi(riga, 11);
    risultato.push_back({v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10]});
  }
  return risultato;
}

}  // namespace scenario::test
