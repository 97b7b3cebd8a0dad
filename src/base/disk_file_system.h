// What the two platform files of the disk file system share
// (file_system_posix.cpp, file_system_win32.cpp). Not for use outside src/base.
#pragma once

#include <string>
#include <vector>

namespace scenario {

// How many fresh temporary names a write tries before it gives up: a name is
// taken only when something was planted at it or, by a one in 2^64 chance,
// another run drew the same number.
inline constexpr int kTentativiNome = 8;

// The entries of one folder to look at, without their folder part.
struct CartellaVoci {
  std::string cartella;
  std::vector<std::string> voci;
};

// A file name's folder part ("." when it has none) and its last part.
CartellaVoci split_name(const std::string& name);

// Groups file names by their folder, in the order the folders first appear;
// a name with no folder part is in ".".
std::vector<CartellaVoci> group_by_folder(const std::vector<std::string>& names);

}  // namespace scenario
