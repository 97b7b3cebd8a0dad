// The disk on Linux, through the system calls themselves: they say exactly
// what may be opened and how (create new, never through a link, never wait
// for a FIFO's writer), which the C and C++ libraries do not.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <optional>
#include <system_error>

#include "base/disk_file_system.h"
#include "base/file_system.h"
#include "base/rename_over.h"
#include "base/system_reason.h"

namespace scenario {
namespace {

std::string reason_from_errno(int error) { return motivo_errno(error); }

// What a name stands for when it is not a plain file.
std::string not_a_regular_file(mode_t mode) {
  if (S_ISDIR(mode)) return "is a folder, not a file";
  if (S_ISFIFO(mode)) return "is a FIFO (named pipe), not a file";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "is a device, not a file";
  if (S_ISSOCK(mode)) return "is a socket, not a file";
  return "is not a regular file";
}

std::string larger_than(uint64_t limite) {
  return "larger than the " + std::to_string(limite) + " bytes expected";
}

// Writes through a buffer of its own into an open descriptor; every failure
// names the file being written.
class DescriptorSink : public BufferedSink {
 public:
  DescriptorSink(int fd, const std::string& name) : fd_(fd), name_(name) {}

 protected:
  Status WriteAll(std::string_view bytes) override {
    while (!bytes.empty()) {
      const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {
        return Status::IOError(Operazione::kScrittura, name_,
                               reason_from_errno(n < 0 ? errno : ENOSPC));
      }
      bytes.remove_prefix(static_cast<size_t>(n));
    }
    return Status::OK();
  }

 private:
  int fd_;
  const std::string& name_;
};

class DiskFileSystem : public DiskFileSystemBase {
 public:
  using DiskFileSystemBase::DiskFileSystemBase;

  bool Exists(const std::string& name) override {
    struct stat st;
    return ::stat(name.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
  }

  Status ReadFileUpTo(const std::string& name, uint64_t limite, std::string* contents) override {
    contents->clear();
    // Non-blocking, so that opening a FIFO does not wait for a writer; the
    // descriptor is then checked before a byte is read.
    const int fd = ::open(name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return Status::IOError(Operazione::kApertura, name, reason_from_errno(errno));
    struct stat st;
    if (::fstat(fd, &st) != 0) {
      const int error = errno;
      ::close(fd);
      return Status::IOError(Operazione::kApertura, name, reason_from_errno(error));
    }
    if (!S_ISREG(st.st_mode)) {
      ::close(fd);
      return Status::IOError(Operazione::kApertura, name, not_a_regular_file(st.st_mode));
    }
    if (static_cast<uint64_t>(st.st_size) > limite) {
      ::close(fd);
      return Status::IOError(Operazione::kApertura, name, larger_than(limite));
    }
    contents->reserve(static_cast<size_t>(st.st_size));
    char buffer[1 << 16];
    for (;;) {
      const ssize_t n = ::read(fd, buffer, sizeof buffer);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        const int error = errno;
        ::close(fd);
        contents->clear();
        return Status::IOError(Operazione::kLettura, name, reason_from_errno(error));
      }
      if (n == 0) break;
      // The file may have grown since it was measured.
      if (contents->size() + static_cast<size_t>(n) > limite) {
        ::close(fd);
        contents->clear();
        return Status::IOError(Operazione::kLettura, name, larger_than(limite));
      }
      contents->append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    return Status::OK();
  }

  Status ReplaceFileWith(const std::string& name, const ProduttoreByte& produci) override {
    return Replace(name, produci, 0666);
  }

  Status ReplaceExecutableWith(const std::string& name, const ProduttoreByte& produci) override {
    return Replace(name, produci, 0777);
  }

 private:
  // The mode is given when the temporary file is created, so the file never
  // stands under its name without it.
  Status Replace(const std::string& name, const ProduttoreByte& produci, mode_t mode) {
    std::string temporary;
    int fd = -1;
    for (int tentativo = 0; tentativo < kTentativiNome && fd < 0; ++tentativo) {
      temporary = temporary_name_for(name, next_id(tentativo));
      // Created new, or not at all: a link, a file or a folder already at
      // the name makes the call fail instead of being written through.
      fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
      if (fd < 0 && errno != EEXIST) {
        return Status::IOError(Operazione::kCreazione, temporary, reason_from_errno(errno));
      }
    }
    if (fd < 0) {
      return Status::IOError(Operazione::kCreazione, temporary, reason_from_errno(EEXIST));
    }

    Status written;
    {
      auto sink = std::make_unique<DescriptorSink>(fd, temporary);
      written = produci(*sink);
      if (written.ok()) written = sink->Flush();
    }
    if (::close(fd) != 0 && written.ok()) {
      written = Status::IOError(Operazione::kScrittura, temporary, reason_from_errno(errno));
    }
    if (!written.ok()) {
      ::unlink(temporary.c_str());
      return written;
    }
    const std::error_code ec = rename_over(temporary, name);
    if (ec) {
      ::unlink(temporary.c_str());
      return Status::IOError(Operazione::kSostituzione, name, motivo_di_sistema(ec));
    }
    return Status::OK();
  }

 public:
  Status RemoveFile(const std::string& name) override {
    if (::unlink(name.c_str()) != 0 && errno != ENOENT) {
      return Status::IOError(Operazione::kCancellazione, name, reason_from_errno(errno));
    }
    return Status::OK();
  }

  Status CheckFolder(const std::string& folder) override {
    struct stat st;
    // "FOLDER/." is reached only through a folder that may be searched.
    if (::stat((folder + "/.").c_str(), &st) == 0) return Status::OK();
    const int error = errno;
    const std::string nome = "the folder \"" + folder + "\" ";
    switch (error) {
      case ENOENT:
        return Status::Error(nome + "does not exist");
      case ENOTDIR:
        return Status::Error(nome + "is not a folder");
      case EACCES:
        return Status::Error(nome + "cannot be searched (" + reason_from_errno(error) + ")");
      case ENAMETOOLONG:
        return Status::Error(nome + "has a name too long for the system");
      default:
        return Status::Error(nome + "cannot be reached: " + reason_from_errno(error));
    }
  }

  Status ListFiles(const std::string& folder, std::vector<std::string>* names) override {
    names->clear();
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0) return Status::IOError(Operazione::kElenco, folder, reason_from_errno(errno));
    DIR* listing = ::fdopendir(dir);
    if (listing == nullptr) {
      const int error = errno;
      ::close(dir);
      return Status::IOError(Operazione::kElenco, folder, reason_from_errno(error));
    }
    Status status;
    for (;;) {
      errno = 0;
      const dirent* entry = ::readdir(listing);
      if (entry == nullptr) {
        if (errno != 0)
          status = Status::IOError(Operazione::kElenco, folder, reason_from_errno(errno));
        break;
      }
      struct stat st;
      if (::fstatat(dir, entry->d_name, &st, 0) == 0 && S_ISREG(st.st_mode)) {
        names->emplace_back(entry->d_name);
      }
    }
    ::closedir(listing);
    if (!status.ok()) names->clear();
    std::sort(names->begin(), names->end());
    return status;
  }

  Status CreateFolders(const std::string& folder) override {
    // Every level from the top down, each ending at a separator or at the
    // end of the name; the root and doubled separators name no new level.
    for (size_t fine = 1; fine <= folder.size(); ++fine) {
      if (fine < folder.size() && folder[fine] != '/') continue;
      if (folder[fine - 1] == '/') continue;
      const std::string livello = folder.substr(0, fine);
      if (::mkdir(livello.c_str(), 0777) == 0) continue;
      const int error = errno;
      struct stat st;
      if (error == EEXIST && ::stat(livello.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) continue;
      return Status::IOError(
          Operazione::kCartella, livello,
          error == EEXIST ? "it exists and is not a folder" : reason_from_errno(error));
    }
    return Status::OK();
  }

 protected:
  Status RemoveLeftoversIn(const CartellaVoci& gruppo) override {
    const int dir = ::open(gruppo.cartella.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    // A folder that cannot be listed holds nothing this run could sweep; the
    // writes that follow meet the real trouble and report it.
    if (dir < 0) return Status::OK();
    DIR* listing = ::fdopendir(dir);
    if (listing == nullptr) {
      ::close(dir);
      return Status::OK();
    }
    Status status;
    while (const dirent* entry = ::readdir(listing)) {
      const std::string_view voce = entry->d_name;
      bool ours = false;
      for (const std::string& leaf : gruppo.voci) ours = ours || is_temporary_name_of(voce, leaf);
      if (!ours) continue;
      struct stat st;
      // The entry itself: a link is seen as a link, never as what it points at.
      if (::fstatat(dir, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode)) {
        continue;
      }
      // Whatever replaced the file since (a link, say) is only unlinked:
      // unlinking never reaches through a name to another file.
      if (::unlinkat(dir, entry->d_name, 0) != 0 && errno != ENOENT && errno != EISDIR) {
        status =
            Status::IOError(Operazione::kCancellazione, gruppo.cartella + "/" + std::string(voce),
                            reason_from_errno(errno));
        break;
      }
    }
    ::closedir(listing);
    return status;
  }
};

}  // namespace

std::unique_ptr<FileSystem> disk_file_system_with_ids(std::function<uint64_t()> ids) {
  return std::make_unique<DiskFileSystem>(std::move(ids));
}

}  // namespace scenario
