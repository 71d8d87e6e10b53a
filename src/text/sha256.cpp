#include "text/sha256.h"

#include "text/cp1251.h"
#include "text/error.h"
#include "text/file_bytes.h"
#include "text/paths.h"

#include <nettle/sha2.h>

#include <cerrno>
#include <cstdio>
#include <memory>

namespace quarbel {
namespace {

std::string Hex(const uint8_t (&digest)[SHA256_DIGEST_SIZE]) {
  static const char kDigits[] = "0123456789abcdef";
  std::string hex;
  hex.reserve(2 * SHA256_DIGEST_SIZE);
  for (uint8_t byte : digest) {
    hex += kDigits[byte >> 4];
    hex += kDigits[byte & 15];
  }
  return hex;
}

} // namespace

std::string Sha256Hex(std::string_view bytes) {
  sha256_ctx context;
  sha256_init(&context);
  sha256_update(&context, bytes.size(), reinterpret_cast<const uint8_t*>(bytes.data()));
  uint8_t digest[SHA256_DIGEST_SIZE];
  sha256_digest(&context, SHA256_DIGEST_SIZE, digest);
  return Hex(digest);
}

std::string Sha256OfFile(const std::filesystem::path& file) {
  std::unique_ptr<FILE, int (*)(FILE*)> in(std::fopen(file.c_str(), "rb"), &std::fclose);
  if (!in)
    throw Error(Cp1251FromUtf8("Не вдалося прочитати файл \"") + PathForMessage(file) +
                "\": " + SystemErrorText(errno));
  sha256_ctx context;
  sha256_init(&context);
  char buffer[1 << 16];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, in.get())) > 0)
    sha256_update(&context, n, reinterpret_cast<const uint8_t*>(buffer));
  if (std::ferror(in.get()))
    throw Error(Cp1251FromUtf8("Не вдалося прочитати файл \"") + PathForMessage(file) +
                "\": " + SystemErrorText(EIO));
  uint8_t digest[SHA256_DIGEST_SIZE];
  sha256_digest(&context, SHA256_DIGEST_SIZE, digest);
  return Hex(digest);
}

} // namespace quarbel
