// The Windows platform layer, on a real (virtual) display: the wait window's
// layout and font as the system reports them, and the message box's buttons,
// icon and title.
#ifndef UNICODE
#define UNICODE
#endif
#include "driver/platform_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "driver/platform.h"

namespace scenario::win32 {
namespace {

TEST(PlatformWin32, TwipsAndPointsBecomeWholePixelsAtTheScreensDpi) {
  struct Caso {
    int misura, dpi, unita, pixel;
  };
  const Caso casi[] = {
      {4200, 96, 1440, 280}, {2688, 96, 1440, 179},  {960, 96, 1440, 64},    {2652, 96, 1440, 177},
      {792, 96, 1440, 53},   {4200, 120, 1440, 350}, {2688, 144, 1440, 269}, {2652, 144, 1440, 265},
      {24, 96, 72, 32},      {24, 120, 72, 40},      {0, 96, 1440, 0},
  };
  for (const Caso& caso : casi) {
    EXPECT_EQ(in_pixel(caso.misura, caso.dpi, caso.unita), caso.pixel)
        << caso.misura << " at " << caso.dpi << " dpi";
  }
}

TEST(PlatformWin32, TheFolderIsThePathBeforeTheProgramsNameInUtf8) {
  struct Caso {
    const wchar_t* programma;
    std::string cartella;
  };
  const Caso casi[] = {
      {L"C:\\Giochi\\Treni\\belforte-melar-8312.exe", "C:\\Giochi\\Treni"},
      {L"C:\\belforte-melar-8312.exe", "C:\\"},  // a drive root keeps its separator
      {L"\\\\?\\C:\\belforte-melar-8312.exe", "\\\\?\\C:\\"},
      {L"\\\\?\\D:\\Treni\\belforte-melar-8312.exe", "\\\\?\\D:\\Treni"},
      {L"\\\\server\\giochi\\belforte-melar-8312.exe", "\\\\server\\giochi"},
      {L"Z:\\home\\Citt\u00e0 \u00e8 qui\\x.exe", "Z:\\home\\Citt\xc3\xa0 \xc3\xa8 qui"},
      {L"belforte-melar-8312.exe", ""},
      {L"Z:\\bad\xd800name\\x.exe", ""},  // a lone surrogate has no UTF-8 form
  };
  for (const Caso& caso : casi) EXPECT_EQ(cartella_di(caso.programma), caso.cartella);
}

TEST(PlatformWin32, Utf8ConvertsBothWaysAndRefusesBrokenText) {
  EXPECT_EQ(da_utf8("Citt\xc3\xa0"), L"Citt\u00e0");
  EXPECT_EQ(in_utf8(L"Citt\u00e0"), "Citt\xc3\xa0");
  EXPECT_EQ(da_utf8("Citt\xe0"), L"");  // Windows-1252, not UTF-8
  EXPECT_EQ(da_utf8(""), L"");
}

RECT rettangolo_nel_client(HWND finestra, HWND figlio) {
  RECT r;
  GetWindowRect(figlio, &r);
  MapWindowPoints(nullptr, finestra, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

TEST(PlatformWin32, TheWaitWindowHasTheLabelInPlaceInItsFontAndNothingElse) {
  auto piattaforma = piattaforma_di_sistema();
  piattaforma->mostra_attesa("Prova dell'attesa", "Attendere");

  const HWND finestra = FindWindowW(nullptr, L"Prova dell'attesa");
  ASSERT_NE(finestra, nullptr) << "no wait window: is there a display?";
  EXPECT_TRUE(IsWindowVisible(finestra));
  const LONG stile = GetWindowLongW(finestra, GWL_STYLE);
  EXPECT_TRUE(stile & WS_CAPTION);
  EXPECT_FALSE(stile & (WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));

  const HDC schermo = GetDC(nullptr);
  const int dpi_x = GetDeviceCaps(schermo, LOGPIXELSX);
  const int dpi_y = GetDeviceCaps(schermo, LOGPIXELSY);
  ReleaseDC(nullptr, schermo);

  RECT client;
  GetClientRect(finestra, &client);
  EXPECT_EQ(client.right, in_pixel(4200, dpi_x));
  EXPECT_EQ(client.bottom, in_pixel(2688, dpi_y));

  std::vector<HWND> figli;
  EnumChildWindows(
      finestra,
      [](HWND figlio, LPARAM l) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(l)->push_back(figlio);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&figli));
  ASSERT_EQ(figli.size(), 1u) << "the label and nothing else";
  const HWND etichetta = figli[0];

  wchar_t testo[64] = {};
  GetWindowTextW(etichetta, testo, 64);
  EXPECT_STREQ(testo, L"Attendere");
  const RECT posto = rettangolo_nel_client(finestra, etichetta);
  EXPECT_EQ(posto.left, in_pixel(960, dpi_x));
  EXPECT_EQ(posto.top, in_pixel(960, dpi_y));
  EXPECT_EQ(posto.right - posto.left, in_pixel(2652, dpi_x));
  EXPECT_EQ(posto.bottom - posto.top, in_pixel(792, dpi_y));

  const auto carattere = reinterpret_cast<HFONT>(SendMessageW(etichetta, WM_GETFONT, 0, 0));
  ASSERT_NE(carattere, nullptr);
  LOGFONTW descrizione = {};
  ASSERT_NE(GetObjectW(carattere, sizeof descrizione, &descrizione), 0);
  EXPECT_STREQ(descrizione.lfFaceName, L"MS Sans Serif");
  EXPECT_EQ(descrizione.lfHeight, -in_pixel(24, dpi_y, 72));  // 24 points
  EXPECT_EQ(descrizione.lfWeight, 700);
  EXPECT_EQ(descrizione.lfCharSet, 0);
  EXPECT_FALSE(descrizione.lfItalic);

  // Shown for the rest of the run: a second call does not make a second window.
  piattaforma->mostra_attesa("Prova dell'attesa", "Attendere");
  EXPECT_EQ(FindWindowExW(nullptr, finestra, nullptr, L"Prova dell'attesa"), nullptr);
}

// What a message box of this process showed, read from its dialog window.
struct FinestraMessaggio {
  std::wstring titolo;
  std::wstring testo;
  std::vector<int> pulsanti;  // the ids of its visible buttons
  bool icona = false;
};

// Waits for the process's message box, reads it and presses OK.
FinestraMessaggio leggi_e_chiudi_messaggio() {
  FinestraMessaggio letto;
  const auto limite = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  HWND scatola = nullptr;
  while (scatola == nullptr && std::chrono::steady_clock::now() < limite) {
    for (HWND w = FindWindowW(L"#32770", nullptr); w != nullptr;
         w = FindWindowExW(nullptr, w, L"#32770", nullptr)) {
      DWORD processo = 0;
      GetWindowThreadProcessId(w, &processo);
      if (processo == GetCurrentProcessId() && IsWindowVisible(w)) scatola = w;
    }
    if (scatola == nullptr) std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  if (scatola == nullptr) return letto;

  wchar_t buffer[256] = {};
  GetWindowTextW(scatola, buffer, 256);
  letto.titolo = buffer;
  for (HWND figlio = GetWindow(scatola, GW_CHILD); figlio != nullptr;
       figlio = GetWindow(figlio, GW_HWNDNEXT)) {
    if (!IsWindowVisible(figlio)) continue;
    wchar_t classe[32] = {};
    GetClassNameW(figlio, classe, 32);
    const LONG stile = GetWindowLongW(figlio, GWL_STYLE);
    if (lstrcmpiW(classe, L"Button") == 0) {
      letto.pulsanti.push_back(GetDlgCtrlID(figlio));
    } else if (lstrcmpiW(classe, L"Static") == 0 && (stile & SS_TYPEMASK) == SS_ICON) {
      letto.icona = SendMessageW(figlio, STM_GETICON, 0, 0) != 0;
    } else if (lstrcmpiW(classe, L"Static") == 0) {
      GetWindowTextW(figlio, buffer, 256);
      letto.testo = buffer;
    }
  }
  PostMessageW(scatola, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  return letto;
}

TEST(PlatformWin32, TheMessageBoxHasOnlyOkNoIconAndTheDefaultTitle) {
  auto piattaforma = piattaforma_di_sistema();
  FinestraMessaggio letto;
  std::thread lettore([&letto] { letto = leggi_e_chiudi_messaggio(); });
  piattaforma->mostra_messaggio(" Errore n. 1250 \xe2\x80\x94 citt\xc3\xa0");  // returns on OK
  lettore.join();

  EXPECT_EQ(letto.testo, L" Errore n. 1250 \u2014 citt\u00e0");
  EXPECT_EQ(letto.pulsanti, std::vector<int>{IDOK});
  EXPECT_FALSE(letto.icona);
  EXPECT_EQ(letto.titolo, L"Error");  // the system's own, under an English locale
}

}  // namespace
}  // namespace scenario::win32
