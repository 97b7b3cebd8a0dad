#include "base/memory_file_system.h"

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

class StringSink : public ByteSink {
 public:
  Status Append(std::string_view bytes) override {
    contents.append(bytes);
    return Status::OK();
  }
  std::string contents;
};

}  // namespace

Status MemoryFileSystem::ReplaceFileWith(const std::string& name, const ProduttoreByte& produci) {
  if (failing_.count(name) != 0) {
    return Status::IOError(Operazione::kScrittura, name, "No space left on device");
  }
  StringSink sink;
  if (Status prodotto = produci(sink); !prodotto.ok()) return prodotto;
  files_[name] = std::move(sink.contents);
  return Status::OK();
}

Status MemoryFileSystem::RemoveFile(const std::string& name) {
  if (failing_.count(name) != 0)
    return Status::IOError(Operazione::kCancellazione, name, "Permission denied");
  files_.erase(name);
  return Status::OK();
}

}  // namespace scenario
