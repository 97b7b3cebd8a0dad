// The line name and the train number become parts of file names as they
// stand (Windows or Linux, in the application folder or an author's), and
// the line name goes into the compiled train scenario as Windows-1252 text.
// A name that would reach outside the folder, that one of the two systems
// cannot store, or that the code page cannot hold is refused before any
// file name is built from it.
#pragma once

#include <cstddef>
#include <string_view>

#include "base/status.h"

namespace scenario {

// The longest file name built is "NAME_NUM_rallentamenti.txt", and a write
// adds ".<16 hex digits>.part" to it for its temporary file. Linux counts a
// name's bytes (at most 255), and a Windows-1252 character takes up to three
// in UTF-8: 3 * (60 + 10) + 1 + 18 + 22 = 251.
inline constexpr size_t kLunghezzaMassimaNomeLinea = 60;
inline constexpr size_t kLunghezzaMassimaNumeroTreno = 10;

// OK, or why the UTF-8 name cannot be used, naming the offending character
// and its place (the character's number, from 1). Refused: an empty name; a
// name too long; a path separator ("/", "\"); ".."; a control character;
// a character Windows does not allow in file names (< > : " | ? *); a
// character Windows-1252 cannot hold; malformed UTF-8; a blank or a dot at
// the end (Windows drops them); a device name of Windows (CON, NUL, COM1...).
Status controlla_nome_linea(std::string_view utf8);
Status controlla_numero_treno(std::string_view utf8);

}  // namespace scenario
