// The .exe as Windows sees it, read back through Windows' own calls: the
// manifest the system applies when it starts the program, the version and
// description Explorer shows in the file's properties, and the icon in
// every size Explorer draws it.
#ifndef UNICODE
#define UNICODE
#endif
#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "base/version.h"
#include "content/builtin_content.h"
#include "content/package_content.h"
#include "util/xml_test_util.h"

namespace scenario {
namespace {

using namespace test;

// The installer, beside this program in the build's bin folder.
std::wstring installatore() {
  std::wstring questo(MAX_PATH, L'\0');
  questo.resize(GetModuleFileNameW(nullptr, questo.data(), MAX_PATH));
  return questo.substr(0, questo.find_last_of(L"\\/") + 1) + L"belforte-melar-8312.exe";
}

std::string in_utf8(std::wstring_view testo) {
  std::string risultato(testo.size() * 3, '\0');
  risultato.resize(static_cast<size_t>(
      WideCharToMultiByte(CP_UTF8, 0, testo.data(), static_cast<int>(testo.size()),
                          risultato.data(), static_cast<int>(risultato.size()), nullptr, nullptr)));
  return risultato;
}

class RisorseInstallatore : public ::testing::Test {
 protected:
  void SetUp() override {
    modulo_ = LoadLibraryExW(installatore().c_str(), nullptr,
                             LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(modulo_, nullptr) << "cannot open " << in_utf8(installatore()) << ": error "
                                << GetLastError();
  }
  void TearDown() override {
    if (modulo_ != nullptr) FreeLibrary(modulo_);
  }

  // The bytes of resource `nome` of type `tipo`; empty if the .exe has none.
  std::string_view risorsa(LPCWSTR tipo, LPCWSTR nome) const {
    const HRSRC trovata = FindResourceW(modulo_, nome, tipo);
    if (trovata == nullptr) return {};
    const HGLOBAL caricata = LoadResource(modulo_, trovata);
    return {static_cast<const char*>(LockResource(caricata)),
            static_cast<size_t>(SizeofResource(modulo_, trovata))};
  }

  HMODULE modulo_ = nullptr;
};

// The first element called `nome` that has every attribute of `con`.
const ElementoXml* elemento(const EsitoXml& xml, const std::string& nome,
                            const std::map<std::string, std::string>& con = {}) {
  for (const ElementoXml& e : xml.elementi) {
    if (e.nome != nome) continue;
    bool tutti = true;
    for (const auto& [attributo, valore] : con) {
      const auto it = e.attributi.find(attributo);
      tutti = tutti && it != e.attributi.end() && it->second == valore;
    }
    if (tutti) return &e;
  }
  return nullptr;
}

TEST_F(RisorseInstallatore, TheManifestRunsItWithThePlayersRightsSharpOnEveryScreen) {
  const std::string_view manifesto = risorsa(RT_MANIFEST, MAKEINTRESOURCEW(1));
  ASSERT_FALSE(manifesto.empty()) << "no manifest the system reads at start";
  const EsitoXml xml = controlla_xml(manifesto);
  ASSERT_TRUE(xml.ok()) << xml.errore;

  EXPECT_NE(
      elemento(xml, "requestedExecutionLevel", {{"level", "asInvoker"}, {"uiAccess", "false"}}),
      nullptr);
  const ElementoXml* dpi = elemento(xml, "dpiAware");
  ASSERT_NE(dpi, nullptr);
  EXPECT_EQ(dpi->testo, "true/pm");
  const ElementoXml* consapevolezza = elemento(xml, "dpiAwareness");
  ASSERT_NE(consapevolezza, nullptr);
  EXPECT_EQ(consapevolezza->testo.rfind("PerMonitorV2", 0), 0u) << consapevolezza->testo;
  EXPECT_NE(elemento(xml, "assemblyIdentity",
                     {{"name", "Microsoft.Windows.Common-Controls"},
                      {"version", "6.0.0.0"},
                      {"publicKeyToken", "6595b64144ccf1df"}}),
            nullptr);

  // Vista, 7, 8, 8.1, and 10 and 11.
  std::set<std::string> sistemi;
  for (const ElementoXml& e : xml.elementi) {
    if (e.nome == "supportedOS") sistemi.insert(e.attributi.at("Id"));
  }
  EXPECT_EQ(sistemi,
            (std::set<std::string>{
                "{e2011457-1546-43c5-a5fe-008deee3d3f0}", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
                "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
                "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}));

  ASSERT_FALSE(xml.elementi.empty());
  ASSERT_EQ(xml.elementi[1].nome, "assemblyIdentity");  // the program's own, under the root
  EXPECT_EQ(xml.elementi[1].attributi.at("version"), std::string(kVersione) + ".0");
}

TEST_F(RisorseInstallatore, TheVersionResourceDescribesItInItalianWithTheProjectsVersion) {
  const std::wstring nome = installatore();
  const DWORD dimensione = GetFileVersionInfoSizeW(nome.c_str(), nullptr);
  ASSERT_GT(dimensione, 0u) << "no version resource";
  std::vector<char> dati(dimensione);
  ASSERT_TRUE(GetFileVersionInfoW(nome.c_str(), 0, dimensione, dati.data()));

  struct Traduzione {
    WORD lingua;
    WORD codifica;
  }* traduzione = nullptr;
  UINT lunghezza = 0;
  ASSERT_TRUE(VerQueryValueW(dati.data(), L"\\VarFileInfo\\Translation",
                             reinterpret_cast<void**>(&traduzione), &lunghezza));
  ASSERT_GE(lunghezza, sizeof(Traduzione));
  EXPECT_EQ(traduzione->lingua, 0x0410);  // Italian
  EXPECT_EQ(traduzione->codifica, 1200);  // Unicode

  const ContenutoPacchetto& contenuto = contenuto_incorporato();
  const std::string prodotto =
      std::string(contenuto.nome_linea()) + ", treno " + std::string(contenuto.numero_treno());
  const struct {
    const wchar_t* campo;
    std::string atteso;
  } campi[] = {
      {L"ProductName", prodotto},
      {L"FileDescription", "Installazione dello scenario " + prodotto},
      {L"FileVersion", kVersione},
      {L"ProductVersion", kVersione},
      {L"OriginalFilename", "belforte-melar-8312.exe"},
  };
  for (const auto& campo : campi) {
    wchar_t* valore = nullptr;
    const std::wstring chiave = std::wstring(L"\\StringFileInfo\\041004B0\\") + campo.campo;
    ASSERT_TRUE(
        VerQueryValueW(dati.data(), chiave.c_str(), reinterpret_cast<void**>(&valore), &lunghezza))
        << in_utf8(campo.campo);
    EXPECT_EQ(in_utf8(valore), campo.atteso) << in_utf8(campo.campo);
  }

  VS_FIXEDFILEINFO* fissa = nullptr;
  ASSERT_TRUE(VerQueryValueW(dati.data(), L"\\", reinterpret_cast<void**>(&fissa), &lunghezza));
  EXPECT_EQ(fissa->dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(HIWORD(fissa->dwFileVersionMS), kVersioneMaggiore);
  EXPECT_EQ(LOWORD(fissa->dwFileVersionMS), kVersioneMinore);
  EXPECT_EQ(HIWORD(fissa->dwFileVersionLS), kVersioneCorrezione);
  EXPECT_EQ(fissa->dwProductVersionMS, fissa->dwFileVersionMS);
  EXPECT_EQ(fissa->dwProductVersionLS, fissa->dwFileVersionLS);
  EXPECT_EQ(fissa->dwFileType, static_cast<DWORD>(VFT_APP));
}

// The first icon group is the one Explorer shows. Each of its images must be
// one Windows can make an icon of, at its own size.
TEST_F(RisorseInstallatore, TheIconComesInEverySizeExplorerDraws) {
  LPWSTR primo = nullptr;
  EnumResourceNamesW(
      modulo_, RT_GROUP_ICON,
      [](HMODULE, LPCWSTR, LPWSTR nome, LONG_PTR dove) -> BOOL {
        *reinterpret_cast<LPWSTR*>(dove) = nome;
        return FALSE;  // the first is enough
      },
      reinterpret_cast<LONG_PTR>(&primo));
  ASSERT_NE(primo, nullptr) << "no icon";
  const std::string_view gruppo = risorsa(RT_GROUP_ICON, primo);
  ASSERT_GE(gruppo.size(), 6u);

  for (const int lato : {16, 24, 32, 48, 256}) {
    SCOPED_TRACE(lato);
    const int id =
        LookupIconIdFromDirectoryEx(reinterpret_cast<PBYTE>(const_cast<char*>(gruppo.data())), TRUE,
                                    lato, lato, LR_DEFAULTCOLOR);
    ASSERT_NE(id, 0);
    const std::string_view immagine = risorsa(RT_ICON, MAKEINTRESOURCEW(id));
    ASSERT_FALSE(immagine.empty());
    const HICON icona = CreateIconFromResourceEx(
        reinterpret_cast<PBYTE>(const_cast<char*>(immagine.data())),
        static_cast<DWORD>(immagine.size()), TRUE, 0x00030000, lato, lato, LR_DEFAULTCOLOR);
    ASSERT_NE(icona, nullptr);
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(icona, &info));
    BITMAP colori = {};
    GetObjectW(info.hbmColor, sizeof colori, &colori);
    EXPECT_EQ(colori.bmWidth, lato);
    EXPECT_EQ(colori.bmHeight, lato);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icona);
  }

  // And as the shell takes it from the file.
  HICON grande = nullptr;
  HICON piccola = nullptr;
  EXPECT_EQ(ExtractIconExW(installatore().c_str(), 0, &grande, &piccola, 1), 2u);
  EXPECT_NE(grande, nullptr);
  EXPECT_NE(piccola, nullptr);
  if (grande != nullptr) DestroyIcon(grande);
  if (piccola != nullptr) DestroyIcon(piccola);
}

}  // namespace
}  // namespace scenario
