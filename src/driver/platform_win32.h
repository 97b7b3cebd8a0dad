// The pieces of the Windows platform layer that are plain arithmetic and text,
// apart from the window calls so that they can be checked on their own.
#pragma once

#include <string>
#include <string_view>

namespace scenario::win32 {

// The wait window's layout in twips (1440 to the inch, 15 to a pixel at 96 dpi).
inline constexpr int kLarghezzaAttesa = 4200;  // client area
inline constexpr int kAltezzaAttesa = 2688;
inline constexpr int kSinistraEtichetta = 960;  // Label1
inline constexpr int kAltoEtichetta = 960;
inline constexpr int kLarghezzaEtichetta = 2652;
inline constexpr int kAltezzaEtichetta = 792;

// Label1's font: "MS Sans Serif", 24 points, bold, character set 0.
inline constexpr const wchar_t* kCarattereEtichetta = L"MS Sans Serif";
inline constexpr int kPuntiEtichetta = 24;
inline constexpr int kPesoEtichetta = 700;

// Twips (or points, with `unita` 72) to pixels at `dpi` dots per inch, rounded
// to the nearest pixel.
int in_pixel(int misura, int dpi, int unita = 1440);

// UTF-8 and the system's UTF-16. A text that does not convert cleanly (a lone
// surrogate in a folder name) gives an empty string.
std::wstring da_utf8(std::string_view testo);
std::string in_utf8(std::wstring_view testo);

// The folder of the program file `programma` (a full path as the system gives
// it), without the separator before the file name; at a drive root the
// separator stays ("C:\"), as the folder names there are written. Empty if the
// path has no folder part or does not convert to UTF-8.
std::string cartella_di(std::wstring_view programma);

}  // namespace scenario::win32
