// Test support: the real disk with temporary names known beforehand, and a
// hook that runs right after a run's sweep of leftovers, so that a test can
// plant something at the very names the run is about to write under.
#pragma once

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "base/file_system.h"

namespace scenario::test {

class DiscoConTrappole : public FileSystem {
 public:
  // The run's temporary names carry `id`, then `id` + 1, + 2... for every
  // fresh name it draws; `trappole` runs after every sweep.
  DiscoConTrappole(uint64_t id, std::function<void()> trappole)
      : disco_(disk_file_system_with_ids([id, n = uint64_t{0}]() mutable { return id + n++; })),
        trappole_(std::move(trappole)) {}

  bool Exists(const std::string& name) override { return disco_->Exists(name); }
  Status ReadFileUpTo(const std::string& name, uint64_t limite, std::string* contents) override {
    return disco_->ReadFileUpTo(name, limite, contents);
  }
  Status ReplaceFileWith(const std::string& name, const ProduttoreByte& produci) override {
    return disco_->ReplaceFileWith(name, produci);
  }
  Status RemoveFile(const std::string& name) override { return disco_->RemoveFile(name); }
  Status RemoveLeftovers(const std::vector<std::string>& names) override {
    const Status status = disco_->RemoveLeftovers(names);
    if (trappole_) trappole_();
    return status;
  }
  Status CheckFolder(const std::string& folder) override { return disco_->CheckFolder(folder); }
  FolderLockResult LockFolder(const std::string& folder, std::chrono::milliseconds wait) override {
    return disco_->LockFolder(folder, wait);
  }
  Status ListFiles(const std::string& folder, std::vector<std::string>* names) override {
    return disco_->ListFiles(folder, names);
  }
  Status CreateFolders(const std::string& folder) override { return disco_->CreateFolders(folder); }

 private:
  std::unique_ptr<FileSystem> disco_;
  std::function<void()> trappole_;
};

inline std::string leggi_tutto(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Every entry of `cartella` but `salta`, never followed: a plain file by its
// contents, a link as "link to PATH", a folder as "folder", anything else as
// "fifo".
inline std::map<std::string, std::string> voci(const std::filesystem::path& cartella,
                                               const std::string& salta = "") {
  namespace fs = std::filesystem;
  std::map<std::string, std::string> trovate;
  for (const auto& voce : fs::directory_iterator(cartella)) {
    const std::string nome = voce.path().filename().string();
    if (nome == salta) continue;
    const fs::file_status stato = voce.symlink_status();
    if (fs::is_symlink(stato)) {
      trovate[nome] = "link to " + fs::read_symlink(voce.path()).string();
    } else if (fs::is_regular_file(stato)) {
      trovate[nome] = leggi_tutto(voce.path());
    } else {
      trovate[nome] = fs::is_directory(stato) ? "folder" : "fifo";
    }
  }
  return trovate;
}

#ifndef _WIN32
// What can stand at a name where a run means to make a new file.
enum class Esca : uint8_t { kLinkSospeso, kLinkEsterno, kLinkFisso, kFifo, kCartella };

inline constexpr Esca kEsche[] = {Esca::kLinkSospeso, Esca::kLinkEsterno, Esca::kLinkFisso,
                                  Esca::kFifo, Esca::kCartella};

// Plants `esca` at `nome`: a link to `esterno` + "-assente" (dangling), a
// link to the file `esterno`, a hard link to it, a FIFO or a folder.
// Returns what the entry is afterwards ("link to PATH", "fifo", "folder"),
// or "" for the hard link, a plain file of its own name.
inline std::string pianta(Esca esca, const std::filesystem::path& nome,
                          const std::filesystem::path& esterno) {
  namespace fs = std::filesystem;
  switch (esca) {
    case Esca::kLinkSospeso:
      fs::create_symlink(esterno.string() + "-assente", nome);
      return "link to " + esterno.string() + "-assente";
    case Esca::kLinkEsterno:
      fs::create_symlink(esterno, nome);
      return "link to " + esterno.string();
    case Esca::kLinkFisso:
      fs::create_hard_link(esterno, nome);
      return "";
    case Esca::kFifo:
      if (mkfifo(nome.c_str(), 0666) != 0) throw fs::filesystem_error("mkfifo", nome, {});
      return "fifo";
    case Esca::kCartella:
      fs::create_directory(nome);
      return "folder";
  }
  return "";
}
#endif

}  // namespace scenario::test
