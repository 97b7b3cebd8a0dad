// The text of an SVG picture: numbers as the picture writes them, text made
// safe for XML, and elements with their attributes in the order given.
#pragma once

#include <string>
#include <string_view>

namespace scenario {

// A coordinate or a length with at most one decimal, without a trailing
// ".0" and never "-0"; "0" for what is no finite number.
std::string num(double valore);

// UTF-8 text made safe inside an XML element or a quoted attribute: the five
// markup characters become entities, and what XML cannot hold (the control
// characters but tab and line ends, malformed UTF-8, U+FFFE and U+FFFF)
// becomes "?", byte by byte.
std::string testo_xml(std::string_view utf8);

// One element, built attribute by attribute:
//
//   Elemento("circle")("cx", num(x))("cy", num(y))("r", "5").chiuso()
//
// gives <circle cx="..." cy="..." r="5"/>. Attribute values are made safe
// with testo_xml; content is markup, its text made safe by the caller.
class Elemento {
 public:
  explicit Elemento(std::string_view nome);
  Elemento& operator()(std::string_view attributo, std::string_view valore);

  std::string chiuso() const;                         // <nome .../>
  std::string aperto() const;                         // <nome ...>
  std::string con(std::string_view contenuto) const;  // <nome ...>contenuto</nome>

 private:
  std::string nome_;
  std::string testo_;
};

}  // namespace scenario
