// The outcome of an operation that can fail for reasons outside the program
// (a folder that cannot be written, a file that cannot be read). Expected
// failures are returned, never thrown.
#pragma once

#include <string>
#include <string_view>
#include <utility>

namespace scenario {

class Status {
 public:
  Status() = default;
  static Status OK() { return Status(); }
  // `action` says what was being done ("writing"), `file` names the file and
  // `reason` is the system's own explanation.
  static Status IOError(std::string_view action, std::string_view file, std::string_view reason);
  static Status Error(std::string message) { return Status(std::move(message)); }

  bool ok() const { return message_.empty(); }
  const std::string& message() const { return message_; }
  std::string ToString() const { return ok() ? "OK" : message_; }

 private:
  explicit Status(std::string message) : message_(std::move(message)) {}
  std::string message_;
};

}  // namespace scenario
