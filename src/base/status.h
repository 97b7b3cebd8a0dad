// The outcome of an operation that can fail for reasons outside the program
// (a folder that cannot be written, a file that cannot be read). Expected
// failures are returned, never thrown.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace scenario {

// What was being done to a file when it failed. The installer tells players
// in Italian and the authors' tool tells authors in English, so a failure
// keeps its parts apart and each program words them.
enum class Operazione : uint8_t {
  kNessuna,        // not a file operation
  kApertura,       // opening a file to read it
  kLettura,        // reading it
  kCreazione,      // creating a file
  kScrittura,      // writing its bytes
  kSostituzione,   // putting a new file in place of the old one
  kCancellazione,  // deleting a file
  kBlocco,         // taking a folder for this run alone
  kElenco,         // listing the files of a folder
  kCartella,       // making a folder
};

// "creating", "writing", ...: the English verb of an operation.
std::string_view verbo_inglese(Operazione operazione);
// "creare", "scrivere", ...: the Italian infinitive, as in "impossibile creare".
std::string_view verbo_italiano(Operazione operazione);

class Status {
 public:
  Status() = default;
  static Status OK() { return Status(); }
  // A file operation that failed: what was being done, the file it was done
  // to, and `reason`, the system's own explanation.
  static Status IOError(Operazione operazione, std::string_view file, std::string_view reason);
  static Status Error(std::string message) { return Status(std::move(message)); }

  bool ok() const { return message_.empty(); }
  // In English: "creating "FILE": REASON" for a file operation.
  const std::string& message() const { return message_; }
  std::string ToString() const { return ok() ? "OK" : message_; }

  // The parts of a failed file operation (kNessuna and empty otherwise).
  Operazione operazione() const { return operazione_; }
  const std::string& file() const { return file_; }
  const std::string& motivo() const { return motivo_; }

 private:
  explicit Status(std::string message) : message_(std::move(message)) {}
  std::string message_;
  Operazione operazione_ = Operazione::kNessuna;
  std::string file_;
  std::string motivo_;
};

}  // namespace scenario
