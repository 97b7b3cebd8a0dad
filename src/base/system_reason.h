// Why a file operation failed, in the system's own words. On Windows that is
// the system's message text, which comes in the language of the player's
// Windows; the C library's texts there are English whatever the system's
// language. Elsewhere it is the C library's text. One file per platform
// implements it (system_reason_posix.cpp, system_reason_win32.cpp).
#pragma once

#include <string>
#include <system_error>

namespace scenario {

// Call right before a C library file call (fopen, fwrite, fclose) whose
// failure `motivo_errno` is to explain: clears what an earlier failure left.
void azzera_errore_di_sistema();

// The failure the last C library file call reported with `errore_c` (its
// errno). On Windows: the system error the C library met underneath, when it
// kept one.
std::string motivo_errno(int errore_c);

// The failure a system call or the C++ library reported as `errore`.
std::string motivo_di_sistema(const std::error_code& errore);

}  // namespace scenario
