// Every file the package reads, writes or deletes goes through this small
// interface, so that readers and writers run on memory in tests and under a
// fuzzer, and on the disk in the installer and the authors' tool.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/folder_lock.h"
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

  // Reads the whole file into `contents`. Only a regular file is read: a
  // FIFO, a device or a folder is refused at once, without waiting for a
  // writer; one larger than `limite` bytes is refused before anything is read.
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
  // one stood, and the temporary file is removed on failure. The temporary
  // file has a name of this run's own and is created new: whatever already
  // stands at a name (a link planted there, another run's file) is never
  // opened or written through. A failure names the file it met: the
  // temporary file while it is created and written, `name` when it replaces.
  virtual Status ReplaceFileWith(const std::string& name, const ProduttoreByte& produci) = 0;

  // The same with the whole contents at hand.
  Status ReplaceFile(const std::string& name, std::string_view contents) {
    return ReplaceFileWith(name, [contents](ByteSink& sink) { return sink.Append(contents); });
  }

  // The same for a program: the new file may be run by whoever may read it
  // (as far as the user's file-creation mask allows). Where files carry no
  // such mark, the same as ReplaceFileWith.
  virtual Status ReplaceExecutableWith(const std::string& name, const ProduttoreByte& produci) {
    return ReplaceFileWith(name, produci);
  }

  // Deletes the file `name`; deleting a file that does not exist is not an error.
  virtual Status RemoveFile(const std::string& name) = 0;

  // Removes the temporary files that runs killed part way left beside each
  // of `names` (`is_temporary_name_of`). Only plain files are removed, as
  // the entry itself shows them: a link is never followed, and a folder, a
  // FIFO or a device of such a name stays.
  virtual Status RemoveLeftovers(const std::vector<std::string>& names) = 0;

  // OK when `folder` is a folder whose entries can be reached; otherwise
  // says in plain words what it is instead: missing, not a folder, not
  // searchable, a name too long.
  virtual Status CheckFolder(const std::string& folder) = 0;

  // The names (without the folder part) of the regular files in `folder`,
  // in byte order; folders, devices and FIFOs are left out, a link counts
  // as what it points at.
  virtual Status ListFiles(const std::string& folder, std::vector<std::string>* names) = 0;

  // Makes `folder` and every folder above it that is missing, as
  // "mkdir -p" does; OK when they all exist already. A level that exists
  // but is no folder is refused by its name.
  virtual Status CreateFolders(const std::string& folder) = 0;

  // Keeps the folder for this process alone until the lock is released (or
  // the process ends), waiting up to `wait` for a holder to let go.
  virtual FolderLockResult LockFolder(const std::string& folder,
                                      std::chrono::milliseconds wait) = 0;
};

// The temporary name ReplaceFileWith writes `name` under: beside it, with
// `id` (the run's own number) in 16 lowercase hexadecimal digits, as in
// "NAME.0123456789abcdef.part".
std::string temporary_name_for(const std::string& name, uint64_t id);

// True when the directory entry `entry` is a temporary file of the file
// named `leaf` (no folder part in either): the pattern above, or the fixed
// "NAME.part" that earlier versions of the package wrote.
bool is_temporary_name_of(std::string_view entry, std::string_view leaf);

// The real disk; its temporary names carry a random number drawn once per
// process, and a fresh one whenever a name is already taken.
FileSystem& disk_file_system();

// The disk with the numbers of the temporary names drawn from `ids`, so that
// a test can know them beforehand.
std::unique_ptr<FileSystem> disk_file_system_with_ids(std::function<uint64_t()> ids);

}  // namespace scenario
