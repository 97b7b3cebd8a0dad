// The disk on Windows, through the Win32 calls themselves: CREATE_NEW makes
// a temporary file new or fails, FILE_FLAG_OPEN_REPARSE_POINT opens a link
// (a reparse point) as itself instead of what it points at, and GetFileType
// tells a file on the disk from a device or a pipe before anything is read.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <system_error>

#include "base/disk_file_system.h"
#include "base/file_system.h"
#include "base/rename_over.h"
#include "base/system_reason.h"

namespace scenario {

std::wstring wide(std::string_view utf8) {
  const int n =
      MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring text(static_cast<size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0) {
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(), n);
  }
  return text;
}

std::string narrow(const wchar_t* text) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(n > 1 ? n - 1 : 0), '\0');
  if (n > 1) WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), n, nullptr, nullptr);
  return utf8;
}

std::string system_reason(unsigned long error) {
  return motivo_di_sistema(std::error_code(static_cast<int>(error), std::system_category()));
}

namespace {

std::filesystem::path to_path(const std::string& name) {
  return std::filesystem::path(std::u8string(name.begin(), name.end()));
}

std::string larger_than(uint64_t limite) {
  return "larger than the " + std::to_string(limite) + " bytes expected";
}

class HandleSink : public BufferedSink {
 public:
  HandleSink(HANDLE file, const std::string& name) : file_(file), name_(name) {}

 protected:
  Status WriteAll(std::string_view bytes) override {
    while (!bytes.empty()) {
      const DWORD piece = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 30));
      DWORD written = 0;
      if (!WriteFile(file_, bytes.data(), piece, &written, nullptr) || written == 0) {
        return Status::IOError(Operazione::kScrittura, name_, system_reason(GetLastError()));
      }
      bytes.remove_prefix(written);
    }
    return Status::OK();
  }

 private:
  HANDLE file_;
  const std::string& name_;
};

class DiskFileSystem : public DiskFileSystemBase {
 public:
  using DiskFileSystemBase::DiskFileSystemBase;

  bool Exists(const std::string& name) override {
    const DWORD attributes = GetFileAttributesW(wide(name).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
  }

  Status ReadFileUpTo(const std::string& name, uint64_t limite, std::string* contents) override {
    contents->clear();
    const std::wstring wide_name = wide(name);
    const DWORD attributes = GetFileAttributesW(wide_name.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
      return Status::IOError(Operazione::kApertura, name, "is a folder, not a file");
    }
    HANDLE file = CreateFileW(wide_name.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      return Status::IOError(Operazione::kApertura, name, system_reason(GetLastError()));
    }
    const DWORD type = GetFileType(file);
    if (type != FILE_TYPE_DISK) {
      CloseHandle(file);
      return Status::IOError(
          Operazione::kApertura, name,
          type == FILE_TYPE_PIPE ? "is a pipe, not a file" : "is a device, not a file");
    }
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file, &size)) {
      const DWORD error = GetLastError();
      CloseHandle(file);
      return Status::IOError(Operazione::kApertura, name, system_reason(error));
    }
    if (static_cast<uint64_t>(size.QuadPart) > limite) {
      CloseHandle(file);
      return Status::IOError(Operazione::kApertura, name, larger_than(limite));
    }
    contents->reserve(static_cast<size_t>(size.QuadPart));
    char buffer[1 << 16];
    for (;;) {
      DWORD n = 0;
      if (!::ReadFile(file, buffer, static_cast<DWORD>(sizeof buffer), &n, nullptr)) {
        const DWORD error = GetLastError();
        CloseHandle(file);
        contents->clear();
        return Status::IOError(Operazione::kLettura, name, system_reason(error));
      }
      if (n == 0) break;
      if (contents->size() + n > limite) {
        CloseHandle(file);
        contents->clear();
        return Status::IOError(Operazione::kLettura, name, larger_than(limite));
      }
      contents->append(buffer, n);
    }
    CloseHandle(file);
    return Status::OK();
  }

  Status ReplaceFileWith(const std::string& name, const ProduttoreByte& produci) override {
    std::string temporary;
    HANDLE file = INVALID_HANDLE_VALUE;
    DWORD error = ERROR_FILE_EXISTS;
    for (int tentativo = 0; tentativo < kTentativiNome && file == INVALID_HANDLE_VALUE;
         ++tentativo) {
      temporary = temporary_name_for(name, next_id(tentativo));
      // CREATE_NEW fails on anything already at the name, a link included;
      // the reparse-point flag keeps a link that appears anyway from being
      // followed, and the check below refuses it.
      file = CreateFileW(wide(temporary).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                         FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
      if (file == INVALID_HANDLE_VALUE) {
        error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
          return Status::IOError(Operazione::kCreazione, temporary, system_reason(error));
        }
      }
    }
    if (file == INVALID_HANDLE_VALUE) {
      return Status::IOError(Operazione::kCreazione, temporary, system_reason(error));
    }
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(file, &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
      CloseHandle(file);
      return Status::IOError(Operazione::kCreazione, temporary, "is a link, not a new file");
    }

    Status written;
    {
      auto sink = std::make_unique<HandleSink>(file, temporary);
      written = produci(*sink);
      if (written.ok()) written = sink->Flush();
    }
    if (!CloseHandle(file) && written.ok()) {
      written = Status::IOError(Operazione::kScrittura, temporary, system_reason(GetLastError()));
    }
    if (!written.ok()) {
      DeleteFileW(wide(temporary).c_str());
      return written;
    }
    const std::error_code ec = rename_over(to_path(temporary), to_path(name));
    if (ec) {
      DeleteFileW(wide(temporary).c_str());
      return Status::IOError(Operazione::kSostituzione, name, motivo_di_sistema(ec));
    }
    return Status::OK();
  }

  Status RemoveFile(const std::string& name) override {
    if (!DeleteFileW(wide(name).c_str())) {
      const DWORD error = GetLastError();
      if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) {
        return Status::IOError(Operazione::kCancellazione, name, system_reason(error));
      }
    }
    return Status::OK();
  }

  Status CheckFolder(const std::string& folder) override {
    const std::string nome = "the folder \"" + folder + "\" ";
    const DWORD attributes = GetFileAttributesW(wide(folder).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
      const DWORD error = GetLastError();
      if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
        return Status::Error(nome + "does not exist");
      }
      if (error == ERROR_FILENAME_EXCED_RANGE) {
        return Status::Error(nome + "has a name too long for the system");
      }
      return Status::Error(nome + "cannot be reached: " + system_reason(error));
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
      return Status::Error(nome + "is not a folder");
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(wide(folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE && GetLastError() == ERROR_ACCESS_DENIED) {
      return Status::Error(nome + "cannot be searched (" + system_reason(ERROR_ACCESS_DENIED) +
                           ")");
    }
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
    return Status::OK();
  }

  Status ListFiles(const std::string& folder, std::vector<std::string>* names) override {
    names->clear();
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(wide(folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
      const DWORD error = GetLastError();
      if (error == ERROR_FILE_NOT_FOUND) return Status::OK();  // not even "." in it
      return Status::IOError(Operazione::kElenco, folder, system_reason(error));
    }
    do {
      if ((found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) != 0) {
        continue;
      }
      names->push_back(narrow(found.cFileName));
    } while (FindNextFileW(search, &found));
    const DWORD error = GetLastError();
    FindClose(search);
    if (error != ERROR_NO_MORE_FILES) {
      names->clear();
      return Status::IOError(Operazione::kElenco, folder, system_reason(error));
    }
    std::sort(names->begin(), names->end());
    return Status::OK();
  }

  Status CreateFolders(const std::string& folder) override {
    // Every level from the top down, each ending at a separator or at the
    // end of the name. A drive ("C:") and a share (\\server\share) are
    // never made; doubled separators name no new level.
    size_t primo = 1;
    if (folder.size() >= 2 && folder[1] == ':') primo = 3;
    if (folder.rfind("\\\\", 0) == 0 || folder.rfind("//", 0) == 0) {
      size_t separatori = 0;
      for (primo = 2; primo < folder.size() && separatori < 2; ++primo) {
        if (folder[primo] == '\\' || folder[primo] == '/') ++separatori;
      }
    }
    auto separatore = [](char c) { return c == '\\' || c == '/'; };
    for (size_t fine = primo; fine <= folder.size(); ++fine) {
      if (fine < folder.size() && !separatore(folder[fine])) continue;
      if (separatore(folder[fine - 1])) continue;
      const std::string livello = folder.substr(0, fine);
      if (CreateDirectoryW(wide(livello).c_str(), nullptr)) continue;
      const DWORD error = GetLastError();
      const DWORD attributes = GetFileAttributesW(wide(livello).c_str());
      if (error == ERROR_ALREADY_EXISTS || error == ERROR_ACCESS_DENIED) {
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
          continue;
        }
        if (attributes != INVALID_FILE_ATTRIBUTES) {
          return Status::IOError(Operazione::kCartella, livello, "it exists and is not a folder");
        }
      }
      return Status::IOError(Operazione::kCartella, livello, system_reason(error));
    }
    return Status::OK();
  }

 protected:
  Status RemoveLeftoversIn(const CartellaVoci& gruppo) override {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(wide(gruppo.cartella + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return Status::OK();
    Status status;
    do {
      const std::string voce = narrow(found.cFileName);
      bool ours = false;
      for (const std::string& leaf : gruppo.voci) ours = ours || is_temporary_name_of(voce, leaf);
      // The listing shows the entry itself: a link is a reparse point.
      const DWORD skip =
          FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE;
      if (!ours || (found.dwFileAttributes & skip) != 0) continue;
      const std::string name = gruppo.cartella + "\\" + voce;
      if (!DeleteFileW(wide(name).c_str())) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND) continue;
        status = Status::IOError(Operazione::kCancellazione, name, system_reason(error));
        break;
      }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return status;
  }
};

}  // namespace

std::unique_ptr<FileSystem> disk_file_system_with_ids(std::function<uint64_t()> ids) {
  return std::make_unique<DiskFileSystem>(std::move(ids));
}

}  // namespace scenario
