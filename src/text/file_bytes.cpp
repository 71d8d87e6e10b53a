#include "text/file_bytes.h"

#include "text/cp1251.h"
#include "text/error.h"
#include "text/paths.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quarbel {
namespace {

[[noreturn]] void Fail(const char* whatUtf8, const std::filesystem::path& path, int err) {
  throw Error(Cp1251FromUtf8(whatUtf8) + " \"" + PathForMessage(path) +
              "\": " + SystemErrorText(err));
}

// Writes all of `bytes` to `fd`; false with errno set on failure.
bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR)
        continue;
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

constexpr const char* kCannotRead = "Не вдалося прочитати файл";
constexpr const char* kCannotWrite = "Не вдалося записати файл";

} // namespace

std::string SystemErrorText(int err) {
  const char* text = nullptr;
  switch (err) {
  case ENOENT: text = "файл або папку не знайдено"; break;
  case EACCES:
  case EPERM: text = "немає доступу"; break;
  case ENOSPC: text = "на диску немає вільного місця"; break;
  case EDQUOT: text = "вичерпано дискову квоту"; break;
  case EROFS: text = "диск доступний лише для читання"; break;
  case EISDIR: text = "це папка, а не файл"; break;
  case ENOTDIR: text = "частина шляху не є папкою"; break;
  case ENAMETOOLONG: text = "задовга назва файлу"; break;
  case EIO: text = "помилка введення-виведення"; break;
  case EBUSY:
  case ETXTBSY: text = "файл зайнятий іншою програмою"; break;
  case EFBIG: text = "файл перевищує дозволений розмір"; break;
  case ELOOP: text = "забагато символьних посилань у шляху"; break;
  case ENOMEM: text = "недостатньо пам'яті"; break;
  case EEXIST: text = "файл уже існує"; break;
  case ENOTEMPTY: text = "папка не порожня"; break;
  case EXDEV: text = "файл не можна перемістити на інший диск"; break;
  case EMFILE:
  case ENFILE: text = "відкрито забагато файлів"; break;
  case EINVAL: text = "неприпустиме значення"; break;
  default: break;
  }
  if (text)
    return Cp1251FromUtf8(text);
  // No English reaches the teacher: the number tells a helper what happened.
  return Cp1251FromUtf8("системна помилка ") + std::to_string(err);
}

std::string ReadFileBytes(const std::filesystem::path& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0)
    Fail(kCannotRead, path, errno);
  struct stat st {};
  if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd);
    Fail(kCannotRead, path, EISDIR);
  }
  std::string bytes;
  if (st.st_size > 0)
    bytes.reserve(static_cast<size_t>(st.st_size));
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR)
        continue;
      const int err = errno;
      ::close(fd);
      Fail(kCannotRead, path, err);
    }
    if (n == 0)
      break;
    bytes.append(buffer, static_cast<size_t>(n));
  }
  ::close(fd);
  return bytes;
}

void WriteFileBytes(const std::filesystem::path& path, std::string_view bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0)
    Fail(kCannotWrite, path, errno);
  const bool ok = WriteAll(fd, bytes);
  const int err = errno;
  if (::close(fd) != 0 || !ok)
    Fail(kCannotWrite, path, ok ? errno : err);
}

void CopyFileBytes(const std::filesystem::path& from, const std::filesystem::path& to) {
  const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0)
    Fail(kCannotRead, from, errno);
  const int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (out < 0) {
    const int err = errno;
    ::close(in);
    Fail(kCannotWrite, to, err);
  }
  char buffer[1 << 16];
  for (;;) {
    const ssize_t n = ::read(in, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR)
      continue;
    if (n < 0) {
      const int err = errno;
      ::close(in);
      ::close(out);
      Fail(kCannotRead, from, err);
    }
    if (n == 0)
      break;
    if (!WriteAll(out, std::string_view(buffer, static_cast<size_t>(n)))) {
      const int err = errno;
      ::close(in);
      ::close(out);
      Fail(kCannotWrite, to, err);
    }
  }
  ::close(in);
  if (::close(out) != 0)
    Fail(kCannotWrite, to, errno);
}

void ReplaceFileBytes(const std::filesystem::path& path, std::string_view bytes) {
  static std::atomic<unsigned> counter{0};
  const std::filesystem::path folder =
      path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");

  struct stat old {};
  const bool existed = ::stat(path.c_str(), &old) == 0;
  if (existed && S_ISDIR(old.st_mode))
    Fail(kCannotWrite, path, EISDIR);

  std::filesystem::path temp;
  int fd = -1;
  for (int attempt = 0; fd < 0; ++attempt) {
    temp = folder /
           (".quarbel-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".tmp");
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && (errno != EEXIST || attempt > 100))
      Fail(kCannotWrite, path, errno);
  }

  bool ok = WriteAll(fd, bytes);
  if (ok && existed)
    ok = ::fchmod(fd, old.st_mode & 07777) == 0;
  if (ok)
    ok = ::fsync(fd) == 0;
  int err = ok ? 0 : errno;
  if (::close(fd) != 0 && ok) {
    ok = false;
    err = errno;
  }
  if (ok && ::rename(temp.c_str(), path.c_str()) != 0) {
    ok = false;
    err = errno;
  }
  if (!ok) {
    ::unlink(temp.c_str());
    Fail(kCannotWrite, path, err);
  }
}

} // namespace quarbel
