#include "base/status.h"

namespace scenario {

std::string_view verbo_inglese(Operazione operazione) {
  switch (operazione) {
    case Operazione::kNessuna:
      return "";
    case Operazione::kApertura:
      return "opening";
    case Operazione::kLettura:
      return "reading";
    case Operazione::kCreazione:
      return "creating";
    case Operazione::kScrittura:
      return "writing";
    case Operazione::kSostituzione:
      return "replacing";
    case Operazione::kCancellazione:
      return "deleting";
    case Operazione::kBlocco:
      return "locking";
    case Operazione::kElenco:
      return "listing";
    case Operazione::kCartella:
      return "making the folder";
  }
  return "";
}

std::string_view verbo_italiano(Operazione operazione) {
  switch (operazione) {
    case Operazione::kNessuna:
      return "";
    case Operazione::kApertura:
      return "aprire";
    case Operazione::kLettura:
      return "leggere";
    case Operazione::kCreazione:
      return "creare";
    case Operazione::kScrittura:
      return "scrivere";
    case Operazione::kSostituzione:
      return "sostituire";
    case Operazione::kCancellazione:
      return "cancellare";
    case Operazione::kBlocco:
      return "riservare";
    case Operazione::kElenco:
      return "elencare";
    case Operazione::kCartella:
      return "creare la cartella";
  }
  return "";
}

Status Status::IOError(Operazione operazione, std::string_view file, std::string_view reason) {
  std::string message;
  message.append(verbo_inglese(operazione))
      .append(" \"")
      .append(file)
      .append("\": ")
      .append(reason);
  Status status(std::move(message));
  status.operazione_ = operazione;
  status.file_ = std::string(file);
  status.motivo_ = std::string(reason);
  return status;
}

}  // namespace scenario
