#include "base/rename_over.h"

namespace scenario {

std::error_code rename_over(const std::filesystem::path& from, const std::filesystem::path& to) {
  std::error_code ec;
  std::filesystem::rename(from, to, ec);  // rename(2) replaces the target atomically
  return ec;
}

}  // namespace scenario
