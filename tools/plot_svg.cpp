#include "plot_svg.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <span>
#include <vector>

#include "route_summary.h"
#include "svg_writer.h"

namespace scenario {
namespace {

// The picture's frame, in SVG pixels.
constexpr double kLarghezza = 1200;
constexpr double kMargine = 70;
constexpr double kArea = kLarghezza - 2 * kMargine;
constexpr double kAltezzaPiantaMassima = 640;
constexpr double kAltezzaProfilo = 200;
constexpr double kAltezzaVelocita = 180;
constexpr double kAltezzaCurve = 64;    // the curve strip: right-hand above its middle, left below
constexpr double kAltezzaSegnali = 34;  // the strip of signals over the kilometre axis

// The colours of the two sides of a curve, and of the signals by kind.
constexpr const char* kColoreDestra = "#7b3fa0";
constexpr const char* kColoreSinistra = "#1b9aaa";
const char* colore_segnale(int32_t tipo) {
  return tipo == 1 ? "#d62728" : tipo == 2 ? "#2a9d2a" : "#777777";
}

std::string descrivi_curva(const CurvaRiassunta& c) {
  static constexpr const char* kRaggio[7] = {"", "10000", "5000", "2500", "1000", "500", "333"};
  return std::string(c.destra ? "right" : "left") + "-hand curve, class " +
         std::to_string(c.classe) + " (radius " + kRaggio[c.classe] + " m), " +
         std::to_string(c.da) + " to " + std::to_string(c.a) + " m";
}
constexpr int32_t kPassoPolilinea = 50;  // one polyline point per 50 m of route

// The smallest round step (1, 2, 2.5 or 5 times a power of ten) that cuts
// `estensione` into at most `massimo` pieces.
double passo_tacche(double estensione, int massimo) {
  if (!(estensione > 0)) return 1;
  double decina = std::pow(10.0, std::floor(std::log10(estensione / massimo)));
  for (;;) {
    for (double fattore : {1.0, 2.0, 2.5, 5.0}) {
      if (estensione / (fattore * decina) <= massimo) return fattore * decina;
    }
    decina *= 10;
  }
}

// A tooltip: the title element a browser shows over its parent.
std::string suggerimento(std::string_view testo) { return Elemento("title").con(testo); }

// Lays out the three panels one under the other: the plan view, the gradient
// profile and the speed limits, with the kilometres under the last two.
class Disegno {
 public:
  Disegno(const Scenario& t, const RiassuntoPercorso& c) : t_(t), c_(c) {}

  std::string svg(std::string_view titolo, std::span<const std::string> avvisi) {
    double y = 64;
    if (!avvisi.empty()) y = striscione(y - 14, avvisi) + 40;
    y = pianta(y) + 56;
    const double cima_profilo = y;
    y = profilo(y) + 44;
    y = curve(y) + 56;
    y = velocita(y);
    y = segnali(y + 6);
    y = asse_km(cima_profilo, y);
    std::string s = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    s += Elemento("svg")("xmlns", "http://www.w3.org/2000/svg")("width", num(kLarghezza))(
             "height", num(y))("viewBox", "0 0 " + num(kLarghezza) + " " + num(y))(
             "font-family", "DejaVu Sans, Arial, sans-serif")("font-size", "12")
             .aperto() +
         "\n";
    s += Elemento("title").con(testo_xml(titolo)) + "\n";
    s += Elemento("rect")("width", "100%")("height", "100%")("fill", "#ffffff").chiuso() + "\n";
    s += Elemento("text")("class", "title")("x", num(kMargine))("y", "34")("font-size", "20")(
             "font-weight", "bold")
             .con(testo_xml(titolo)) +
         "\n";
    s += corpo_;
    s += "</svg>\n";
    return s;
  }

 private:
  void aggiungi(const std::string& elemento) {
    corpo_ += elemento;
    corpo_ += "\n";
  }

  double x_km(int32_t posizione) const {
    return kMargine + kArea * std::clamp(static_cast<double>(posizione) / c_.lunghezza, 0.0, 1.0);
  }

  void intestazione(double y, const std::string& testo) {
    aggiungi(Elemento("text")("class", "panel-title")("x", num(kMargine))("y", num(y - 10))(
                 "font-size", "14")("font-weight", "bold")
                 .con(testo_xml(testo)));
  }

  // A panel's background.
  void sfondo(double cima, double altezza) {
    aggiungi(
        Elemento("rect")("class", "frame")("x", num(kMargine))("y", num(cima))("width", num(kArea))(
            "height", num(altezza))("fill", "#f7f7f2")("stroke", "#bbbbbb")
            .chiuso());
  }

  // A compile that recorded an error is drawn as the reader left the tables:
  // a red band across the top says so, one line a message. Returns its bottom.
  double striscione(double cima, std::span<const std::string> avvisi) {
    const double altezza = 30 + 16 * static_cast<double>(avvisi.size());
    std::string righe = Elemento("text")("x", num(kMargine + 12))("y", num(cima + 20))(
                            "font-size", "13")("font-weight", "bold")("fill", "#a01010")
                            .con(
                                "The compile recorded an error: the picture shows the tables "
                                "as the reader left them.");
    double y = cima + 20;
    for (const std::string& avviso : avvisi) {
      y += 16;
      righe += Elemento("text")("class", "error-message")("x", num(kMargine + 12))("y", num(y))(
                   "font-size", "12")("fill", "#5a0000")
                   .con(testo_xml(avviso));
    }
    aggiungi(Elemento("g")("class", "error-banner")
                 .con(Elemento("rect")("x", num(kMargine))("y", num(cima))("width", num(kArea))(
                          "height", num(altezza))("fill", "#fde8e8")("stroke", "#d62728")(
                          "stroke-width", "2")
                          .chiuso() +
                      righe));
    return cima + altezza;
  }

  // The plan view, kept to scale, in the full width. Returns its bottom.
  double pianta(double cima) {
    intestazione(cima, "Plan view");
    const Tracciato& tr = t_.tracciato;
    int32_t ultimo = -1;  // the last point holding both coordinates
    if (tr.esiste()) {
      ultimo = std::min(tr.prossimo_punto() - 1, c_.lunghezza);
    }
    if (ultimo < 1) {
      aggiungi(Elemento("text")("x", num(kMargine))("y", num(cima + 20))
                   .con("No plan view: the line has no route length or was compiled without one."));
      return cima + 30;
    }
    double min_x = 0, max_x = 0, min_y = 0, max_y = 0;
    for (int32_t m = 0; m <= ultimo; ++m) {
      min_x = std::min(min_x, tr.x(m));
      max_x = std::max(max_x, tr.x(m));
      min_y = std::min(min_y, tr.y(m));
      max_y = std::max(max_y, tr.y(m));
    }
    // Some room round the line, and never less than 500 m either way, so a
    // straight line is not drawn as a vertical stroke at infinite scale.
    const double bordo = std::max({max_x - min_x, max_y - min_y, 500.0}) * 0.05;
    min_x -= bordo;
    max_x += bordo;
    min_y -= bordo;
    max_y += bordo;
    const double larghezza = std::max(max_x - min_x, 500.0);
    const double altezza = std::max(max_y - min_y, 500.0);
    const double scala = std::min(kArea / larghezza, kAltezzaPiantaMassima / altezza);
    const double scostamento = (kArea - larghezza * scala) / 2;
    const double fondo = cima + altezza * scala;
    auto px = [&](int32_t m) { return kMargine + scostamento + (tr.x(m) - min_x) * scala; };
    auto py = [&](int32_t m) { return cima + (max_y - tr.y(m)) * scala; };
    auto punto = [&](int32_t m) {
      m = std::clamp(m, 0, ultimo);
      return num(px(m)) + "," + num(py(m));
    };
    auto polilinea = [&](int32_t da, int32_t a) {
      std::string punti;
      for (int32_t m = da; m < a; m += kPassoPolilinea) punti += punto(m) + " ";
      punti += punto(a);
      return punti;
    };

    sfondo(cima, fondo - cima);
    aggiungi(Elemento("polyline")("class", "track")("fill", "none")("stroke", "#333333")(
                 "stroke-width", "2")("points", polilinea(0, ultimo))
                 .chiuso());
    for (const Tratto& g : c_.gallerie) {
      if (g.da > ultimo) continue;
      aggiungi(Elemento("polyline")("class", "tunnel")("fill", "none")("stroke", "#8a5a2b")(
                   "stroke-width", "7")("stroke-opacity", "0.75")(
                   "points", polilinea(g.da, std::min(g.a, ultimo)))
                   .con(suggerimento("tunnel " + std::to_string(g.da) + " to " +
                                     std::to_string(g.a) + " m")));
    }
    for (const CurvaRiassunta& curva : c_.curve) {
      aggiungi(
          Elemento("polyline")("class", "curve-plan")("fill", "none")(
              "stroke", curva.destra ? kColoreDestra : kColoreSinistra)("stroke-width", "3.5")(
              "stroke-opacity", "0.8")("points", polilinea(curva.da, std::min(curva.a, ultimo)))
              .con(suggerimento(descrivi_curva(curva))));
    }
    // Kilometre posts along the track, at round kilometres from the origin.
    const double passo_km = passo_tacche(ultimo / 1000.0, 12);
    for (double k = passo_km; k * 1000 <= ultimo; k += passo_km) {
      const int32_t m = static_cast<int32_t>(std::lround(k * 1000));
      aggiungi(Elemento("g")("class", "km-post")
                   .con(Elemento("circle")("cx", num(px(m)))("cy", num(py(m)))("r", "2")("fill",
                                                                                         "#000000")
                            .chiuso() +
                        Elemento("text")("x", num(px(m) + 4))("y", num(py(m) - 4))(
                            "font-size", "9")("fill", "#555555")
                            .con("km " + num(k))));
    }
    for (const SegnaleRiassunto& s : c_.segnali) {
      const int32_t m = std::clamp(s.posizione, 0, ultimo);
      aggiungi(Elemento("circle")("class", "signal")("cx", num(px(m)))("cy", num(py(m)))(
                   "r", "2.5")("fill", colore_segnale(s.tipo))
                   .con(suggerimento("signal of kind " + std::to_string(s.tipo) + " at " +
                                     std::to_string(s.posizione) + " m")));
    }
    for (const CartelloRiassunto& b : c_.cartelli) {
      const int32_t m = std::clamp(b.posizione, 0, ultimo);
      aggiungi(Elemento("rect")("class", "board")("x", num(px(m) - 3))("y", num(py(m) - 3))(
                   "width", "6")("height", "6")("fill", "#ff9f1c")("stroke", "#7a4a00")(
                   "stroke-width", "0.8")
                   .con(suggerimento(testo_xml(b.scritta) + " at " + std::to_string(b.posizione) +
                                     " m")));
    }
    // Station names beside their mark: to the right, or where they overlap
    // no name already placed, trying left, above and below.
    struct Riquadro {
      double x0, y0, x1, y1;
    };
    std::vector<Riquadro> etichette;
    for (const StazioneRiassunta& st : c_.stazioni) {
      const int32_t m = std::clamp(st.posizione, 0, ultimo);
      const double cx = px(m), cy = py(m);
      aggiungi(Elemento("circle")("class", "station")("cx", num(cx))("cy", num(cy))("r", "5")(
                   "fill", "#ffffff")("stroke", "#1f4e9c")("stroke-width", "2")
                   .con(suggerimento(testo_xml(st.nome) + " at " + std::to_string(st.posizione) +
                                     " m")));
      const double larga = 6.6 * static_cast<double>(st.nome.size());
      const struct {
        double dx, dy;
        bool a_sinistra;
      } posti[] = {{8, 4, false},  {-8, 4, true},  {8, -8, false},
                   {-8, -8, true}, {8, 16, false}, {-8, 16, true}};
      auto riquadro = [&](const auto& posto) {
        const double x = cx + posto.dx;
        return posto.a_sinistra ? Riquadro{x - larga, cy + posto.dy - 10, x, cy + posto.dy + 2}
                                : Riquadro{x, cy + posto.dy - 10, x + larga, cy + posto.dy + 2};
      };
      auto libero = [&](const Riquadro& r) {
        if (r.x0 < kMargine || r.x1 > kMargine + kArea) return false;
        return std::none_of(etichette.begin(), etichette.end(), [&](const Riquadro& e) {
          return r.x0 < e.x1 && e.x0 < r.x1 && r.y0 < e.y1 && e.y0 < r.y1;
        });
      };
      const auto* scelto = &posti[0];
      for (const auto& posto : posti) {
        if (libero(riquadro(posto))) {
          scelto = &posto;
          break;
        }
      }
      etichette.push_back(riquadro(*scelto));
      Elemento nome("text");
      nome("class", "station-label")("x", num(cx + scelto->dx))("y", num(cy + scelto->dy));
      if (scelto->a_sinistra) nome("text-anchor", "end");
      aggiungi(nome("font-size", "11")("fill", "#1f4e9c").con(testo_xml(st.nome)));
    }
    // A scale bar of a round length, about a sixth of the width.
    const double metri = passo_tacche(kArea / 6 / scala, 1);
    const double lunga = metri * scala;
    const double bx = kMargine + 12, by = fondo - 14;
    aggiungi(Elemento("g")("class", "scale-bar")
                 .con(Elemento("line")("x1", num(bx))("y1", num(by))("x2", num(bx + lunga))(
                          "y2", num(by))("stroke", "#000000")("stroke-width", "2")
                          .chiuso() +
                      Elemento("text")("x", num(bx))("y", num(by - 5))("font-size", "11")
                          .con(metri >= 1000 ? num(metri / 1000) + " km" : num(metri) + " m")));
    // The legend goes into the corner the line crosses least.
    std::vector<std::pair<double, double>> occupati;
    for (int32_t m = 0; m <= ultimo; m += kPassoPolilinea) occupati.emplace_back(px(m), py(m));
    for (const Riquadro& r : etichette) {
      for (double x = r.x0; x <= r.x1; x += 10) occupati.emplace_back(x, (r.y0 + r.y1) / 2);
    }
    legenda(cima, fondo, occupati);
    return fondo;
  }

  void legenda(double cima, double fondo, const std::vector<std::pair<double, double>>& occupati) {
    constexpr double kL = 150, kA = 154;
    const double sinistra = kMargine + 10, destra = kLarghezza - kMargine - 10 - kL;
    const double alto = cima + 10,
                 basso = std::max(cima + 10, fondo - 10 - kA - 24);  // above the scale bar
    const std::pair<double, double> angoli[] = {
        {destra, alto}, {sinistra, alto}, {destra, basso}, {sinistra, basso}};
    double x = destra, y = alto;
    size_t meno = std::numeric_limits<size_t>::max();
    for (const auto& angolo : angoli) {
      const double ax = angolo.first, ay = angolo.second;  // a lambda cannot capture a binding
      const size_t dentro =
          static_cast<size_t>(std::count_if(occupati.begin(), occupati.end(), [&](const auto& p) {
            return p.first >= ax - 8 && p.first <= ax + kL + 8 && p.second >= ay - 8 &&
                   p.second <= ay + kA + 8;
          }));
      if (dentro < meno) {
        meno = dentro;
        x = ax;
        y = ay;
      }
    }
    aggiungi(Elemento("g")("class", "legend")("font-size", "11").aperto() +
             Elemento("rect")("x", num(x))("y", num(y))("width", num(kL))("height", num(kA))(
                 "fill", "#ffffff")("fill-opacity", "0.85")("stroke", "#bbbbbb")
                 .chiuso());
    const auto linea = [](const char* colore, const char* spessore) {
      return Elemento("line")("x1", "0")("y1", "0")("x2", "18")("y2", "0")("stroke", colore)(
          "stroke-width", spessore);
    };
    const std::pair<std::string, const char*> voci[] = {
        {linea("#333333", "2").chiuso(), "track"},
        {linea("#8a5a2b", "7")("stroke-opacity", "0.75").chiuso(), "tunnel"},
        {Elemento("circle")("cx", "9")("cy", "0")("r", "5")("fill", "#ffffff")("stroke", "#1f4e9c")(
             "stroke-width", "2")
             .chiuso(),
         "station"},
        {linea(kColoreDestra, "3.5").chiuso(), "right-hand curve"},
        {linea(kColoreSinistra, "3.5").chiuso(), "left-hand curve"},
        {Elemento("circle")("cx", "9")("cy", "0")("r", "2.5")("fill", colore_segnale(1)).chiuso(),
         "signal, kind 1"},
        {Elemento("circle")("cx", "9")("cy", "0")("r", "2.5")("fill", colore_segnale(2)).chiuso(),
         "signal, kind 2"},
        {Elemento("rect")("x", "6")("y", "-3")("width", "6")("height", "6")("fill", "#ff9f1c")(
             "stroke", "#7a4a00")("stroke-width", "0.8")
             .chiuso(),
         "lettered board"},
        {Elemento("circle")("cx", "9")("cy", "0")("r", "2")("fill", "#000000").chiuso(),
         "kilometre post"},
    };
    double riga = y + 16;
    for (const auto& [simbolo, testo] : voci) {
      aggiungi(Elemento("g")("transform", "translate(" + num(x + 10) + "," + num(riga) + ")")
                   .con(simbolo + Elemento("text")("x", "26")("y", "4").con(testo)));
      riga += 16;
    }
    aggiungi("</g>");
  }

  // The height along the route, from the gradient of each cell, with the
  // gradient in per mille written over each stretch wide enough for it.
  double profilo(double cima) {
    intestazione(cima, "Gradient profile (height from the origin, gradients in \u2030)");
    const double fondo = cima + kAltezzaProfilo;
    const size_t celle = std::min(c_.pendenza.size(), static_cast<size_t>(c_.lunghezza / 50) + 1);
    std::vector<double> quota(celle + 1, 0.0);
    for (size_t i = 0; i < celle; ++i) quota[i + 1] = quota[i] + c_.pendenza[i] * 50 / 1000.0;
    double basso = *std::min_element(quota.begin(), quota.end());
    double alto = *std::max_element(quota.begin(), quota.end());
    if (alto - basso < 10) alto = basso + 10;
    const double margine = (alto - basso) * 0.08;
    basso -= margine;
    alto += margine;
    auto yq = [&](double q) { return fondo - (q - basso) / (alto - basso) * kAltezzaProfilo; };
    auto xc = [&](size_t i) {
      return x_km(static_cast<int32_t>(std::min<size_t>(i * 50, c_.lunghezza)));
    };

    sfondo(cima, kAltezzaProfilo);
    griglia_y(cima, fondo, basso, alto, "m", [&](double q) { return yq(q); });
    std::string area = num(xc(0)) + "," + num(fondo) + " ";
    std::string linea;
    for (size_t i = 0; i <= celle; ++i) {
      const std::string p = num(xc(i)) + "," + num(yq(quota[i])) + " ";
      area += p;
      linea += p;
    }
    area += num(xc(celle)) + "," + num(fondo);
    aggiungi(
        Elemento("polygon")("class", "gradient-area")("fill", "#c9e3c0")("points", area).chiuso());
    aggiungi(Elemento("polyline")("class", "gradient-profile")("fill", "none")("stroke", "#2c7a2c")(
                 "stroke-width", "1.5")("points", linea)
                 .chiuso());
    // Each stretch of one gradient tells its figure and extent under the
    // pointer; its figure is written over it where it finds room: over the
    // line, or a row higher, never across a figure already written.
    struct Posto {
      double x0, x1, y;
    };
    std::vector<Posto> scritti;
    auto libero = [&](double x0, double x1, double y) {
      return std::none_of(scritti.begin(), scritti.end(), [&](const Posto& p) {
        return x0 < p.x1 + 2 && p.x0 < x1 + 2 && std::abs(y - p.y) < 11;
      });
    };
    size_t inizio = 0;
    for (size_t i = 1; i <= celle; ++i) {
      if (i < celle && c_.pendenza[i] == c_.pendenza[inizio]) continue;
      const double x0 = xc(inizio), x1 = xc(i);
      const int32_t g = c_.pendenza[inizio];
      const std::string cifra = (g > 0 ? "+" : "") + std::to_string(g);
      if (x1 - x0 >= 1) {
        aggiungi(Elemento("rect")("class", "gradient-stretch")("x", num(x0))("y", num(cima))(
                     "width", num(x1 - x0))("height", num(kAltezzaProfilo))("fill", "#000000")(
                     "fill-opacity", "0")
                     .con(suggerimento(
                         "gradient " + cifra + " \u2030 from " + std::to_string(inizio * 50) +
                         " to " + std::to_string(std::min<size_t>(i * 50, c_.lunghezza)) + " m")));
      }
      const double larga = 5.8 * static_cast<double>(cifra.size());
      const double xm = (x0 + x1) / 2;
      const double ym = std::max(std::min(yq(quota[inizio]), yq(quota[i])) - 5, cima + 11);
      if (x1 - x0 >= 6) {
        for (const double y : {ym, ym - 11}) {
          if (y < cima + 9 || !libero(xm - larga / 2, xm + larga / 2, y)) continue;
          scritti.push_back({xm - larga / 2, xm + larga / 2, y});
          aggiungi(Elemento("text")("class", "gradient-label")("x", num(xm))("y", num(y))(
                       "font-size", "10")("text-anchor", "middle")("fill", "#2c7a2c")
                       .con(cifra));
          break;
        }
      }
      inizio = i;
    }
    cornice(cima, fondo);
    return fondo;
  }

  // The curves along the route: a bar for each, above the middle line when
  // it bends right and below when left, as tall as its class is sharp.
  double curve(double cima) {
    intestazione(cima,
                 "Curves (right-hand above, left-hand below; the taller, the sharper: "
                 "class 1 to 6)");
    const double fondo = cima + kAltezzaCurve, mezzo = cima + kAltezzaCurve / 2;
    sfondo(cima, kAltezzaCurve);
    aggiungi(Elemento("line")("x1", num(kMargine))("y1", num(mezzo))("x2", num(kMargine + kArea))(
                 "y2", num(mezzo))("stroke", "#999999")
                 .chiuso());
    if (!t_.tracciato.esiste()) {
      aggiungi(Elemento("text")("x", num(kMargine + 8))("y", num(mezzo - 6))("font-size", "11")
                   .con("No plan view: the curves are not known."));
    }
    for (const CurvaRiassunta& curva : c_.curve) {
      const double x0 = x_km(curva.da), x1 = std::max(x_km(curva.a), x0 + 1.5);
      const double alta = 4.5 * curva.classe;
      const double y0 = curva.destra ? mezzo - alta : mezzo;
      aggiungi(
          Elemento("rect")("class", "curve")("x", num(x0))("y", num(y0))("width", num(x1 - x0))(
              "height", num(alta))("fill", curva.destra ? kColoreDestra : kColoreSinistra)
              .con(suggerimento(descrivi_curva(curva))));
      if (x1 - x0 >= 8) {
        aggiungi(Elemento("text")("class", "curve-label")("x", num((x0 + x1) / 2))(
                     "y", num(curva.destra ? y0 - 2 : mezzo + alta + 9))("font-size", "9")(
                     "text-anchor", "middle")
                     .con(std::to_string(curva.classe)));
      }
    }
    cornice(cima, fondo);
    return fondo;
  }

  // The signals on the kilometre axis, each with its kind over it; a kind
  // too close to the one before goes a row higher. Returns the strip's bottom.
  double segnali(double cima) {
    const double fondo = cima + kAltezzaSegnali;
    aggiungi(Elemento("text")("x", num(kMargine - 6))("y", num(fondo - 4))("font-size", "10")(
                 "text-anchor", "end")
                 .con("signals"));
    double ultimo_x = -1e9;
    bool in_alto = false;
    for (const SegnaleRiassunto& s : c_.segnali) {
      const double x = x_km(s.posizione);
      in_alto = x - ultimo_x < 9 && !in_alto;
      ultimo_x = x;
      const double y_tipo = in_alto ? cima + 8 : cima + 18;
      aggiungi(
          Elemento("g")("class", "signal-mark")
              .con(Elemento("line")("x1", num(x))("y1", num(y_tipo + 2))("x2", num(x))(
                       "y2", num(fondo))("stroke", colore_segnale(s.tipo))("stroke-width", "1.5")
                       .chiuso() +
                   Elemento("text")("class", "signal-kind")("x", num(x))("y", num(y_tipo))(
                       "font-size", "9")("text-anchor", "middle")("fill", colore_segnale(s.tipo))
                       .con(std::to_string(s.tipo)) +
                   suggerimento("signal of kind " + std::to_string(s.tipo) + " at " +
                                std::to_string(s.posizione) + " m (cell value " +
                                std::to_string(s.valore) + ")")));
    }
    aggiungi(Elemento("line")("x1", num(kMargine))("y1", num(fondo))("x2", num(kMargine + kArea))(
                 "y2", num(fondo))("stroke", "#000000")
                 .chiuso());
    return fondo;
  }

  // The train's speed limit along the route, the line's own speed boards
  // beside it (the rank B speed; A, B and C in the tooltip) and the slowdowns.
  double velocita(double cima) {
    intestazione(cima,
                 "Speed limits (km/h): the train's limit (line), the line's speed boards "
                 "(rank B, yellow) and the slowdowns (red)");
    const double fondo = cima + kAltezzaVelocita;
    const size_t celle = std::min(c_.velocita.size(), static_cast<size_t>(c_.lunghezza / 50) + 1);
    int32_t massima = 40;
    for (size_t i = 0; i < celle; ++i) massima = std::max(massima, c_.velocita[i]);
    for (const Tratto& r : c_.rallentamenti) massima = std::max(massima, r.valore);
    for (const IndicatoreRiassunto& b : c_.indicatori) {
      massima = std::max({massima, b.velocita[0], b.velocita[1], b.velocita[2]});
    }
    const double alto = massima * 1.15;
    auto yv = [&](double v) { return fondo - v / alto * kAltezzaVelocita; };
    auto xc = [&](size_t i) {
      return x_km(static_cast<int32_t>(std::min<size_t>(i * 50, c_.lunghezza)));
    };

    sfondo(cima, kAltezzaVelocita);
    griglia_y(cima, fondo, 0, alto, "km/h", [&](double v) { return yv(v); });
    for (const Tratto& r : c_.rallentamenti) {
      const double x0 = x_km(r.da), x1 = std::max(x_km(r.a), x0 + 3);
      aggiungi(Elemento("rect")("class", "slowdown")("x", num(x0))("y", num(yv(r.valore)))(
                   "width", num(x1 - x0))("height", num(fondo - yv(r.valore)))("fill", "#d62728")(
                   "fill-opacity", "0.45")
                   .con(suggerimento("slowdown to " + std::to_string(r.valore) + " km/h from " +
                                     std::to_string(r.da) + " to " + std::to_string(r.a) + " m")));
      aggiungi(Elemento("text")("class", "slowdown-label")("x", num((x0 + x1) / 2))(
                   "y", num(yv(r.valore) - 4))("font-size", "10")("text-anchor", "middle")(
                   "fill", "#a01010")
                   .con(std::to_string(r.valore)));
    }
    if (celle > 0) {
      std::string punti;
      for (size_t i = 0; i < celle; ++i) {
        if (i > 0 && c_.velocita[i] == c_.velocita[i - 1]) continue;
        if (i > 0) punti += num(xc(i)) + "," + num(yv(c_.velocita[i - 1])) + " ";
        punti += num(xc(i)) + "," + num(yv(c_.velocita[i])) + " ";
      }
      punti += num(x_km(c_.lunghezza)) + "," + num(yv(c_.velocita[celle - 1]));
      aggiungi(Elemento("polyline")("class", "speed-limit")("fill", "none")("stroke", "#1f4e9c")(
                   "stroke-width", "1.8")("points", punti)
                   .chiuso());
    }
    for (const IndicatoreRiassunto& b : c_.indicatori) {
      const double x = x_km(b.posizione), y = yv(b.velocita[1]);
      aggiungi(
          Elemento("g")("class", "speed-board")
              .con(Elemento("rect")("x", num(x - 4))("y", num(y - 4))("width", "8")("height", "8")(
                       "fill", "#ffd400")("stroke", "#000000")("stroke-width", "0.8")
                       .chiuso() +
                   Elemento("text")("class", "speed-board-label")("x", num(x))("y", num(y - 7))(
                       "font-size", "9")("text-anchor", "middle")
                       .con(std::to_string(b.velocita[1])) +
                   suggerimento("speed board at " + std::to_string(b.posizione) + " m: A " +
                                std::to_string(b.velocita[0]) + ", B " +
                                std::to_string(b.velocita[1]) + ", C " +
                                std::to_string(b.velocita[2]) + " km/h")));
    }
    cornice(cima, fondo);
    return fondo;
  }

  // The panel's outline, drawn over what it holds.
  void cornice(double cima, double fondo) {
    aggiungi(Elemento("rect")("x", num(kMargine))("y", num(cima))("width", num(kArea))(
                 "height", num(fondo - cima))("fill", "none")("stroke", "#999999")
                 .chiuso());
  }

  template <typename Y>
  void griglia_y(double cima, double fondo, double basso, double alto, const char* unita, Y y) {
    const double passo = passo_tacche(alto - basso, 5);
    const auto etichetta = [&](double altezza) {
      return Elemento("text")("x", num(kMargine - 6))("y", num(altezza))("font-size", "10")(
          "text-anchor", "end");
    };
    for (double v = std::ceil(basso / passo) * passo; v <= alto; v += passo) {
      const double yy = y(v);
      if (yy < cima || yy > fondo) continue;
      aggiungi(Elemento("line")("x1", num(kMargine))("y1", num(yy))("x2", num(kMargine + kArea))(
                   "y2", num(yy))("stroke", "#e0e0e0")
                   .chiuso());
      aggiungi(etichetta(yy + 4).con(num(v)));
    }
    aggiungi(etichetta(cima - 2).con(unita));
  }

  // Kilometre ticks under the two profiles, station lines across both and
  // the station names under the axis. Returns the picture's bottom.
  double asse_km(double cima, double fondo) {
    const double km = c_.lunghezza / 1000.0;
    const double passo = passo_tacche(km, 20);
    aggiungi(Elemento("g")("class", "km-axis")("font-size", "10").aperto());
    for (double k = 0; k <= km + 1e-9; k += passo) {
      const double x = x_km(static_cast<int32_t>(std::lround(k * 1000)));
      aggiungi(
          Elemento("line")("x1", num(x))("y1", num(fondo))("x2", num(x))("y2", num(fondo + 5))(
              "stroke", "#000000")
              .chiuso() +
          Elemento("text")("x", num(x))("y", num(fondo + 17))("text-anchor", "middle").con(num(k)));
    }
    aggiungi(Elemento("text")("x", num(kMargine + kArea))("y", num(fondo + 30))(
                 "text-anchor", "end")("font-size", "11")
                 .con("km from the origin"));
    aggiungi("</g>");
    double piu_basso = fondo + 34;
    for (const StazioneRiassunta& st : c_.stazioni) {
      const double x = x_km(st.posizione);
      aggiungi(Elemento("line")("class", "station-line")("x1", num(x))("y1", num(cima))(
                   "x2", num(x))("y2", num(fondo))("stroke", "#1f4e9c")("stroke-opacity", "0.35")(
                   "stroke-dasharray", "3,3")
                   .chiuso());
      aggiungi(Elemento("text")("class", "station-name")(
                   "transform", "translate(" + num(x + 3) + "," + num(fondo + 40) + ") rotate(65)")(
                   "font-size", "10")("fill", "#1f4e9c")
                   .con(testo_xml(st.nome)));
      piu_basso =
          std::max(piu_basso, fondo + 40 + 0.91 * 6.2 * static_cast<double>(st.nome.size()) + 12);
    }
    return piu_basso;
  }

  const Scenario& t_;
  const RiassuntoPercorso& c_;
  std::string corpo_;
};

}  // namespace

std::string disegna_scenario(const Scenario& tabelle, std::string_view titolo,
                             std::span<const std::string> avvisi) {
  if (tabelle.percorso.empty()) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" +
           Elemento("svg")("xmlns", "http://www.w3.org/2000/svg")("width", "600")("height", "60")
               .con(Elemento("text")("x", "10")("y", "30").con(testo_xml(titolo) +
                                                               ": no route grid to draw")) +
           "\n";
  }
  const RiassuntoPercorso riassunto = riassumi_percorso(tabelle);
  Disegno disegno(tabelle, riassunto);
  return disegno.svg(titolo, avvisi);
}

}  // namespace scenario
