// For the tests: a small XML well-formedness checker, enough to prove that a
// picture the tool writes opens in any browser and to find its elements.
// It checks the prolog, element nesting, attribute syntax and quoting, entity
// references and stray markup characters, and lists every element with its
// attributes in document order.
#pragma once

#include <cctype>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace scenario::test {

struct ElementoXml {
  std::string nome;
  std::map<std::string, std::string> attributi;  // values with their entities resolved
  std::string testo;                             // the element's own text, entities resolved
};

struct EsitoXml {
  std::string errore;  // empty when well formed
  std::vector<ElementoXml> elementi;
  bool ok() const { return errore.empty(); }
};

inline EsitoXml controlla_xml(std::string_view s) {
  EsitoXml esito;
  std::vector<size_t> aperti;  // indexes into esito.elementi
  size_t i = 0;
  auto errore = [&](const std::string& perche) {
    esito.errore = perche + " at byte " + std::to_string(i);
    return esito;
  };
  auto nome_valido = [](char c, bool primo) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_' || c == ':' ||
           (!primo && (std::isdigit(static_cast<unsigned char>(c)) || c == '-' || c == '.'));
  };
  auto leggi_nome = [&](std::string* nome) {
    const size_t inizio = i;
    while (i < s.size() && nome_valido(s[i], i == inizio)) ++i;
    *nome = std::string(s.substr(inizio, i - inizio));
    return !nome->empty();
  };
  auto spazi = [&] {
    while (i < s.size() && (s[i] == ' ' || s[i] == '\n' || s[i] == '\t' || s[i] == '\r')) ++i;
  };
  // Resolves the text up to `fine`, refusing '<' and malformed entities.
  auto risolvi = [&](size_t fine, std::string* testo) -> bool {
    while (i < fine) {
      if (s[i] == '<') return false;
      if (s[i] != '&') {
        *testo += s[i++];
        continue;
      }
      const size_t punto = s.find(';', i);
      if (punto == std::string_view::npos || punto > fine) return false;
      const std::string_view entita = s.substr(i + 1, punto - i - 1);
      if (entita == "amp")
        *testo += '&';
      else if (entita == "lt")
        *testo += '<';
      else if (entita == "gt")
        *testo += '>';
      else if (entita == "quot")
        *testo += '"';
      else if (entita == "apos")
        *testo += '\'';
      else if (entita.size() > 1 && entita[0] == '#') {
        const bool esa = entita[1] == 'x';
        const std::string_view cifre = entita.substr(esa ? 2 : 1);
        if (cifre.empty()) return false;
        for (char c : cifre) {
          if (!(esa ? std::isxdigit(static_cast<unsigned char>(c))
                    : std::isdigit(static_cast<unsigned char>(c))))
            return false;
        }
        *testo += '?';
      } else {
        return false;
      }
      i = punto + 1;
    }
    return true;
  };

  if (s.substr(0, 5) == "<?xml") {
    const size_t fine = s.find("?>");
    if (fine == std::string_view::npos) return errore("unterminated XML declaration");
    i = fine + 2;
  }
  bool radice_vista = false;
  while (i < s.size()) {
    if (s[i] != '<') {
      const size_t prossimo = std::min(s.find('<', i), s.size());
      std::string testo;
      if (!risolvi(prossimo, &testo)) return errore("bad character or entity in text");
      if (aperti.empty()) {
        for (char c : testo) {
          if (!std::isspace(static_cast<unsigned char>(c)))
            return errore("text outside the root element");
        }
      } else {
        esito.elementi[aperti.back()].testo += testo;
      }
      continue;
    }
    if (s.substr(i, 4) == "<!--") {
      const size_t fine = s.find("-->", i);
      if (fine == std::string_view::npos) return errore("unterminated comment");
      i = fine + 3;
      continue;
    }
    if (s.substr(i, 2) == "</") {
      i += 2;
      std::string nome;
      if (!leggi_nome(&nome)) return errore("bad end tag");
      spazi();
      if (i >= s.size() || s[i] != '>') return errore("unterminated end tag");
      ++i;
      if (aperti.empty() || esito.elementi[aperti.back()].nome != nome)
        return errore("mismatched end tag </" + nome + ">");
      aperti.pop_back();
      continue;
    }
    ++i;
    ElementoXml elemento;
    if (!leggi_nome(&elemento.nome)) return errore("bad start tag");
    if (aperti.empty() && radice_vista) return errore("a second root element");
    radice_vista = true;
    bool vuoto = false;
    for (;;) {
      const size_t prima = i;
      spazi();
      if (i >= s.size()) return errore("unterminated start tag");
      if (s[i] == '>') {
        ++i;
        break;
      }
      if (s.substr(i, 2) == "/>") {
        i += 2;
        vuoto = true;
        break;
      }
      if (i == prima) return errore("attributes must be separated by blanks");
      std::string attributo;
      if (!leggi_nome(&attributo)) return errore("bad attribute name");
      spazi();
      if (i >= s.size() || s[i] != '=') return errore("attribute without a value");
      ++i;
      spazi();
      if (i >= s.size() || (s[i] != '"' && s[i] != '\'')) return errore("unquoted attribute value");
      const char virgolette = s[i++];
      const size_t chiusa = s.find(virgolette, i);
      if (chiusa == std::string_view::npos) return errore("unterminated attribute value");
      std::string valore;
      if (!risolvi(chiusa, &valore))
        return errore("bad character or entity in attribute " + attributo);
      i = chiusa + 1;
      if (!elemento.attributi.emplace(attributo, valore).second)
        return errore("repeated attribute " + attributo);
    }
    esito.elementi.push_back(elemento);
    if (!vuoto) aperti.push_back(esito.elementi.size() - 1);
  }
  if (!aperti.empty())
    return errore("element <" + esito.elementi[aperti.back()].nome + "> never closed");
  if (!radice_vista) return errore("no root element");
  return esito;
}

// The elements whose class attribute is `classe`.
inline std::vector<ElementoXml> con_classe(const EsitoXml& xml, std::string_view classe) {
  std::vector<ElementoXml> trovati;
  for (const ElementoXml& e : xml.elementi) {
    const auto a = e.attributi.find("class");
    if (a != e.attributi.end() && a->second == classe) trovati.push_back(e);
  }
  return trovati;
}

}  // namespace scenario::test
