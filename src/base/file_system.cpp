#include "base/file_system.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "base/rename_over.h"

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

std::string reason_from_errno(int error) { return std::generic_category().message(error); }

class DiskFileSystem : public FileSystem {
 public:
  bool Exists(const std::string& name) override {
    std::error_code ec;
    const fs::file_status status = fs::status(to_path(name), ec);
    return !ec && fs::exists(status) && !fs::is_directory(status);
  }

  Status ReadFile(const std::string& name, std::string* contents) override {
    contents->clear();
    errno = 0;
    std::FILE* file = open_file(name, "rb");
    if (file == nullptr) return Status::IOError("opening", name, reason_from_errno(errno));
    char buffer[1 << 16];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) contents->append(buffer, n);
    const bool failed = std::ferror(file) != 0;
    const int error = errno;
    std::fclose(file);
    if (failed) return Status::IOError("reading", name, reason_from_errno(error));
    return Status::OK();
  }

  Status ReplaceFile(const std::string& name, std::string_view contents) override {
    const std::string temporary = temporary_name_for(name);
    errno = 0;
    std::FILE* file = open_file(temporary, "wb");
    if (file == nullptr) return Status::IOError("creating", name, reason_from_errno(errno));
    const bool written = std::fwrite(contents.data(), 1, contents.size(), file) == contents.size();
    int error = errno;
    const bool closed = std::fclose(file) == 0;
    if (written && !closed) error = errno;
    if (!written || !closed) {
      std::error_code ignored;
      fs::remove(to_path(temporary), ignored);
      return Status::IOError("writing", name, reason_from_errno(error));
    }
    const std::error_code ec = rename_over(to_path(temporary), to_path(name));
    if (ec) {
      std::error_code ignored;
      fs::remove(to_path(temporary), ignored);
      return Status::IOError("replacing", name, ec.message());
    }
    return Status::OK();
  }

  Status RemoveFile(const std::string& name) override {
    std::error_code ec;
    fs::remove(to_path(name), ec);
    if (ec) return Status::IOError("deleting", name, ec.message());
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
