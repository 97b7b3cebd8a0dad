// For the tests: a small scenario of the tool's own, written in the two
// source formats the authors use, and a way to break it one record at a time.
#pragma once

#include <string>
#include <string_view>

namespace scenario::test {

// A 10 km line: one curve, two gradients, a tunnel with its board before it,
// a speed board.
inline std::string testo_linea_prova() {
  return "[generale]\r\n"
         "lunghezza percorso,    10000\r\n"
         "progressiva chilometrica uno,    0,    10000,    1\r\n"
         "progressiva chilometrica due,    0,    0,    0\r\n"
         "progressiva chilometrica tre,    0,    0,    0\r\n"
         "sfondo uno,    80000\r\n"
         "sfondo due,    65000\r\n"
         "sfondo tre,    1\r\n"
         "ripetizione segnali 4 codici,    0    ,0\r\n"
         "[curve]\r\n"
         "curvad6,  2300,  300\r\n"
         "curvas5,  6000,  500\r\n"
         "[pendenze]\r\n"
         "pendenza,  0,   0\r\n"
         "pendenza,  2100,   20\r\n"
         "pendenza,  5000,   -12\r\n"
         "[montagne]\r\n"
         "montagna,   4700,  4900,  1\r\n"
         "[cartelli]\r\n"
         "indicatori_vmax,  1150,  70,  75,  75,  0,  ,  ,  ,  0\r\n"
         "[indicazioni]\r\n"
         "cartello_indicatore,  4650,   (GALLERIA ROCCA)(Mt.200 Km.4+700)\r\n"
         "[fine]\r\n";
}

// Train 1 over it: two stations, a slowdown at 30 km/h, two signals.
inline std::string testo_treno_prova() {
  return "[generale]\r\n"
         "numero vetture,    5\r\n"
         "percentuale massa frenata,    110\r\n"
         "sabbia,    100\r\n"
         "orologio,    17              22            0 \r\n"
         "[aderenze]\r\n"
         "aderenza,       0,    80\r\n"
         "[vel_limite]\r\n"
         "velocita,       0,    75\r\n"
         "velocita,    3000,   100\r\n"
         "[stazioni]\r\n"
         "stazione,       0,  8,  300,  1, 0, 0,  4,1,0,  2,1,1,    1,  17,23, 0, PRATO D'ALPE\r\n"
         "stazione,   10000, 12,  500,  1, 0, 0,  1,1,0,  2,1,1,    0,  17,40, 0, VAL & MONTE\r\n"
         "[rallentamenti]\r\n"
         "rallentamento,    6000,    30,  300, 1,  0,  0\r\n"
         "[segnali]\r\n"
         "segnale,    4500,   1, 3, 4,  0, 0,    0,  0,0,0, 0\r\n"
         "segnale,    5450,   2, 2, 3,  0, 0,    0,  0,0,0, 0\r\n"
         "[codici]\r\n"
         "[fine]\r\n";
}

// `testo` with the first occurrence of `vecchio` replaced by `nuovo`.
inline std::string sostituisci(std::string testo, std::string_view vecchio,
                               std::string_view nuovo) {
  const size_t dove = testo.find(vecchio);
  if (dove != std::string::npos) testo.replace(dove, vecchio.size(), nuovo);
  return testo;
}

}  // namespace scenario::test
