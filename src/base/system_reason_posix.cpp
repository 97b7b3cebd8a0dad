#include <cerrno>

#include "base/system_reason.h"

namespace scenario {

void azzera_errore_di_sistema() { errno = 0; }

std::string motivo_errno(int errore_c) { return std::generic_category().message(errore_c); }

std::string motivo_di_sistema(const std::error_code& errore) { return errore.message(); }

}  // namespace scenario
