#include "base/file_system.h"

#include <cstring>
#include <random>

#include "base/disk_file_system.h"

namespace scenario {
namespace {

constexpr std::string_view kSuffissoTemporaneo = ".part";
constexpr size_t kCifreIdentificativo = 16;

bool is_lower_hex(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); }

// A number no other run is likely to draw: the system's random source.
uint64_t random_id() {
  std::random_device source;
  return (uint64_t{source()} << 32) ^ uint64_t { source() };
}

}  // namespace

std::string temporary_name_for(const std::string& name, uint64_t id) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string temporary = name;
  temporary += '.';
  for (int shift = 60; shift >= 0; shift -= 4) temporary += kHex[(id >> shift) & 0xF];
  temporary += kSuffissoTemporaneo;
  return temporary;
}

bool is_temporary_name_of(std::string_view entry, std::string_view leaf) {
  if (!entry.starts_with(leaf) || !entry.ends_with(kSuffissoTemporaneo)) return false;
  const std::string_view middle =
      entry.substr(leaf.size(), entry.size() - leaf.size() - kSuffissoTemporaneo.size());
  if (middle.empty()) return true;  // NAME.part, as earlier versions named it
  if (middle.size() != 1 + kCifreIdentificativo || middle[0] != '.') return false;
  for (char c : middle.substr(1)) {
    if (!is_lower_hex(c)) return false;
  }
  return true;
}

CartellaVoci split_name(const std::string& name) {
#ifdef _WIN32
  const size_t cut = name.find_last_of("\\/");
#else
  const size_t cut = name.find_last_of('/');
#endif
  if (cut == std::string::npos) return CartellaVoci{".", {name}};
  return CartellaVoci{cut == 0 ? name.substr(0, 1) : name.substr(0, cut), {name.substr(cut + 1)}};
}

std::vector<CartellaVoci> group_by_folder(const std::vector<std::string>& names) {
  std::vector<CartellaVoci> groups;
  for (const std::string& name : names) {
    CartellaVoci parts = split_name(name);
    CartellaVoci* group = nullptr;
    for (CartellaVoci& g : groups) {
      if (g.cartella == parts.cartella) group = &g;
    }
    if (group == nullptr) {
      groups.push_back(std::move(parts));
    } else {
      group->voci.push_back(std::move(parts.voci.front()));
    }
  }
  return groups;
}

Status BufferedSink::Append(std::string_view bytes) {
  if (bytes.size() >= sizeof buffer_) {
    if (Status flushed = Flush(); !flushed.ok()) return flushed;
    return WriteAll(bytes);
  }
  if (used_ + bytes.size() > sizeof buffer_) {
    if (Status flushed = Flush(); !flushed.ok()) return flushed;
  }
  std::memcpy(buffer_ + used_, bytes.data(), bytes.size());
  used_ += bytes.size();
  return Status::OK();
}

Status BufferedSink::Flush() {
  const Status written = WriteAll(std::string_view(buffer_, used_));
  used_ = 0;
  return written;
}

Status DiskFileSystemBase::RemoveLeftovers(const std::vector<std::string>& names) {
  for (const CartellaVoci& gruppo : group_by_folder(names)) {
    if (Status status = RemoveLeftoversIn(gruppo); !status.ok()) return status;
  }
  return Status::OK();
}

uint64_t DiskFileSystemBase::next_id(int tentativo) {
  if (tentativo > 0 || !run_id_) run_id_ = ids_();
  return *run_id_;
}

FileSystem& disk_file_system() {
  static std::unique_ptr<FileSystem> disk = disk_file_system_with_ids(random_id);
  return *disk;
}

}  // namespace scenario
