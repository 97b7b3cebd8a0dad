// Every file the package reads, writes or deletes goes through this small
// interface, so that readers and writers run on memory in tests and under a
// fuzzer, and on the disk in the installer and the authors' tool.
#pragma once

#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <string_view>

#include "base/status.h"

namespace scenario {

// Takes a file's bytes in order, piece by piece, as they are produced.
class ByteSink {
 public:
  virtual ~ByteSink() = default;
  virtual Status Append(std::string_view bytes) = 0;
};

// Hands a whole file's bytes to the sink; a failure it returns abandons the file.
using ProduttoreByte = std::function<Status(ByteSink&)>;

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // True when `name` is an existing file (not a folder).
  virtual bool Exists(const std::string& name) = 0;

  // Reads the whole file into `contents`. Only a regular file is read; one
  // larger than `limite` bytes is refused before anything is read.
  virtual Status ReadFileUpTo(const std::string& name, uint64_t limite, std::string* contents) = 0;

  // The same with no limit on the size.
  Status ReadFile(const std::string& name, std::string* contents) {
    return ReadFileUpTo(name, kSenzaLimite, contents);
  }
  static constexpr uint64_t kSenzaLimite = std::numeric_limits<uint64_t>::max();

  // Replaces the file `name` with exactly the bytes `produci` hands over, or
  // leaves it as it was. The bytes go into a temporary file beside the
  // target, which is then renamed over it: a failure part way (the system's,
  // or one `produci` returns) never leaves a truncated file where a complete
  // one stood, and the temporary file is removed on failure.
  virtual Status ReplaceFileWith(const std::string& name, const ProduttoreByte& produci) = 0;

  // The same with the whole contents at hand.
  Status ReplaceFile(const std::string& name, std::string_view contents) {
    return ReplaceFileWith(name, [contents](ByteSink& sink) { return sink.Append(contents); });
  }

  // Deletes the file `name`; deleting a file that does not exist is not an error.
  virtual Status RemoveFile(const std::string& name) = 0;
};

// The name of the temporary file that ReplaceFile writes before renaming it
// over `name`. A run that was killed part way can leave one behind; the next
// write of the same file replaces and removes it.
std::string temporary_name_for(const std::string& name);

// The real disk.
FileSystem& disk_file_system();

}  // namespace scenario
