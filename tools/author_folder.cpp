#include "author_folder.h"

namespace scenario {

const std::string* CartellaAutore::sorgente(const std::string& name) const {
  const auto trovato = sorgenti_.find(name);
  return trovato == sorgenti_.end() ? nullptr : &trovato->second;
}

bool CartellaAutore::Exists(const std::string& name) {
  if (const std::string* vero = sorgente(name)) return autore_.Exists(*vero);
  return uscita_.Exists(name);
}

Status CartellaAutore::ReadFileUpTo(const std::string& name, uint64_t limite,
                                    std::string* contents) {
  if (const std::string* vero = sorgente(name))
    return autore_.ReadFileUpTo(*vero, limite, contents);
  return uscita_.ReadFileUpTo(name, limite, contents);
}

Status CartellaAutore::ReplaceFileWith(const std::string& name, const ProduttoreByte& produci) {
  if (const std::string* vero = sorgente(name)) {
    return Status::IOError(Operazione::kScrittura, *vero,
                           "the tool never changes an author's source text");
  }
  return uscita_.ReplaceFileWith(name, produci);
}

Status CartellaAutore::RemoveFile(const std::string& name) {
  if (sorgente(name) != nullptr) return Status::OK();
  return uscita_.RemoveFile(name);
}

Status CartellaAutore::RemoveLeftovers(const std::vector<std::string>& names) {
  return uscita_.RemoveLeftovers(names);
}

Status CartellaAutore::CheckFolder(const std::string& folder) {
  return uscita_.CheckFolder(folder);
}

FolderLockResult CartellaAutore::LockFolder(const std::string& folder,
                                            std::chrono::milliseconds wait) {
  return uscita_.LockFolder(folder, wait);
}

Status CartellaAutore::ListFiles(const std::string& folder, std::vector<std::string>* names) {
  return autore_.ListFiles(folder, names);
}

Status CartellaAutore::CreateFolders(const std::string& folder) {
  return uscita_.CreateFolders(folder);
}

}  // namespace scenario
