#include "plot_svg.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <set>
#include <vector>

#include "base/windows_1252.h"
#include "diagnostics.h"

namespace scenario {
namespace {

// The picture's frame, in SVG pixels.
constexpr double kLarghezza = 1200;
constexpr double kMargine = 70;
constexpr double kArea = kLarghezza - 2 * kMargine;
constexpr double kAltezzaPiantaMassima = 640;
constexpr double kAltezzaProfilo = 200;
constexpr double kAltezzaVelocita = 180;
constexpr int32_t kPassoPolilinea = 50;  // one polyline point per 50 m of route

std::string num(double valore) {
  if (!std::isfinite(valore)) return "0";
  char testo[48];
  const auto fine = std::to_chars(testo, testo + sizeof testo, valore, std::chars_format::fixed, 1);
  std::string s(testo, fine.ptr);
  if (s.size() > 2 && s.compare(s.size() - 2, 2, ".0") == 0) s.resize(s.size() - 2);
  if (s == "-0") s = "0";
  return s;
}

// Objects along the route, in metres from the origin.
struct Stazione {
  int32_t posizione;
  std::string nome;  // UTF-8
};
struct Cartello {
  int32_t posizione;
  std::string scritta;  // UTF-8
};
struct Tratto {
  int32_t da;
  int32_t a;
  int32_t valore;
};

// A point object in cell i was laid from position (i - 1) * 50.
int32_t posizione_oggetto(size_t cella) { return static_cast<int32_t>(cella) * 50 - 50; }

struct Contenuto {
  int32_t lunghezza = 0;  // the route length shown on the axis
  std::vector<Stazione> stazioni;
  std::vector<int32_t> segnali;
  std::vector<Cartello> cartelli;
  std::vector<Tratto> gallerie;       // valore: the mountain kind
  std::vector<Tratto> rallentamenti;  // valore: km/h
  std::vector<int32_t> pendenza;      // per mille, one per cell
  std::vector<int32_t> velocita;      // km/h, one per cell
};

Contenuto raccogli(const Scenario& t) {
  Contenuto c;
  const auto& celle = t.percorso;
  const int32_t fine_griglia = std::max<int32_t>(0, t.ultima_cella * 50 - kMargineTracciato);
  c.lunghezza = t.registro[kVoceTrenoPercorso].fine;
  if (c.lunghezza <= 0 || c.lunghezza > t.ultima_cella * 50) c.lunghezza = fine_griglia;
  if (c.lunghezza <= 0) c.lunghezza = t.ultima_cella * 50;

  std::set<int> voci_cartello;
  for (size_t i = 0; i < celle.size(); ++i) {
    const CellaPercorso& cella = celle[i];
    switch (cella.tipo) {
      case TipoCella::kSegnale:
        c.segnali.push_back(posizione_oggetto(i));
        break;
      case TipoCella::kCartelloIndicatore:
        if (cella.valore_1 >= 1 && cella.valore_1 < kVociRegistro) {
          voci_cartello.insert(cella.valore_1);
          c.cartelli.push_back(
              {posizione_oggetto(i),
               windows_1252_a_utf8(t.registro[static_cast<size_t>(cella.valore_1)].nome)});
        }
        break;
      case TipoCella::kInizioRallentamento: {
        size_t e = i + 1;
        while (e < celle.size() && celle[e].tipo != TipoCella::kFineRallentamento) ++e;
        if (e < celle.size())
          c.rallentamenti.push_back({posizione_oggetto(i), posizione_oggetto(e), cella.valore_1});
        break;
      }
      default:
        break;
    }
    // A mountain stretch marks the cells that start at its first metre and
    // end at its last.
    if (cella.montagna != 0) {
      const int32_t da = static_cast<int32_t>(i) * 50;
      if (!c.gallerie.empty() && c.gallerie.back().a == da &&
          c.gallerie.back().valore == cella.montagna) {
        c.gallerie.back().a = da + 50;
      } else {
        c.gallerie.push_back({da, da + 50, cella.montagna});
      }
    }
    c.pendenza.push_back(static_cast<int32_t>(cella.pendenza) - 100);
    c.velocita.push_back(static_cast<int32_t>(cella.velocita_max) * 5);
  }
  // Stations fill the entries upward from 1; lettered boards fill them
  // downward from 80, so the stations end at the first empty or board entry.
  for (int e = 1; e < kPrimoCartello + 1; ++e) {
    const VoceRegistro& v = t.registro[static_cast<size_t>(e)];
    if (voci_cartello.count(e) != 0 || (v.tipo == 0 && v.nome.empty() && v.progressiva == 0)) break;
    c.stazioni.push_back({v.progressiva, windows_1252_a_utf8(v.nome)});
  }
  return c;
}

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

class Disegno {
 public:
  Disegno(const Scenario& t, const Contenuto& c) : t_(t), c_(c) {}

  std::string svg(std::string_view titolo) {
    double y = 64;
    y = pianta(y) + 56;
    const double cima_profilo = y;
    y = profilo(y) + 56;
    y = velocita(y);
    y = asse_km(cima_profilo, y);
    std::string s;
    s += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    s += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + num(kLarghezza) + "\" height=\"" +
         num(y) + "\" viewBox=\"0 0 " + num(kLarghezza) + " " + num(y) +
         "\" font-family=\"DejaVu Sans, Arial, sans-serif\" font-size=\"12\">\n";
    s += "<title>" + testo_xml(titolo) + "</title>\n";
    s += "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n";
    s += "<text class=\"title\" x=\"" + num(kMargine) +
         "\" y=\"34\" font-size=\"20\" font-weight=\"bold\">" + testo_xml(titolo) + "</text>\n";
    s += corpo_;
    s += "</svg>\n";
    return s;
  }

 private:
  double x_km(int32_t posizione) const {
    return kMargine + kArea * std::clamp(static_cast<double>(posizione) / c_.lunghezza, 0.0, 1.0);
  }

  void intestazione(double y, const std::string& testo) {
    corpo_ += "<text class=\"panel-title\" x=\"" + num(kMargine) + "\" y=\"" + num(y - 10) +
              "\" font-size=\"14\" font-weight=\"bold\">" + testo_xml(testo) + "</text>\n";
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
      corpo_ +=
          "<text x=\"" + num(kMargine) + "\" y=\"" + num(cima + 20) +
          "\">No plan view: the line has no route length or was compiled without one.</text>\n";
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

    corpo_ += "<rect class=\"frame\" x=\"" + num(kMargine) + "\" y=\"" + num(cima) + "\" width=\"" +
              num(kArea) + "\" height=\"" + num(fondo - cima) +
              "\" fill=\"#f7f7f2\" stroke=\"#bbbbbb\"/>\n";
    corpo_ +=
        "<polyline class=\"track\" fill=\"none\" stroke=\"#333333\" stroke-width=\"2\" points=\"" +
        polilinea(0, ultimo) + "\"/>\n";
    for (const Tratto& g : c_.gallerie) {
      if (g.da > ultimo) continue;
      corpo_ +=
          "<polyline class=\"tunnel\" fill=\"none\" stroke=\"#8a5a2b\" stroke-width=\"7\" "
          "stroke-opacity=\"0.75\" points=\"" +
          polilinea(g.da, std::min(g.a, ultimo)) + "\"><title>tunnel " + std::to_string(g.da) +
          " to " + std::to_string(g.a) + " m</title></polyline>\n";
    }
    for (int32_t s : c_.segnali) {
      corpo_ += "<circle class=\"signal\" cx=\"" + num(px(std::clamp(s, 0, ultimo))) + "\" cy=\"" +
                num(py(std::clamp(s, 0, ultimo))) +
                "\" r=\"2.5\" fill=\"#d62728\"><title>signal at " + std::to_string(s) +
                " m</title></circle>\n";
    }
    for (const Cartello& b : c_.cartelli) {
      const int32_t m = std::clamp(b.posizione, 0, ultimo);
      corpo_ +=
          "<rect class=\"board\" x=\"" + num(px(m) - 3) + "\" y=\"" + num(py(m) - 3) +
          "\" width=\"6\" height=\"6\" fill=\"#ff9f1c\" stroke=\"#7a4a00\" stroke-width=\"0.8\"><title>" +
          testo_xml(b.scritta) + " at " + std::to_string(b.posizione) + " m</title></rect>\n";
    }
    // Station names beside their mark: to the right, or where they overlap
    // no name already placed, trying left, above and below.
    struct Riquadro {
      double x0, y0, x1, y1;
    };
    std::vector<Riquadro> etichette;
    for (const Stazione& st : c_.stazioni) {
      const int32_t m = std::clamp(st.posizione, 0, ultimo);
      const double cx = px(m), cy = py(m);
      corpo_ += "<circle class=\"station\" cx=\"" + num(cx) + "\" cy=\"" + num(cy) +
                "\" r=\"5\" fill=\"#ffffff\" stroke=\"#1f4e9c\" stroke-width=\"2\"><title>" +
                testo_xml(st.nome) + " at " + std::to_string(st.posizione) +
                " m</title></circle>\n";
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
      corpo_ += "<text class=\"station-label\" x=\"" + num(cx + scelto->dx) + "\" y=\"" +
                num(cy + scelto->dy) + "\"" + (scelto->a_sinistra ? " text-anchor=\"end\"" : "") +
                " font-size=\"11\" fill=\"#1f4e9c\">" + testo_xml(st.nome) + "</text>\n";
    }
    // A scale bar of a round length, about a sixth of the width.
    const double metri = passo_tacche(kArea / 6 / scala, 1);
    const double lunga = metri * scala;
    const double bx = kMargine + 12, by = fondo - 14;
    corpo_ += "<g class=\"scale-bar\"><line x1=\"" + num(bx) + "\" y1=\"" + num(by) + "\" x2=\"" +
              num(bx + lunga) + "\" y2=\"" + num(by) +
              "\" stroke=\"#000000\" stroke-width=\"2\"/><text x=\"" + num(bx) + "\" y=\"" +
              num(by - 5) + "\" font-size=\"11\">" +
              (metri >= 1000 ? num(metri / 1000) + " km" : num(metri) + " m") + "</text></g>\n";
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
    constexpr double kL = 140, kA = 92;
    const double sinistra = kMargine + 10, destra = kLarghezza - kMargine - 10 - kL;
    const double alto = cima + 10,
                 basso = std::max(cima + 10, fondo - 10 - kA - 24);  // above the scale bar
    const std::pair<double, double> angoli[] = {
        {destra, alto}, {sinistra, alto}, {destra, basso}, {sinistra, basso}};
    double x = destra, y = alto;
    size_t meno = std::numeric_limits<size_t>::max();
    for (const auto& [ax, ay] : angoli) {
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
    corpo_ += "<g class=\"legend\" font-size=\"11\"><rect x=\"" + num(x) + "\" y=\"" + num(y) +
              "\" width=\"" + num(kL) + "\" height=\"" + num(kA) +
              "\" fill=\"#ffffff\" fill-opacity=\"0.85\" stroke=\"#bbbbbb\"/>\n";
    const struct {
      const char* simbolo;
      const char* testo;
    } voci[] = {
        {"<line x1=\"0\" y1=\"0\" x2=\"18\" y2=\"0\" stroke=\"#333333\" stroke-width=\"2\"/>",
         "track"},
        {"<line x1=\"0\" y1=\"0\" x2=\"18\" y2=\"0\" stroke=\"#8a5a2b\" stroke-width=\"7\" stroke-opacity=\"0.75\"/>",
         "tunnel"},
        {"<circle cx=\"9\" cy=\"0\" r=\"5\" fill=\"#ffffff\" stroke=\"#1f4e9c\" stroke-width=\"2\"/>",
         "station"},
        {"<circle cx=\"9\" cy=\"0\" r=\"2.5\" fill=\"#d62728\"/>", "signal"},
        {"<rect x=\"6\" y=\"-3\" width=\"6\" height=\"6\" fill=\"#ff9f1c\" stroke=\"#7a4a00\" stroke-width=\"0.8\"/>",
         "lettered board"},
    };
    double riga = y + 16;
    for (const auto& v : voci) {
      corpo_ += "<g transform=\"translate(" + num(x + 10) + "," + num(riga) + ")\">" + v.simbolo +
                "<text x=\"26\" y=\"4\">" + v.testo + "</text></g>\n";
      riga += 16;
    }
    corpo_ += "</g>\n";
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

    corpo_ += "<rect class=\"frame\" x=\"" + num(kMargine) + "\" y=\"" + num(cima) + "\" width=\"" +
              num(kArea) + "\" height=\"" + num(kAltezzaProfilo) +
              "\" fill=\"#f7f7f2\" stroke=\"#bbbbbb\"/>\n";
    griglia_y(cima, fondo, basso, alto, "m", [&](double q) { return yq(q); });
    std::string area = num(xc(0)) + "," + num(fondo) + " ";
    std::string linea;
    for (size_t i = 0; i <= celle; ++i) {
      const std::string p = num(xc(i)) + "," + num(yq(quota[i])) + " ";
      area += p;
      linea += p;
    }
    area += num(xc(celle)) + "," + num(fondo);
    corpo_ += "<polygon class=\"gradient-area\" fill=\"#c9e3c0\" points=\"" + area + "\"/>\n";
    corpo_ +=
        "<polyline class=\"gradient-profile\" fill=\"none\" stroke=\"#2c7a2c\" stroke-width=\"1.5\" points=\"" +
        linea + "\"/>\n";
    // Gradient figures over stretches of one gradient at least 34 px wide.
    size_t inizio = 0;
    for (size_t i = 1; i <= celle; ++i) {
      if (i < celle && c_.pendenza[i] == c_.pendenza[inizio]) continue;
      const double x0 = xc(inizio), x1 = xc(i);
      if (x1 - x0 >= 34) {
        const int32_t g = c_.pendenza[inizio];
        const double ym = std::min(yq(quota[inizio]), yq(quota[i])) - 5;
        corpo_ += "<text class=\"gradient-label\" x=\"" + num((x0 + x1) / 2) + "\" y=\"" +
                  num(std::max(ym, cima + 11)) +
                  "\" font-size=\"10\" text-anchor=\"middle\" fill=\"#2c7a2c\">" +
                  (g > 0 ? "+" : "") + std::to_string(g) + "</text>\n";
      }
      inizio = i;
    }
    cornice(cima, fondo);
    return fondo;
  }

  // The train's speed limit along the route and the slowdowns over it.
  double velocita(double cima) {
    intestazione(cima, "Speed limits (km/h) and slowdowns");
    const double fondo = cima + kAltezzaVelocita;
    const size_t celle = std::min(c_.velocita.size(), static_cast<size_t>(c_.lunghezza / 50) + 1);
    int32_t massima = 40;
    for (size_t i = 0; i < celle; ++i) massima = std::max(massima, c_.velocita[i]);
    for (const Tratto& r : c_.rallentamenti) massima = std::max(massima, r.valore);
    const double alto = massima * 1.15;
    auto yv = [&](double v) { return fondo - v / alto * kAltezzaVelocita; };
    auto xc = [&](size_t i) {
      return x_km(static_cast<int32_t>(std::min<size_t>(i * 50, c_.lunghezza)));
    };

    corpo_ += "<rect class=\"frame\" x=\"" + num(kMargine) + "\" y=\"" + num(cima) + "\" width=\"" +
              num(kArea) + "\" height=\"" + num(kAltezzaVelocita) +
              "\" fill=\"#f7f7f2\" stroke=\"#bbbbbb\"/>\n";
    griglia_y(cima, fondo, 0, alto, "km/h", [&](double v) { return yv(v); });
    for (const Tratto& r : c_.rallentamenti) {
      const double x0 = x_km(r.da), x1 = std::max(x_km(r.a), x0 + 3);
      corpo_ += "<rect class=\"slowdown\" x=\"" + num(x0) + "\" y=\"" + num(yv(r.valore)) +
                "\" width=\"" + num(x1 - x0) + "\" height=\"" + num(fondo - yv(r.valore)) +
                "\" fill=\"#d62728\" fill-opacity=\"0.45\"><title>slowdown to " +
                std::to_string(r.valore) + " km/h from " + std::to_string(r.da) + " to " +
                std::to_string(r.a) + " m</title></rect>\n";
      corpo_ += "<text class=\"slowdown-label\" x=\"" + num((x0 + x1) / 2) + "\" y=\"" +
                num(yv(r.valore) - 4) +
                "\" font-size=\"10\" text-anchor=\"middle\" fill=\"#a01010\">" +
                std::to_string(r.valore) + "</text>\n";
    }
    if (celle > 0) {
      std::string punti;
      for (size_t i = 0; i < celle; ++i) {
        if (i > 0 && c_.velocita[i] == c_.velocita[i - 1]) continue;
        if (i > 0) punti += num(xc(i)) + "," + num(yv(c_.velocita[i - 1])) + " ";
        punti += num(xc(i)) + "," + num(yv(c_.velocita[i])) + " ";
      }
      punti += num(x_km(c_.lunghezza)) + "," + num(yv(c_.velocita[celle - 1]));
      corpo_ +=
          "<polyline class=\"speed-limit\" fill=\"none\" stroke=\"#1f4e9c\" stroke-width=\"1.8\" points=\"" +
          punti + "\"/>\n";
    }
    cornice(cima, fondo);
    return fondo;
  }

  // The panel's outline, drawn over what it holds.
  void cornice(double cima, double fondo) {
    corpo_ += "<rect x=\"" + num(kMargine) + "\" y=\"" + num(cima) + "\" width=\"" + num(kArea) +
              "\" height=\"" + num(fondo - cima) + "\" fill=\"none\" stroke=\"#999999\"/>\n";
  }

  template <typename Y>
  void griglia_y(double cima, double fondo, double basso, double alto, const char* unita, Y y) {
    const double passo = passo_tacche(alto - basso, 5);
    for (double v = std::ceil(basso / passo) * passo; v <= alto; v += passo) {
      const double yy = y(v);
      if (yy < cima || yy > fondo) continue;
      corpo_ += "<line x1=\"" + num(kMargine) + "\" y1=\"" + num(yy) + "\" x2=\"" +
                num(kMargine + kArea) + "\" y2=\"" + num(yy) + "\" stroke=\"#e0e0e0\"/>\n";
      corpo_ += "<text x=\"" + num(kMargine - 6) + "\" y=\"" + num(yy + 4) +
                "\" font-size=\"10\" text-anchor=\"end\">" + num(v) + "</text>\n";
    }
    corpo_ += "<text x=\"" + num(kMargine - 6) + "\" y=\"" + num(cima - 2) +
              "\" font-size=\"10\" text-anchor=\"end\">" + unita + "</text>\n";
  }

  // Kilometre ticks under the two profiles, station lines across both and
  // the station names under the axis. Returns the picture's bottom.
  double asse_km(double cima, double fondo) {
    const double km = c_.lunghezza / 1000.0;
    const double passo = passo_tacche(km, 20);
    corpo_ += "<g class=\"km-axis\" font-size=\"10\">\n";
    for (double k = 0; k <= km + 1e-9; k += passo) {
      const double x = x_km(static_cast<int32_t>(std::lround(k * 1000)));
      corpo_ += "<line x1=\"" + num(x) + "\" y1=\"" + num(fondo) + "\" x2=\"" + num(x) +
                "\" y2=\"" + num(fondo + 5) + "\" stroke=\"#000000\"/><text x=\"" + num(x) +
                "\" y=\"" + num(fondo + 17) + "\" text-anchor=\"middle\">" + num(k) + "</text>\n";
    }
    corpo_ += "<text x=\"" + num(kMargine + kArea) + "\" y=\"" + num(fondo + 30) +
              "\" text-anchor=\"end\" font-size=\"11\">km from the origin</text>\n</g>\n";
    double piu_basso = fondo + 34;
    for (const Stazione& st : c_.stazioni) {
      const double x = x_km(st.posizione);
      corpo_ += "<line class=\"station-line\" x1=\"" + num(x) + "\" y1=\"" + num(cima) +
                "\" x2=\"" + num(x) + "\" y2=\"" + num(fondo) +
                "\" stroke=\"#1f4e9c\" stroke-opacity=\"0.35\" stroke-dasharray=\"3,3\"/>\n";
      corpo_ += "<text class=\"station-name\" transform=\"translate(" + num(x + 3) + "," +
                num(fondo + 40) + ") rotate(65)\" font-size=\"10\" fill=\"#1f4e9c\">" +
                testo_xml(st.nome) + "</text>\n";
      piu_basso =
          std::max(piu_basso, fondo + 40 + 0.91 * 6.2 * static_cast<double>(st.nome.size()) + 12);
    }
    return piu_basso;
  }

  const Scenario& t_;
  const Contenuto& c_;
  std::string corpo_;
};

}  // namespace

std::string testo_xml(std::string_view utf8) {
  std::string s;
  s.reserve(utf8.size());
  size_t i = 0;
  while (i < utf8.size()) {
    const auto u = static_cast<unsigned char>(utf8[i]);
    if (u < 0x80) {
      switch (u) {
        case '&':
          s += "&amp;";
          break;
        case '<':
          s += "&lt;";
          break;
        case '>':
          s += "&gt;";
          break;
        case '"':
          s += "&quot;";
          break;
        case '\'':
          s += "&apos;";
          break;
        default:
          s += (u < 0x20 && u != '\t' && u != '\n' && u != '\r') ? '?' : static_cast<char>(u);
      }
      ++i;
      continue;
    }
    // A multi-byte character is kept when it is well formed and XML allows it.
    const size_t lunghezza = u >= 0xF0 ? 4 : u >= 0xE0 ? 3 : u >= 0xC0 ? 2 : 0;
    bool valido = lunghezza != 0 && u < 0xF5 && i + lunghezza <= utf8.size();
    char32_t punto = valido ? (u & (0x7F >> lunghezza)) : 0;
    for (size_t k = 1; valido && k < lunghezza; ++k) {
      const auto c = static_cast<unsigned char>(utf8[i + k]);
      valido = (c & 0xC0) == 0x80;
      punto = (punto << 6) | (c & 0x3F);
    }
    static constexpr char32_t kMinimo[] = {0, 0, 0x80, 0x800, 0x10000};
    valido = valido && punto >= kMinimo[lunghezza] && punto <= 0x10FFFF &&
             !(punto >= 0xD800 && punto <= 0xDFFF) && punto != 0xFFFE && punto != 0xFFFF;
    if (valido) {
      s.append(utf8.substr(i, lunghezza));
      i += lunghezza;
    } else {
      s += '?';
      ++i;
    }
  }
  return s;
}

std::string disegna_scenario(const Scenario& tabelle, std::string_view titolo) {
  if (tabelle.percorso.empty()) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" "
           "width=\"600\" height=\"60\"><text x=\"10\" y=\"30\">" +
           testo_xml(titolo) + ": no route grid to draw</text></svg>\n";
  }
  const Contenuto contenuto = raccogli(tabelle);
  Disegno disegno(tabelle, contenuto);
  return disegno.svg(titolo);
}

}  // namespace scenario
