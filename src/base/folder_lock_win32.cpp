// Windows has no lock on a folder that leaves the folder alone, so the lock
// is a named mutex whose name is derived from the folder's full path: every
// run that means the same folder, however it spells it, meets the same
// mutex. The system releases a mutex whose owner ends without releasing it
// (the next waiter is told it was abandoned, and takes it).
#include <windows.h>

#include <cstdio>
#include <system_error>
#include <vector>

#include "base/disk_file_system.h"
#include "base/folder_lock.h"

namespace scenario {
namespace {

class MutexFolderLock : public FolderLock {
 public:
  explicit MutexFolderLock(HANDLE mutex) : mutex_(mutex) {}
  ~MutexFolderLock() override {
    ReleaseMutex(mutex_);
    CloseHandle(mutex_);
  }
  MutexFolderLock(const MutexFolderLock&) = delete;
  MutexFolderLock& operator=(const MutexFolderLock&) = delete;

 private:
  HANDLE mutex_;
};

// The folder's full path, with one kind of separator, no trailing separator
// and in upper case (names on Windows ignore the case), hashed into a name a
// mutex can carry (no backslash).
std::wstring mutex_name(const std::wstring& folder) {
  const DWORD n = GetFullPathNameW(folder.c_str(), 0, nullptr, nullptr);
  std::vector<wchar_t> full(n > 0 ? n : 1, L'\0');
  std::wstring path = folder;
  if (n > 0 && GetFullPathNameW(folder.c_str(), n, full.data(), nullptr) > 0) path = full.data();
  for (wchar_t& c : path) {
    if (c == L'/') c = L'\\';
  }
  while (path.size() > 1 && path.back() == L'\\') path.pop_back();
  if (!path.empty()) CharUpperBuffW(path.data(), static_cast<DWORD>(path.size()));
  uint64_t hash = 1469598103934665603ull;  // FNV-1a over the UTF-16 units
  for (wchar_t c : path) {
    hash ^= static_cast<uint16_t>(c);
    hash *= 1099511628211ull;
  }
  wchar_t name[64];
  std::swprintf(name, 64, L"Local\\scenario-folder-%016llx", static_cast<unsigned long long>(hash));
  return name;
}

}  // namespace

FolderLockResult lock_disk_folder(const std::string& folder, std::chrono::milliseconds wait) {
  FolderLockResult result;
  const std::wstring wide_folder = wide(folder);
  const DWORD attributes = GetFileAttributesW(wide_folder.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    result.status = Status::IOError(Operazione::kBlocco, folder, system_reason(GetLastError()));
    return result;
  }
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    result.status = Status::IOError(Operazione::kBlocco, folder, "Not a directory");
    return result;
  }
  HANDLE mutex = CreateMutexW(nullptr, FALSE, mutex_name(wide_folder).c_str());
  if (mutex == nullptr) {
    result.status = Status::IOError(Operazione::kBlocco, folder, system_reason(GetLastError()));
    return result;
  }
  const DWORD waited = WaitForSingleObject(mutex, static_cast<DWORD>(wait.count()));
  if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED) {
    result.outcome = LockOutcome::kTaken;
    result.lock = std::make_unique<MutexFolderLock>(mutex);
    return result;
  }
  const DWORD error = GetLastError();
  CloseHandle(mutex);
  if (waited == WAIT_TIMEOUT) {
    result.outcome = LockOutcome::kBusy;
  } else {
    result.status = Status::IOError(Operazione::kBlocco, folder, system_reason(error));
  }
  return result;
}

}  // namespace scenario
