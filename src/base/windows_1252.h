// The simulator reads single-byte text in the Western European code page
// (Windows-1252). The package holds its texts as UTF-8 and converts them
// explicitly at the point where they become bytes in a file.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace scenario {

// Converts UTF-8 text to Windows-1252 bytes. A character the code page cannot
// hold becomes "?", as the system's own conversion to the ANSI code page does;
// so does each byte of malformed UTF-8 (see leggi_utf8).
std::string utf8_a_windows_1252(std::string_view utf8);
// The same, appended to `out`.
void aggiungi_windows_1252(std::string_view utf8, std::string& out);

// Converts Windows-1252 bytes to UTF-8. The five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the control characters of
// the same value, as the system does.
std::string windows_1252_a_utf8(std::string_view bytes);

// Reads the UTF-8 character that begins at `testo[*i]` and moves `*i` past
// it. A malformed sequence (a stray continuation byte, a cut or overlong
// sequence, a surrogate, a value beyond U+10FFFF) gives nothing and moves
// `*i` by one byte.
std::optional<char32_t> leggi_utf8(std::string_view testo, size_t* i);

// True when the code page has a byte for the character `cp`.
bool in_windows_1252(char32_t cp);

}  // namespace scenario
