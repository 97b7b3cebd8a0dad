#include "base/memory_file_system.h"

namespace scenario {

bool MemoryFileSystem::Exists(const std::string& name) { return files_.count(name) != 0; }

Status MemoryFileSystem::ReadFile(const std::string& name, std::string* contents) {
  auto it = files_.find(name);
  if (it == files_.end()) return Status::IOError("opening", name, "No such file or directory");
  *contents = it->second;
  return Status::OK();
}

Status MemoryFileSystem::ReplaceFile(const std::string& name, std::string_view contents) {
  if (failing_.count(name) != 0) return Status::IOError("writing", name, "No space left on device");
  files_[name] = std::string(contents);
  return Status::OK();
}

Status MemoryFileSystem::RemoveFile(const std::string& name) {
  if (failing_.count(name) != 0) return Status::IOError("deleting", name, "Permission denied");
  files_.erase(name);
  return Status::OK();
}

}  // namespace scenario
