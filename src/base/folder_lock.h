// One run at a time in a folder. Two installers started together in the same
// folder, or two compiles into it, would interleave their files: each must
// find the folder free, or wait for it, or give up without touching
// anything. The lock lives only as long as the process that holds it (the
// system drops it when the process ends, however it ends) and leaves
// nothing in the folder. One file per platform implements it
// (folder_lock_posix.cpp, folder_lock_win32.cpp).
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

#include "base/status.h"

namespace scenario {

// A held lock; destroying it releases the folder.
class FolderLock {
 public:
  virtual ~FolderLock() = default;
};

enum class LockOutcome : uint8_t {
  kTaken,   // the folder is ours until the lock is destroyed
  kBusy,    // another run held it for the whole wait
  kFailed,  // the folder cannot be locked at all (`status` says why)
};

struct FolderLockResult {
  LockOutcome outcome = LockOutcome::kFailed;
  Status status;  // the failure, for kFailed
  std::unique_ptr<FolderLock> lock;
};

// Locks the folder `folder` on the disk, trying again for up to `wait` while
// another process holds it.
FolderLockResult lock_disk_folder(const std::string& folder, std::chrono::milliseconds wait);

// How long a run waits for another one in the same folder to end: an
// installation takes well under a second, so a holder that keeps the folder
// longer is another, slower program (or a stuck one).
inline constexpr std::chrono::milliseconds kAttesaCartella{5000};

}  // namespace scenario
