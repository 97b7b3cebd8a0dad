// The lock is flock(2) on the folder itself: advisory, tied to the open
// folder, dropped by the kernel when the process ends, and no file is made.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>
#include <thread>

#include "base/folder_lock.h"
#include "base/system_reason.h"

namespace scenario {
namespace {

class FlockFolderLock : public FolderLock {
 public:
  explicit FlockFolderLock(int fd) : fd_(fd) {}
  ~FlockFolderLock() override { ::close(fd_); }  // closing releases the lock
  FlockFolderLock(const FlockFolderLock&) = delete;
  FlockFolderLock& operator=(const FlockFolderLock&) = delete;

 private:
  int fd_;
};

}  // namespace

FolderLockResult lock_disk_folder(const std::string& folder, std::chrono::milliseconds wait) {
  FolderLockResult result;
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) {
    result.status = Status::IOError(Operazione::kBlocco, folder, motivo_errno(errno));
    return result;
  }
  const auto limite = std::chrono::steady_clock::now() + wait;
  for (;;) {
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
      result.outcome = LockOutcome::kTaken;
      result.lock = std::make_unique<FlockFolderLock>(fd);
      return result;
    }
    const int error = errno;
    if (error != EWOULDBLOCK && error != EINTR) {
      ::close(fd);
      result.status = Status::IOError(Operazione::kBlocco, folder, motivo_errno(error));
      return result;
    }
    if (std::chrono::steady_clock::now() >= limite) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  ::close(fd);
  result.outcome = LockOutcome::kBusy;
  return result;
}

}  // namespace scenario
