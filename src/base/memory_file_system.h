// A file system held in memory, for tests and the fuzzer. Names are plain
// keys; a name can be marked as failing so that writers meet a full disk or
// a read-only folder.
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "base/file_system.h"

namespace scenario {

class MemoryFileSystem : public FileSystem {
 public:
  bool Exists(const std::string& name) override;
  Status ReadFileUpTo(const std::string& name, uint64_t limite, std::string* contents) override;
  Status ReplaceFileWith(const std::string& name, const ProduttoreByte& produci) override;
  // Marks the file as a program (`executable`) as well.
  Status ReplaceExecutableWith(const std::string& name, const ProduttoreByte& produci) override;
  Status RemoveFile(const std::string& name) override;
  Status RemoveLeftovers(const std::vector<std::string>& names) override;
  // Every folder exists in memory.
  Status CheckFolder(const std::string& folder) override;
  // A folder is held until the lock is destroyed; another lock on it is
  // refused at once as busy (nothing else could release it while waiting).
  FolderLockResult LockFolder(const std::string& folder, std::chrono::milliseconds wait) override;
  // The files whose name is `folder`, one separator and a name without one.
  Status ListFiles(const std::string& folder, std::vector<std::string>* names) override;
  // Notes the folder in `folders()`; fails for a name given to FailWritesTo.
  Status CreateFolders(const std::string& folder) override;

  // Every later ReplaceFile or RemoveFile of `name`, or CreateFolders of it, fails.
  void FailWritesTo(const std::string& name) { failing_.insert(name); }

  // The folders CreateFolders was asked to make.
  const std::set<std::string>& folders() const { return folders_; }

  const std::map<std::string, std::string>& files() const { return files_; }
  std::map<std::string, std::string>& files() { return files_; }
  // True when `name` was last written as a program.
  bool executable(const std::string& name) const { return executables_.count(name) != 0; }

 private:
  std::map<std::string, std::string> files_;
  std::set<std::string> failing_;
  std::set<std::string> executables_;
  std::set<std::string> folders_;
  std::shared_ptr<std::set<std::string>> locked_ = std::make_shared<std::set<std::string>>();
};

}  // namespace scenario
