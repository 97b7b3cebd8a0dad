// The C library reports a failure as an errno value with an English text;
// the system error it met underneath (kept in _doserrno) has the system's
// own text, in the language of the player's Windows, and says more ("the
// disk is full", "the file is in use by another program").
#ifndef UNICODE
#define UNICODE
#endif
#include <windows.h>

#include <cerrno>
#include <cstdlib>
#include <string_view>

#include "base/system_reason.h"

namespace scenario {
namespace {

// The system's message for the Windows error `codice`, in UTF-8 like every
// text of the program, without the line end the system puts after it.
// Empty when the system has no message for it.
std::string testo_di_sistema(DWORD codice) {
  wchar_t* testo = nullptr;
  const DWORD lunghezza = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, codice, 0, reinterpret_cast<wchar_t*>(&testo), 0, nullptr);
  std::wstring_view messaggio(testo, testo != nullptr ? lunghezza : 0);
  while (!messaggio.empty() &&
         std::wstring_view(L" \t\r\n").find(messaggio.back()) != std::wstring_view::npos) {
    messaggio.remove_suffix(1);
  }
  std::string risultato;
  if (!messaggio.empty()) {
    const int byte =
        WideCharToMultiByte(CP_UTF8, 0, messaggio.data(), static_cast<int>(messaggio.size()),
                            nullptr, 0, nullptr, nullptr);
    if (byte > 0) {
      risultato.resize(static_cast<size_t>(byte));
      WideCharToMultiByte(CP_UTF8, 0, messaggio.data(), static_cast<int>(messaggio.size()),
                          risultato.data(), byte, nullptr, nullptr);
    }
  }
  if (testo != nullptr) LocalFree(testo);
  return risultato;
}

// Failures the C library finds itself, with no system error underneath (a
// write that fits only in part: the disk is full), told in the words of the
// system error that means the same.
DWORD errore_windows_per(int errore_c) {
  switch (errore_c) {
    case ENOSPC:
      return ERROR_DISK_FULL;
    case EACCES:
      return ERROR_ACCESS_DENIED;
    case ENOENT:
      return ERROR_FILE_NOT_FOUND;
    case EEXIST:
      return ERROR_FILE_EXISTS;
    case EMFILE:
      return ERROR_TOO_MANY_OPEN_FILES;
    default:
      return 0;
  }
}

std::string motivo_c(int errore_c) {
  if (const DWORD codice = errore_windows_per(errore_c); codice != 0) {
    std::string testo = testo_di_sistema(codice);
    if (!testo.empty()) return testo;
  }
  return std::generic_category().message(errore_c);
}

}  // namespace

void azzera_errore_di_sistema() {
  errno = 0;
  _doserrno = 0;
}

std::string motivo_errno(int errore_c) {
  if (const unsigned long codice = _doserrno; codice != 0) {
    std::string testo = testo_di_sistema(static_cast<DWORD>(codice));
    if (!testo.empty()) return testo;
  }
  return motivo_c(errore_c);
}

std::string motivo_di_sistema(const std::error_code& errore) {
  if (errore.category() == std::system_category()) {
    std::string testo = testo_di_sistema(static_cast<DWORD>(errore.value()));
    if (!testo.empty()) return testo;
  } else if (errore.category() == std::generic_category()) {
    return motivo_c(errore.value());
  }
  return errore.message();
}

}  // namespace scenario
