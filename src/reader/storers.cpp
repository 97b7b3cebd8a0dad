#include "reader/storers.h"

namespace scenario {

// The storers arrive with their own change.
void memo_montagna(Scenario&, const DatiMontagna&) {}
void memo_segnale(Scenario&, const DatiSegnale&) {}
void memo_rallentamento(Scenario&, const DatiRallentamento&) {}
void memo_indicatori_v_max(Scenario&, const DatiIndicatoreVMax&) {}
void progressive_ordina(Scenario&) {}

}  // namespace scenario
