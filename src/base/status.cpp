#include "base/status.h"

namespace scenario {

Status Status::IOError(std::string_view action, std::string_view file, std::string_view reason) {
  std::string message;
  message.append(action).append(" \"").append(file).append("\": ").append(reason);
  return Status(std::move(message));
}

}  // namespace scenario
