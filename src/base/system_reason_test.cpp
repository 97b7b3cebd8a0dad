#include "base/system_reason.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "base/file_system.h"

#ifdef _WIN32
#include <windows.h>
#undef ReplaceFile  // the system's own ReplaceFileA, not the file system's method
#endif

namespace scenario {
namespace {

namespace fs = std::filesystem;

// A file that cannot be created because its folder does not exist.
Status crea_in_cartella_mancante() {
  const fs::path cartella = fs::temp_directory_path() / "bm_system_reason_absent";
  fs::remove_all(cartella);
  return disk_file_system().ReplaceFile((cartella / "f.txt").string(), "x");
}

#ifndef _WIN32
TEST(MotivoDiSistema, IsTheCLibrarysText) {
  EXPECT_EQ(crea_in_cartella_mancante().motivo(), "No such file or directory");
  EXPECT_EQ(motivo_errno(ENOSPC), "No space left on device");
  EXPECT_EQ(motivo_di_sistema(std::make_error_code(std::errc::is_a_directory)), "Is a directory");
}
#else
// The system's message for `codice`, without its line end, in UTF-8.
std::string testo_di_windows(DWORD codice) {
  wchar_t testo[512];
  DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                           codice, 0, testo, 512, nullptr);
  while (n > 0 && (testo[n - 1] == L'\r' || testo[n - 1] == L'\n' || testo[n - 1] == L' ')) --n;
  char utf8[2048];
  const int byte = WideCharToMultiByte(CP_UTF8, 0, testo, static_cast<int>(n), utf8, sizeof utf8,
                                       nullptr, nullptr);
  return std::string(utf8, static_cast<size_t>(byte > 0 ? byte : 0));
}

// Every way a failure reaches the player carries the system's own words: a
// C library call that met a system error, one that failed on its own (a
// write that fitted only in part: the disk is full), and a system error of
// a call made directly.
TEST(MotivoDiSistema, IsTheSystemsOwnText) {
  EXPECT_EQ(crea_in_cartella_mancante().motivo(), testo_di_windows(ERROR_PATH_NOT_FOUND));
  azzera_errore_di_sistema();
  EXPECT_EQ(motivo_errno(ENOSPC), testo_di_windows(ERROR_DISK_FULL));
  EXPECT_EQ(motivo_di_sistema(std::error_code(ERROR_SHARING_VIOLATION, std::system_category())),
            testo_di_windows(ERROR_SHARING_VIOLATION));
  EXPECT_EQ(motivo_di_sistema(std::make_error_code(std::errc::no_space_on_device)),
            testo_di_windows(ERROR_DISK_FULL));
  EXPECT_NE(testo_di_windows(ERROR_PATH_NOT_FOUND), "");
}

// The CTest test base_tests_italiano runs this under wine with an Italian
// user language (BM_WINDOWS_ITALIANO set): the reasons arrive in Italian,
// accented letters in UTF-8 like every text of the program. The words are
// wine's own Italian texts.
TEST(MotivoDiSistema, ComesInThePlayersLanguage) {
  if (std::getenv("BM_WINDOWS_ITALIANO") == nullptr) GTEST_SKIP() << "see base_tests_italiano";
  ASSERT_EQ(PRIMARYLANGID(GetUserDefaultUILanguage()), LANG_ITALIAN);
  EXPECT_EQ(crea_in_cartella_mancante().motivo(), "Percorso non trovato.");
  EXPECT_EQ(motivo_di_sistema(std::error_code(ERROR_ACCESS_DENIED, std::system_category())),
            "Accesso negato.");
  EXPECT_EQ(motivo_di_sistema(std::error_code(ERROR_ALREADY_ASSIGNED, std::system_category())),
            "Gi\xC3\xA0 assegnato.");
}
#endif

}  // namespace
}  // namespace scenario
