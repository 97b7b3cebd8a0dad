// What the two platform files of the disk file system share
// (file_system_posix.cpp, file_system_win32.cpp). Not for use outside src/base.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/file_system.h"

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

// Gathers the pieces a producer hands over into blocks of 64 KB before they
// reach the system; `WriteAll` writes a block, naming the file on failure.
class BufferedSink : public ByteSink {
 public:
  Status Append(std::string_view bytes) override;
  // Writes what is still gathered.
  Status Flush();

 protected:
  virtual Status WriteAll(std::string_view bytes) = 0;

 private:
  char buffer_[1 << 16];
  size_t used_ = 0;
};

// What the disk does the same on every system: the numbers of the temporary
// names, the sweep folder by folder, the folder lock.
class DiskFileSystemBase : public FileSystem {
 public:
  explicit DiskFileSystemBase(std::function<uint64_t()> ids) : ids_(std::move(ids)) {}

  Status RemoveLeftovers(const std::vector<std::string>& names) override;
  FolderLockResult LockFolder(const std::string& folder, std::chrono::milliseconds wait) override {
    return lock_disk_folder(folder, wait);
  }

 protected:
  // The number for attempt `tentativo` of a write: the run's own on the first
  // attempt, a fresh one after a name was found taken.
  uint64_t next_id(int tentativo);
  // Removes the leftovers of the names of one folder.
  virtual Status RemoveLeftoversIn(const CartellaVoci& gruppo) = 0;

 private:
  std::function<uint64_t()> ids_;
  std::optional<uint64_t> run_id_;
};

#ifdef _WIN32
// UTF-8 to the system's UTF-16 and back, and the system's reason for an error.
std::wstring wide(std::string_view utf8);
std::string narrow(const wchar_t* text);
std::string system_reason(unsigned long error);
#endif

}  // namespace scenario
