#include "base/file_system.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "base/rename_over.h"
#include "base/system_reason.h"

namespace scenario {
namespace {

namespace fs = std::filesystem;

fs::path to_path(const std::string& name) {
  return fs::path(std::u8string(name.begin(), name.end()));
}

std::FILE* open_file(const std::string& name, const char* mode) {
#ifdef _WIN32
  std::wstring wide_mode(mode, mode + std::strlen(mode));
  return _wfopen(to_path(name).c_str(), wide_mode.c_str());
#else
  return std::fopen(name.c_str(), mode);
#endif
}

std::string reason_from_errno(int error) { return motivo_errno(error); }

// Hands the produced bytes to the C library's buffered output.
class FileSink : public ByteSink {
 public:
  FileSink(std::FILE* file, const std::string& name) : file_(file), name_(name) {}
  Status Append(std::string_view bytes) override {
    azzera_errore_di_sistema();
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size()) return Status::OK();
    return Status::IOError(Operazione::kScrittura, name_, reason_from_errno(errno));
  }

 private:
  std::FILE* file_;
  const std::string& name_;
};

class DiskFileSystem : public FileSystem {
 public:
  bool Exists(const std::string& name) override {
    std::error_code ec;
    const fs::file_status status = fs::status(to_path(name), ec);
    return !ec && fs::exists(status) && !fs::is_directory(status);
  }

  Status ReadFileUpTo(const std::string& name, uint64_t limite, std::string* contents) override {
    contents->clear();
    std::error_code ec;
    const fs::file_status status = fs::status(to_path(name), ec);
    if (!ec && fs::exists(status) && !fs::is_regular_file(status)) {
      return Status::IOError(Operazione::kApertura, name, "not a regular file");
    }
    if (!ec && fs::exists(status)) {
      const uintmax_t dimensione = fs::file_size(to_path(name), ec);
      if (!ec && dimensione > limite) {
        return Status::IOError(Operazione::kApertura, name,
                               "larger than the " + std::to_string(limite) + " bytes expected");
      }
    }
    azzera_errore_di_sistema();
    std::FILE* file = open_file(name, "rb");
    if (file == nullptr)
      return Status::IOError(Operazione::kApertura, name, reason_from_errno(errno));
    char buffer[1 << 16];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0 && contents->size() <= limite) {
      contents->append(buffer, n);
    }
    if (contents->size() > limite) {
      std::fclose(file);
      contents->clear();
      return Status::IOError(Operazione::kLettura, name,
                             "larger than the " + std::to_string(limite) + " bytes expected");
    }
    const bool failed = std::ferror(file) != 0;
    const int error = errno;
    std::fclose(file);
    if (failed) return Status::IOError(Operazione::kLettura, name, reason_from_errno(error));
    return Status::OK();
  }

  Status ReplaceFileWith(const std::string& name, const ProduttoreByte& produci) override {
    const std::string temporary = temporary_name_for(name);
    azzera_errore_di_sistema();
    std::FILE* file = open_file(temporary, "wb");
    if (file == nullptr) {
      return Status::IOError(Operazione::kCreazione, name, reason_from_errno(errno));
    }
    FileSink sink(file, name);
    const Status prodotto = produci(sink);
    const bool closed = std::fclose(file) == 0;
    const int close_error = errno;
    if (!prodotto.ok() || !closed) {
      std::error_code ignored;
      fs::remove(to_path(temporary), ignored);
      if (!prodotto.ok()) return prodotto;
      return Status::IOError(Operazione::kScrittura, name, reason_from_errno(close_error));
    }
    const std::error_code ec = rename_over(to_path(temporary), to_path(name));
    if (ec) {
      std::error_code ignored;
      fs::remove(to_path(temporary), ignored);
      return Status::IOError(Operazione::kSostituzione, name, motivo_di_sistema(ec));
    }
    return Status::OK();
  }

  Status RemoveFile(const std::string& name) override {
    std::error_code ec;
    fs::remove(to_path(name), ec);
    if (ec) return Status::IOError(Operazione::kCancellazione, name, motivo_di_sistema(ec));
    return Status::OK();
  }
};

}  // namespace

std::string temporary_name_for(const std::string& name) { return name + ".part"; }

FileSystem& disk_file_system() {
  static DiskFileSystem disk;
  return disk;
}

}  // namespace scenario
