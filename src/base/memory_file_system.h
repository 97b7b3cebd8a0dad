// A file system held in memory, for tests and the fuzzer. Names are plain
// keys; a name can be marked as failing so that writers meet a full disk or
// a read-only folder.
#pragma once

#include <map>
#include <set>
#include <string>

#include "base/file_system.h"

namespace scenario {

class MemoryFileSystem : public FileSystem {
 public:
  bool Exists(const std::string& name) override;
  Status ReadFileUpTo(const std::string& name, uint64_t limite, std::string* contents) override;
  Status ReplaceFileWith(const std::string& name, const ProduttoreByte& produci) override;
  Status RemoveFile(const std::string& name) override;

  // Every later ReplaceFile or RemoveFile of `name` fails.
  void FailWritesTo(const std::string& name) { failing_.insert(name); }

  const std::map<std::string, std::string>& files() const { return files_; }
  std::map<std::string, std::string>& files() { return files_; }

 private:
  std::map<std::string, std::string> files_;
  std::set<std::string> failing_;
};

}  // namespace scenario
