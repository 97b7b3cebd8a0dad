// Renames a file over another, replacing it in one step: the last move of a
// file write. One file per platform implements it (rename_over_posix.cpp,
// rename_over_win32.cpp), because a failure must carry the system's own
// reason, for instance that another program holds the target open.
#pragma once

#include <filesystem>
#include <system_error>

namespace scenario {

// Moves `from` to `to`, replacing a file already at `to`. Returns the system's
// error, if any; `from` is left in place then.
std::error_code rename_over(const std::filesystem::path& from, const std::filesystem::path& to);

}  // namespace scenario
