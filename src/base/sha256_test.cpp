#include "base/sha256.h"

#include <gtest/gtest.h>

#include <string>

namespace scenario {
namespace {

std::string in_esadecimale(const ImprontaSha256& impronta) {
  static constexpr char kCifre[] = "0123456789abcdef";
  std::string testo;
  for (const uint8_t byte : impronta) {
    testo += kCifre[byte >> 4];
    testo += kCifre[byte & 0xf];
  }
  return testo;
}

// The published test vectors: the empty message, one block, messages whose
// padding does and does not fit in their last block, and a million bytes.
TEST(Sha256, GivesThePublishedDigests) {
  const struct {
    std::string messaggio;
    const char* impronta;
  } casi[] = {
      {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
      {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
      {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
       "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
      {"abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqrlm"
       "nopqrsmnopqrstnopqrstu",
       "cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1"},
      {std::string(1000000, 'a'),
       "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
  };
  for (const auto& caso : casi) {
    EXPECT_EQ(in_esadecimale(sha256(caso.messaggio)), caso.impronta)
        << caso.messaggio.size() << " bytes";
  }
}

// The digest must not depend on how the message is cut into pieces: every
// length around the block's 64 bytes and the padding's 56, fed in pieces of
// every size from 1 to 70 bytes.
TEST(Sha256, PiecesGiveTheDigestOfTheWhole) {
  std::string messaggio;
  for (int i = 0; i < 200; ++i) messaggio += static_cast<char>(i * 37 + 11);
  for (const size_t lunghezza : {size_t{55}, size_t{56}, size_t{63}, size_t{64}, size_t{65},
                                 size_t{119}, size_t{120}, size_t{128}, size_t{200}}) {
    const std::string_view intero = std::string_view(messaggio).substr(0, lunghezza);
    const ImprontaSha256 attesa = sha256(intero);
    for (size_t pezzo = 1; pezzo <= 70; ++pezzo) {
      Sha256 sha;
      for (size_t da = 0; da < intero.size(); da += pezzo) sha.aggiungi(intero.substr(da, pezzo));
      ASSERT_EQ(sha.concludi(), attesa) << lunghezza << " bytes in pieces of " << pezzo;
    }
  }
}

}  // namespace
}  // namespace scenario
