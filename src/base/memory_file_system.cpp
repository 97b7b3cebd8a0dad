#include "base/memory_file_system.h"

#include <vector>

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
  return Status::OK();
}

Status MemoryFileSystem::RemoveFile(const std::string& name) {
  if (failing_.count(name) != 0)
    return Status::IOError(Operazione::kCancellazione, name, "Permission denied");
  files_.erase(name);
  return Status::OK();
}

}  // namespace scenario
