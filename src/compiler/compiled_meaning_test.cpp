#include "compiler/compiled_meaning.h"

#include <gtest/gtest.h>

#include <vector>

#include "util/compiled_bytes_test_util.h"

namespace scenario {
namespace {

// A stretch of grid with one object of each kind that packs its values, and
// the marks before a station's stop point and before a signal.
std::vector<CellaPercorso> celle_con_oggetti() {
  std::vector<CellaPercorso> celle(200);
  celle[1] = {TipoCella::kBinario, 5121, 2496, 0, 0, 0, 81, 0, 15, 100, 80};
  celle[2].tipo = TipoCella::kFermata;  // the stop point the mark 81 in cell 1 points at
  celle[2].valore_1 = 1;
  // The signal of "segnale, 28150, 2, 3, 4, 0, 0, 0, 0,0,0, 230", moved to cell 14.
  celle[14] = {TipoCella::kSegnale, 30, 40, 0, 6, 230, 0, 2, 28, 118, 255};
  celle[8].avviso = 63;  // 300 m before it
  celle[20] = {TipoCella::kIndicatoreVMax, 1415, 1500, 1500, 12, 0, 0, 0, 0, 82, 0};
  celle[30] = {TipoCella::kInizioRallentamento, 30, 0, 1, 0, 0, 0, 0, 0, 0, 0};
  celle[40] = {TipoCella::kPreavvisoRallentamento, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  celle[50] = {TipoCella::kAbbattimentoConValore, 5, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  celle[60] = {TipoCella::kCartelloIndicatore, 80, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  celle[70].tipo = static_cast<TipoCella>(9);
  celle[70].valore_1 = 7;
  return celle;
}

TEST(LeggiCella, ReadsEachFieldByTheKindOfItsCell) {
  const std::vector<CellaPercorso> celle = celle_con_oggetti();
  using C = CampoCella;
  const struct {
    size_t cella;
    CampoCella campo;
    const char* testo;
  } casi[] = {
      {1, C::kValore1, "the compile step's stamp 5121"},
      {1, C::kValore2, "og competition code 2496"},
      {1, C::kAvviso, "station approach, distance to the stop point 50 m"},
      {1, C::kVelocitaMax, "speed limit 75 km/h"},
      {1, C::kPendenza, "gradient 0 \u2030"},
      {14, C::kPendenza, "gradient 18 \u2030"},
      {20, C::kPendenza, "gradient -18 \u2030"},
      {1, C::kAderenza, "adhesion 80"},
      {1, C::kTipo, "plain track"},
      {14, C::kTipo, "signal, record at 650 m"},
      {14, C::kValore1, "signal figures: s1 3, d1 0"},
      {14, C::kValore4, "signal figures: rapp 0, sx*3+dx 6"},
      {14, C::kTempoSegnale, "signal time 230"},
      {14, C::kMontagna, "mountain-stretch kind (0 = open air) 2"},
      {8, C::kAvviso, "signal approach: sx*3+dx 6, distance to the signal 300 m"},
      {20, C::kValore1, "rank A speeds: s 70, d 75 km/h"},
      {20, C::kValore4, "stripes: strisces 1, strisced 2"},
      {30, C::kValore1, "speed 30 km/h"},
      {30, C::kValore3, "f_tt of the slowdown record 1"},
      {30, C::kValore4, "not used here"},
      {40, C::kValore1, "cells to the warning board 3"},
      {40, C::kTipo, "cell before a slowdown warning board"},
      {50, C::kTipo, "code-cut point with a value, record at 2500 m"},
      {50, C::kValore1, "code-cut value 5"},
      {60, C::kValore1, "the board's registro entry 80"},
      {2, C::kValore1, "the station's registro entry 1"},
      {70, C::kTipo, "unknown kind"},
      {70, C::kValore1, "not used here"},
  };
  for (const auto& caso : casi) {
    EXPECT_EQ(testo_lettura(leggi_cella(celle, caso.cella, caso.campo)), caso.testo)
        << "cell " << caso.cella << " " << descrizione(caso.campo).nome;
  }
  // The machine form: the value in its unit, the packed figures by name.
  const Lettura velocita = leggi_cella(celle, 1, C::kVelocitaMax);
  EXPECT_EQ(velocita.forma, Lettura::Forma::kNumero);
  EXPECT_EQ(velocita.numero, 75);
  EXPECT_EQ(velocita.unita, "km/h");
  const Lettura rango = leggi_cella(celle, 20, C::kValore1);
  EXPECT_EQ(rango.parti[1].nome, "d");
  EXPECT_EQ(rango.parti[1].valore, 75);
}

// Stations grow from entry 1, lettered boards from entry 80; a board holds
// nothing but its lettering.
TEST(UsoVoce, TellsStationsBoardsAndTheFixedEntriesApart) {
  RegistroCompilato r = test::voci_di_prova();
  r[2].progressiva = 6600;
  r[3].nome = "A STATION WITH NOTHING BUT A NAME";
  r[4].tipo = 12;  // the last station: everything up to it is a station
  r[79].nome = "(CULMINE)";
  r[81].fine = 100100;
  const struct {
    size_t indice;
    UsoVoce uso;
  } casi[] = {
      {0, UsoVoce::kNessuno},      {1, UsoVoce::kStazione},       {2, UsoVoce::kStazione},
      {3, UsoVoce::kStazione},     {4, UsoVoce::kStazione},       {5, UsoVoce::kNessuno},
      {79, UsoVoce::kCartello},    {80, UsoVoce::kCartello},      {81, UsoVoce::kProgressiva},
      {83, UsoVoce::kProgressiva}, {84, UsoVoce::kTrenoPercorso}, {85, UsoVoce::kLinea},
      {86, UsoVoce::kTreno},
  };
  const std::array<UsoVoce, kVociRegistro> usi = usi_voci(r);
  for (const auto& caso : casi) EXPECT_EQ(usi[caso.indice], caso.uso) << caso.indice;
}

TEST(LeggiVoce, ReadsEachFieldByTheUseOfItsEntry) {
  RegistroCompilato r = test::voci_di_prova();
  r[84] = {0, 110, 100000, 5, 0, "", 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  r[81] = {0, 0, 100100, 1, 0, "", 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  using V = CampoVoce;
  const struct {
    size_t voce;
    CampoVoce campo;
    const char* testo;
  } casi[] = {
      {1, V::kTipo, "station kind 8"},
      {1, V::kInizio, "start of the station area -300 m"},
      {1, V::kNome, "station name \"BELFORTE SELVEN\""},
      {1, V::kCampo13, "stop time 1 s"},
      {1, V::kCampo6, "group A, third flag (the station area ends 50 m later) 0"},
      {1, V::kOrario, "scheduled time 17:23:00"},
      {80, V::kNome, "lettering \"(CURVA 30\u00b0)(Km.1+200)\""},
      {80, V::kInizio, "not used here"},
      {81, V::kFine, "second position (100 m more when the flag is 1) 100100 m"},
      {81, V::kProgressiva, "flag 1"},
      {84, V::kInizio, "braked-mass percentage 110 %"},
      {84, V::kFine, "route length 100000 m"},
      {84, V::kProgressiva, "number of cars 5"},
      {85, V::kInizio, "backdrop uno 80000"},
      {85, V::kCampo7, "the compile step's stamp 610"},
      {85, V::kOrario, "st competition code -7"},
      {85, V::kNome, "line name \"BELFORTE SELVEN - MELAR\""},
      {86, V::kNome, "train number \"8312\""},
      {86, V::kCampo7, "sand 100"},
      {86, V::kCampo10, "clock at the start, hours 17 h"},
      {86, V::kCampo11, "clock at the start, minutes 22 min"},
  };
  for (const auto& caso : casi) {
    EXPECT_EQ(testo_lettura(leggi_voce(r[caso.voce], usi_voci(r)[caso.voce], caso.campo)),
              caso.testo)
        << "entry " << caso.voce << " " << descrizione(caso.campo).nome;
  }
}

TEST(OrarioLeggibile, SecondsSinceMidnightAsHoursMinutesSeconds) {
  EXPECT_EQ(orario_leggibile(0), "00:00:00");
  EXPECT_EQ(orario_leggibile(62580), "17:23:00");
  EXPECT_EQ(orario_leggibile(86399 + 3600), "24:59:59");
}

TEST(NomeTipoCella, EveryKindHasANameAndOtherCodesSaySo) {
  for (const SignificatoTipoCella& k : tipi_cella()) {
    EXPECT_EQ(nome_tipo_cella(k.tipo), k.nome);
    EXPECT_FALSE(k.nome.empty());
  }
  EXPECT_EQ(nome_tipo_cella(TipoCella::kSegnale), "signal");
  EXPECT_EQ(nome_tipo_cella(static_cast<TipoCella>(7)), "unknown kind");
}

}  // namespace
}  // namespace scenario
