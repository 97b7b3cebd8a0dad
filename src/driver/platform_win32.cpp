// On Windows the installer is a GUI program: a small window with the word
// "Attendere" stays on the screen while the scenario is installed, and the
// numbered errors come in a message box.
#ifndef UNICODE
#define UNICODE
#endif
#include <windows.h>

#include <string>

#include "driver/platform.h"
#include "driver/platform_win32.h"

namespace scenario {
namespace win32 {

int in_pixel(int misura, int dpi, int unita) {
  return static_cast<int>((static_cast<long long>(misura) * dpi + unita / 2) / unita);
}

std::wstring da_utf8(std::string_view testo) {
  if (testo.empty()) return std::wstring();
  const int lunghezza = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, testo.data(),
                                            static_cast<int>(testo.size()), nullptr, 0);
  if (lunghezza <= 0) return std::wstring();
  std::wstring risultato(static_cast<size_t>(lunghezza), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, testo.data(), static_cast<int>(testo.size()),
                      risultato.data(), lunghezza);
  return risultato;
}

std::string in_utf8(std::wstring_view testo) {
  if (testo.empty()) return std::string();
  const int lunghezza =
      WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, testo.data(),
                          static_cast<int>(testo.size()), nullptr, 0, nullptr, nullptr);
  if (lunghezza <= 0) return std::string();
  std::string risultato(static_cast<size_t>(lunghezza), '\0');
  WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, testo.data(), static_cast<int>(testo.size()),
                      risultato.data(), lunghezza, nullptr, nullptr);
  return risultato;
}

std::string cartella_di(std::wstring_view programma) {
  const size_t separatore = programma.find_last_of(L"\\/");
  if (separatore == std::wstring_view::npos || separatore == 0) return std::string();
  // "C:\installer.exe" lies in "C:\", not in "C:" (the current folder of drive C).
  const bool radice = programma[separatore - 1] == L':';
  return in_utf8(programma.substr(0, radice ? separatore + 1 : separatore));
}

namespace {

constexpr const wchar_t* kClasseAttesa = L"BelforteMelarAttesa";
constexpr int kIdEtichetta = 1;

// The window only tells the user to wait: it cannot be closed, and it goes
// away with the program.
LRESULT CALLBACK procedura_attesa(HWND finestra, UINT messaggio, WPARAM w, LPARAM l) {
  if (messaggio == WM_CLOSE) return 0;
  return DefWindowProcW(finestra, messaggio, w, l);
}

// Sizes are given in twips and converted at the screen's real dpi: the window
// is drawn sharp at its true size rather than stretched by the system. The
// program's manifest (installer.manifest.in) tells the system so, before any
// window exists.
// The running program's file. Paths can be longer than MAX_PATH; the longest
// the system handles is 32767 characters. A full buffer means the name was
// cut: try a larger one.
std::wstring file_del_programma() {
  std::wstring programma(MAX_PATH, L'\0');
  for (;;) {
    const DWORD lunghezza =
        GetModuleFileNameW(nullptr, programma.data(), static_cast<DWORD>(programma.size()));
    if (lunghezza == 0) return std::wstring();
    if (lunghezza < programma.size()) {
      programma.resize(lunghezza);
      return programma;
    }
    if (programma.size() > 32768) return std::wstring();
    programma.resize(programma.size() * 2);
  }
}

class PiattaformaWin32 : public Piattaforma {
 public:
  ~PiattaformaWin32() override {
    if (finestra_ != nullptr) DestroyWindow(finestra_);
    if (carattere_ != nullptr) DeleteObject(carattere_);
  }

  void mostra_attesa(const std::string& titolo, const std::string& didascalia) override {
    if (finestra_ != nullptr) return;
    const HINSTANCE istanza = GetModuleHandleW(nullptr);

    WNDCLASSEXW classe = {};
    classe.cbSize = sizeof classe;
    classe.lpfnWndProc = procedura_attesa;
    classe.hInstance = istanza;
    classe.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    classe.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    classe.lpszClassName = kClasseAttesa;
    RegisterClassExW(&classe);

    int dpi_x = 96;
    int dpi_y = 96;
    if (HDC schermo = GetDC(nullptr)) {
      dpi_x = GetDeviceCaps(schermo, LOGPIXELSX);
      dpi_y = GetDeviceCaps(schermo, LOGPIXELSY);
      ReleaseDC(nullptr, schermo);
    }

    // A caption but no system menu, sizing border or buttons.
    const DWORD stile = WS_OVERLAPPED | WS_CAPTION;
    RECT area = {0, 0, in_pixel(kLarghezzaAttesa, dpi_x), in_pixel(kAltezzaAttesa, dpi_y)};
    AdjustWindowRectEx(&area, stile, FALSE, 0);

    // Without a display (no window station) there is no window; the
    // installation goes on all the same.
    finestra_ = CreateWindowExW(0, kClasseAttesa, da_utf8(titolo).c_str(), stile, CW_USEDEFAULT,
                                CW_USEDEFAULT, area.right - area.left, area.bottom - area.top,
                                nullptr, nullptr, istanza, nullptr);
    if (finestra_ == nullptr) return;

    const HWND etichetta = CreateWindowExW(
        0, L"STATIC", da_utf8(didascalia).c_str(),
        WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX,
        in_pixel(kSinistraEtichetta, dpi_x), in_pixel(kAltoEtichetta, dpi_y),
        in_pixel(kLarghezzaEtichetta, dpi_x), in_pixel(kAltezzaEtichetta, dpi_y), finestra_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kIdEtichetta)), istanza, nullptr);
    carattere_ = CreateFontW(-in_pixel(kPuntiEtichetta, dpi_y, 72), 0, 0, 0, kPesoEtichetta, FALSE,
                             FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, kCarattereEtichetta);
    if (etichetta != nullptr && carattere_ != nullptr) {
      SendMessageW(etichetta, WM_SETFONT, reinterpret_cast<WPARAM>(carattere_), FALSE);
    }

    // Paint now: the work that follows handles no window messages, so what is
    // on the screen when it starts stays there until the program ends.
    ShowWindow(finestra_, SW_SHOWNORMAL);
    RedrawWindow(finestra_, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    MSG messaggio;
    while (PeekMessageW(&messaggio, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&messaggio);
      DispatchMessageW(&messaggio);
    }
  }

  void mostra_messaggio(const std::string& testo) override {
    // OK only, no icon, and no title of our own: the system's default title.
    MessageBoxW(finestra_, da_utf8(testo).c_str(), nullptr, MB_OK);
  }

  std::string cartella_applicazione() override {
    const std::wstring programma = file_del_programma();
    return programma.empty() ? std::string() : cartella_di(programma);
  }

 private:
  HWND finestra_ = nullptr;
  HFONT carattere_ = nullptr;
};

}  // namespace
}  // namespace win32

std::unique_ptr<Piattaforma> piattaforma_di_sistema() {
  return std::make_unique<win32::PiattaformaWin32>();
}

std::string programma_in_esecuzione() { return win32::in_utf8(win32::file_del_programma()); }

}  // namespace scenario
