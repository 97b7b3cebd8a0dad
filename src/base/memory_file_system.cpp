#include "base/memory_file_system.h"

#include <vector>
#include "base/disk_file_system.h"

namespace scenario {

bool MemoryFileSystem::Exists(const std::string& name) { return files_.count(name) != 0; }

Status MemoryFileSystem::ReadFileUpTo(const std::string& name, uint64_t limite,
                                      std::string* contents) {
  auto it = files_.find(name);
  if (it == files_.end())
    return Status::IOError(Operazione::kApertura, name, "No such file or directory");
  if (it->second.size() > limite) {
    return Status::IOError(Operazione::kApertura, name,
                           "larger than the " + std::to_string(limite) + " bytes expected");
  }
  *contents = it->second;
  return Status::OK();
}

namespace {

// Keeps the pieces apart and joins them once at the end: a file handed over
// in many small pieces is copied twice, never regrown piece by piece (a
// growing string of 20 MB would hold twice that while it moves).
class StringSink : public ByteSink {
 public:
  Status Append(std::string_view bytes) override {
    pieces_.emplace_back(bytes);
    size_ += bytes.size();
    return Status::OK();
  }
  std::string Take() {
    if (pieces_.size() == 1) return std::move(pieces_.front());
    std::string contents;
    contents.reserve(size_);
    for (const std::string& piece : pieces_) contents += piece;
    return contents;
  }

 private:
  std::vector<std::string> pieces_;
  size_t size_ = 0;
};

}  // namespace

Status MemoryFileSystem::ReplaceFileWith(const std::string& name, const ProduttoreByte& produci) {
  if (failing_.count(name) != 0) {
    return Status::IOError(Operazione::kScrittura, name, "No space left on device");
  }
  StringSink sink;
  if (Status prodotto = produci(sink); !prodotto.ok()) return prodotto;
  files_[name] = sink.Take();
  executables_.erase(name);
  return Status::OK();
}

Status MemoryFileSystem::ReplaceExecutableWith(const std::string& name,
                                               const ProduttoreByte& produci) {
  const Status scritto = ReplaceFileWith(name, produci);
  if (scritto.ok()) executables_.insert(name);
  return scritto;
}

Status MemoryFileSystem::RemoveFile(const std::string& name) {
  if (failing_.count(name) != 0)
    return Status::IOError(Operazione::kCancellazione, name, "Permission denied");
  files_.erase(name);
  executables_.erase(name);
  return Status::OK();
}

Status MemoryFileSystem::RemoveLeftovers(const std::vector<std::string>& names) {
  const std::vector<CartellaVoci> gruppi = group_by_folder(names);
  for (auto it = files_.begin(); it != files_.end();) {
    const CartellaVoci file = split_name(it->first);
    bool ours = false;
    for (const CartellaVoci& gruppo : gruppi) {
      if (gruppo.cartella != file.cartella) continue;
      for (const std::string& leaf : gruppo.voci) {
        ours = ours || is_temporary_name_of(file.voci.front(), leaf);
      }
    }
    it = ours ? files_.erase(it) : std::next(it);
  }
  return Status::OK();
}

Status MemoryFileSystem::CheckFolder(const std::string& /*folder*/) { return Status::OK(); }

Status MemoryFileSystem::ListFiles(const std::string& folder, std::vector<std::string>* names) {
  names->clear();
  for (const auto& [name, contents] : files_) {
    CartellaVoci parti = split_name(name);
    if (parti.cartella == folder) names->push_back(std::move(parti.voci.front()));
  }
  return Status::OK();
}

Status MemoryFileSystem::CreateFolders(const std::string& folder) {
  if (failing_.count(folder) != 0) {
    return Status::IOError(Operazione::kCartella, folder, "Permission denied");
  }
  folders_.insert(folder);
  return Status::OK();
}

namespace {

class MemoryFolderLock : public FolderLock {
 public:
  MemoryFolderLock(std::shared_ptr<std::set<std::string>> locked, std::string folder)
      : locked_(std::move(locked)), folder_(std::move(folder)) {}
  ~MemoryFolderLock() override { locked_->erase(folder_); }
  MemoryFolderLock(const MemoryFolderLock&) = delete;
  MemoryFolderLock& operator=(const MemoryFolderLock&) = delete;

 private:
  std::shared_ptr<std::set<std::string>> locked_;
  std::string folder_;
};

}  // namespace

FolderLockResult MemoryFileSystem::LockFolder(const std::string& folder,
                                              std::chrono::milliseconds /*wait*/) {
  FolderLockResult result;
  if (!locked_->insert(folder).second) {
    result.outcome = LockOutcome::kBusy;
    return result;
  }
  result.outcome = LockOutcome::kTaken;
  result.lock = std::make_unique<MemoryFolderLock>(locked_, folder);
  return result;
}

}  // namespace scenario
