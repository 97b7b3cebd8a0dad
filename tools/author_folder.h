// The file system the tool hands to the compile step. The compile step reads
// its two source texts from, and writes its compiled files into, one folder,
// and deletes the source texts once read. An author's texts must survive the
// compile, and the author may want the compiled files elsewhere: this adapter
// sends the reads of the two source texts to the author's files, makes their
// deletion a no-op, and passes every other name through to `uscita`.
#pragma once

#include <map>
#include <string>
#include <utility>

#include "base/file_system.h"

namespace scenario {

class CartellaAutore : public FileSystem {
 public:
  // `sorgenti` maps each name the compile step uses for a source text to the
  // author's file it stands for, read from `autore`. Every other name goes to
  // `uscita`.
  CartellaAutore(FileSystem& autore, FileSystem& uscita,
                 std::map<std::string, std::string> sorgenti)
      : autore_(autore), uscita_(uscita), sorgenti_(std::move(sorgenti)) {}

  bool Exists(const std::string& name) override;
  Status ReadFileUpTo(const std::string& name, uint64_t limite, std::string* contents) override;
  // Writing over a source text is refused: the tool never changes an author's text.
  Status ReplaceFileWith(const std::string& name, const ProduttoreByte& produci) override;
  // Deleting a source text does nothing and succeeds.
  Status RemoveFile(const std::string& name) override;
  // The output's: the author's folder is only read.
  Status RemoveLeftovers(const std::vector<std::string>& names) override;
  Status CheckFolder(const std::string& folder) override;
  FolderLockResult LockFolder(const std::string& folder, std::chrono::milliseconds wait) override;
  // The author's folder is listed; folders are made for the compiled files.
  Status ListFiles(const std::string& folder, std::vector<std::string>* names) override;
  Status CreateFolders(const std::string& folder) override;

 private:
  const std::string* sorgente(const std::string& name) const;

  FileSystem& autore_;
  FileSystem& uscita_;
  std::map<std::string, std::string> sorgenti_;
};

}  // namespace scenario
