// Test-only: shows the installer's wait window through the platform layer and
// holds it on the screen until told to go, so that a screenshot can be taken.
// It writes, into `attesa.txt` in the working folder, where the window's client
// area and the label lie on the screen, and ends when the file `fatto` appears
// there (or after a minute).
#ifndef UNICODE
#define UNICODE
#endif
#include <windows.h>

#include <cstdio>
#include <filesystem>

#include "content/builtin_content.h"
#include "driver/form1.h"
#include "driver/platform.h"

int main() {
  auto piattaforma = scenario::piattaforma_di_sistema();
  piattaforma->mostra_attesa(std::string(scenario::contenuto_incorporato().nome_linea()),
                             scenario::kDidascaliaAttesa);

  const HWND finestra = FindWindowW(nullptr, L"BELFORTE SELVEN - MELAR");
  const HWND etichetta =
      finestra != nullptr ? FindWindowExW(finestra, nullptr, nullptr, L"Attendere") : nullptr;
  if (etichetta == nullptr) {
    std::fprintf(stderr, "wait_window_probe: no wait window with its label\n");
    return 1;
  }
  RECT client;
  GetClientRect(finestra, &client);
  MapWindowPoints(finestra, nullptr, reinterpret_cast<POINT*>(&client), 2);
  RECT label;
  GetWindowRect(etichetta, &label);

  std::FILE* out = std::fopen("attesa.txt.part", "w");
  if (out == nullptr) return 1;
  std::fprintf(out, "client %ld %ld %ld %ld\nlabel %ld %ld %ld %ld\n", client.left, client.top,
               client.right - client.left, client.bottom - client.top, label.left, label.top,
               label.right - label.left, label.bottom - label.top);
  std::fclose(out);
  std::filesystem::rename("attesa.txt.part", "attesa.txt");

  // Like the installer, the window gets no messages while it waits.
  for (int i = 0; i < 600 && !std::filesystem::exists("fatto"); ++i) Sleep(100);
  return 0;
}
