#include "content/line_source.h"

#include <string_view>

namespace scenario {
namespace {

// The line from BELFORTE SELVEN (position 0, km 100) over the summit at km 86+857
// and down the Orno gorge to MELAR (position 100000, km 0). The lettered boards
// stand 50 m before the structure they name.
// clang-format off
constexpr std::string_view kRighe[] = {
    "[indicazioni]",
    "cartello_indicatore,  4650,   (GALERIA ARTIF.  )(Mt.140 Km.95+278)",
    "cartello_indicatore,  7150,   (VIADOTTO        )(SELVEN          )(Mt.186 Km.92+769)",
    "cartello_indicatore,  8300,   (GALLERIA        )(COSTALUNGA      )(Mt.312 Km.91+629)",
    "cartello_indicatore,  9150,   (PONTE         )(RIO SECCO     )(Mt.8 Km.90+763)",
    "cartello_indicatore,  10150,   (GALLERIA        )(SASSO NERO 1°   )(Mt.436 Km.89+769)",
    "cartello_indicatore,  11150,   (GALLERIA        )(SASSO NERO 2°   )(Mt.268 Km.88+781)",
    "cartello_indicatore,  12050,   (GALLERIA       )(CROCETTA       )(Mt.95 Km.87+866)",
    "cartello_indicatore,  13100,   (CULMINE  )(Km.86+857)",
    "cartello_indicatore,  13700,   (GALLERIA        )(SPIANATA        )(Mt.154 Km.86+238)",
    "cartello_indicatore,  14550,   (VIADOTTO        )(FORRA DELL'ORNO )(Mt.242 Km.85+372)",
    "cartello_indicatore,  15300,   (GALLERIA        )(MALPASSO        )(Mt.520 Km.84+634)",
    "cartello_indicatore,  16300,   (GALLERIA       )(CERRETO 1°     )(Mt.61 Km.83+630)",
    "cartello_indicatore,  17850,   (GALLERIA        )(CERRETO 2°      )(Mt.333 Km.82+091)",
    "cartello_indicatore,  18900,   (PONTE          )(SULL'ORNO 1°   )(Mt.72 Km.81+024)",
    "cartello_indicatore,  20000,   (GALLERIA        )(ROCCOLO         )(Mt.331 Km.79+938)",
    "cartello_indicatore,  21050,   (PONTE          )(SULL'ORNO 2°   )(Mt.55 Km.78+886)",
    "cartello_indicatore,  21800,   (GALLERIA        )(CAMPOSECCO      )(Mt.206 Km.78+110)",
    "cartello_indicatore,  23000,   (VIADOTTO        )(ROCCAVIVA       )(Mt.164 Km.76+923)",
    "cartello_indicatore,  25500,   (GALLERIA        )(PIAN DEL LUPO   )(Mt.418 Km.74+432)",
    "cartello_indicatore,  26900,   (GALLERIA        )(LE FORNACI      )(Mt.127 Km.73+017)",
    "cartello_indicatore,  27750,   (PONTE         )(RIO FREDDO    )(Mt.9 Km.72+159)",
    "cartello_indicatore,  29900,   (GALLERIA        )(VALLESCURA      )(Mt.274 Km.70+045)",
    "cartello_indicatore,  31000,   (VIADOTTO        )(CAMPORA         )(Mt.236 Km.68+921)",
    "cartello_indicatore,  32350,   (GALLERIA        )(MADONNA D.NEVE  )(Mt.683 Km.67+589)",
    "cartello_indicatore,  34000,   (GALLERIA       )(CRESTA         )(Mt.96 Km.65+926)",
    "cartello_indicatore,  36400,   (GALLERIA        )(MONTE ORSARO    )(Mt.590 Km.63+512)",
    "cartello_indicatore,  37700,   (PONTE          )(RIO DELLE VOLPI)(Mt.48 Km.62+233)",
    "cartello_indicatore,  39500,   (GALLERIA        )(SAN ROCCO       )(Mt.462 Km.60+427)",
    "cartello_indicatore,  40600,   (GALLERIA        )(TORRICELLA      )(Mt.215 Km.59+320)",
    "cartello_indicatore,  41850,   (VIADOTTO        )(DELLE GOLE      )(Mt.312 Km.58+094)",
    "cartello_indicatore,  43000,   (GALLERIA        )(LA CHIUSA       )(Mt.156 Km.56+935)",
    kFineLista,
};
// clang-format on

}  // namespace

ListaRighe righe_linea() { return kRighe; }

}  // namespace scenario
