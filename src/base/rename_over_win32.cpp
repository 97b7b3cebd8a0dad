// The C++ library's rename replaces the target here too, but turns every
// failure other than "access denied" into a bare input/output error. The
// system's own error says what the player can do about it (a file held open
// by the simulator, a read-only file), so the move is made directly.
#include <windows.h>

#include "base/rename_over.h"

namespace scenario {

std::error_code rename_over(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING)) return std::error_code();
  return std::error_code(static_cast<int>(GetLastError()), std::system_category());
}

}  // namespace scenario
