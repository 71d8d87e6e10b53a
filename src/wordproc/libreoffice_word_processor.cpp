#include "wordproc/libreoffice_word_processor.h"

#include "text/cp1251.h"
#include "text/error.h"
#include "text/file_bytes.h"
#include "text/paths.h"
#include "wordproc/helper_protocol.h"
#include "wordproc/page_normaliser.h"
#include "wordproc/word_document_check.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace quarbel {
namespace {

using Clock = std::chrono::steady_clock;

Error Failure(const char* utf8, const std::filesystem::path& path) {
  return Error(Cp1251FromUtf8(utf8) + " \"" + PathForMessage(path) + "\"");
}

} // namespace

size_t DefaultHelperMemoryLimitMB() {
  const long pages = ::sysconf(_SC_PHYS_PAGES);
  const long pageSize = ::sysconf(_SC_PAGESIZE);
  const size_t physicalMB =
      pages > 0 && pageSize > 0 ? static_cast<size_t>(pages) / 1024 * pageSize / 1024 : 0;
  return std::clamp<size_t>(physicalMB / 2, 1024, 4096);
}

LibreOfficeWordProcessor::LibreOfficeWordProcessor(HelperOptions options)
    : options_(std::move(options)) {}

LibreOfficeWordProcessor::~LibreOfficeWordProcessor() {
  quit();
}

LibreOfficeWordProcessor::Started LibreOfficeWordProcessor::Spawn() {
  std::error_code error;
  if (!std::filesystem::is_regular_file(options_.helper, error))
    throw Error(Cp1251FromUtf8("Не знайдено допоміжну програму текстового процесора \"") +
                PathForMessage(options_.helper) + Cp1251FromUtf8("\". Перевстановіть програму."));

  int pair[2];
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pair) != 0)
    throw Error(Cp1251FromUtf8("Не вдалося запустити текстовий процесор: ") +
                SystemErrorText(errno));

  // Everything the child needs is prepared before fork.
  std::vector<std::string> args = {options_.helper.string()};
  if (!options_.profiles.empty()) {
    args.push_back("--profiles");
    args.push_back(options_.profiles.string());
  }
  std::vector<char*> argv;
  for (std::string& arg : args)
    argv.push_back(arg.data());
  argv.push_back(nullptr);
  const pid_t parent = ::getpid();
  const size_t memoryMB =
      options_.memoryLimitMB ? options_.memoryLimitMB : DefaultHelperMemoryLimitMB();
  rlimit memory{};
  memory.rlim_cur = memory.rlim_max = static_cast<rlim_t>(memoryMB) * 1024 * 1024;

  const pid_t pid = ::fork();
  if (pid < 0) {
    const int err = errno;
    ::close(pair[0]);
    ::close(pair[1]);
    throw Error(Cp1251FromUtf8("Не вдалося запустити текстовий процесор: ") + SystemErrorText(err));
  }
  if (pid == 0) {
    // The helper and whatever it starts form one group, ended together, and die with us.
    ::setpgid(0, 0);
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    ::setrlimit(RLIMIT_AS, &memory);
    if (::getppid() != parent)
      ::_exit(127);
    ::dup2(pair[1], 0);
    ::dup2(pair[1], 1);
    const int null = ::open("/dev/null", O_WRONLY);
    if (null >= 0)
      ::dup2(null, 2);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  ::setpgid(pid, pid);
  ::close(pair[1]);
  pid_ = pid;
  socket_ = pair[0];
  pending_.clear();

  const std::string greeting = ReadLine(options_.startLimit);
  if (greeting == "ready")
    return Started::Ready;
  Kill();
  if (greeting.rfind("missing", 0) == 0)
    return Started::Missing;
  throw Error(Cp1251FromUtf8("Не вдалося запустити текстовий процесор: ") +
              Cp1251FromUtf8Lossy(greeting.substr(greeting.find(' ') + 1)));
}

bool LibreOfficeWordProcessor::start() {
  if (pid_ != 0)
    return true;
  if (Spawn() == Started::Missing)
    return false;
  started_ = true;
  return true;
}

std::string LibreOfficeWordProcessor::ReadLine(std::chrono::milliseconds limit) {
  const auto deadline = Clock::now() + limit;
  for (;;) {
    if (aborted_) {
      Kill();
      throw Error(Cp1251FromUtf8("Роботу текстового процесора перервано."));
    }
    if (const size_t end = pending_.find('\n'); end != std::string::npos) {
      std::string line = pending_.substr(0, end);
      pending_.erase(0, end + 1);
      return line;
    }
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) {
      Kill();
      const long long seconds = (limit.count() + 999) / 1000;
      throw Error(Cp1251FromUtf8("Текстовий процесор не відповідав ") + std::to_string(seconds) +
                  Cp1251FromUtf8(" с; його роботу завершено."));
    }
    pollfd fd{socket_, POLLIN, 0};
    const int ready = ::poll(&fd, 1, static_cast<int>(std::min<long long>(left.count(), 100)));
    if (ready < 0 && errno != EINTR) {
      Kill();
      throw Error(Cp1251FromUtf8("Зв'язок із текстовим процесором перервано."));
    }
    if (ready <= 0)
      continue;
    char buffer[4096];
    const ssize_t n = ::recv(socket_, buffer, sizeof buffer, 0);
    if (n < 0 && errno == EINTR)
      continue;
    if (n <= 0) {
      Kill();
      throw Error(Cp1251FromUtf8("Текстовий процесор несподівано завершив роботу."));
    }
    pending_.append(buffer, static_cast<size_t>(n));
  }
}

std::string LibreOfficeWordProcessor::Call(const std::string& command,
                                           std::chrono::milliseconds limit) {
  if (aborted_)
    throw Error(Cp1251FromUtf8("Роботу текстового процесора перервано."));
  if (pid_ == 0) {
    if (!started_)
      throw Error(Cp1251FromUtf8("Текстовий процесор не запущено."));
    // The helper died with an earlier document; this one gets a fresh helper.
    if (Spawn() == Started::Missing)
      throw Error(Cp1251FromUtf8("Текстовий процесор більше не доступний."));
  }
  const std::string line = command + "\n";
  size_t sent = 0;
  while (sent < line.size()) {
    const ssize_t n = ::send(socket_, line.data() + sent, line.size() - sent, MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR)
      continue;
    if (n <= 0) {
      Kill();
      throw Error(Cp1251FromUtf8("Текстовий процесор несподівано завершив роботу."));
    }
    sent += static_cast<size_t>(n);
  }
  return ReadLine(limit);
}

std::filesystem::path
LibreOfficeWordProcessor::RepairedCopy(const std::filesystem::path& document) {
  std::string folder = (std::filesystem::temp_directory_path() / "quarbel-rtf-XXXXXX").string();
  if (!::mkdtemp(folder.data()))
    throw Error(Cp1251FromUtf8("Не вдалося підготувати документ \"") + PathForMessage(document) +
                "\": " + SystemErrorText(errno));
  repairedFolder_ = folder;
  const std::filesystem::path copy = repairedFolder_ / document.filename();
  ReplaceFileBytes(copy, RepairedRtf(ReadFileBytes(document)));
  return copy;
}

void LibreOfficeWordProcessor::DropRepairedCopy() {
  if (repairedFolder_.empty())
    return;
  std::error_code ignored;
  std::filesystem::remove_all(repairedFolder_, ignored);
  repairedFolder_.clear();
}

void LibreOfficeWordProcessor::open(const std::filesystem::path& document) {
  DropRepairedCopy();
  const std::filesystem::path read = CheckWordDocumentFile(document) == WordDocumentShape::RepairRtf
                                         ? RepairedCopy(document)
                                         : document;
  const std::string reply = Call(
      "open " + EncodeHelperField(std::filesystem::absolute(read).string()), options_.callLimit);
  if (reply.rfind("error writer-ui-missing", 0) == 0)
    throw Error(Cp1251FromUtf8("Не вдалося відкрити документ \"") + PathForMessage(document) +
                Cp1251FromUtf8("\": встановлений LibreOffice Writer не має вікон, потрібних для "
                               "документів з примітками. Встановіть пакет libreoffice-writer "
                               "замість libreoffice-writer-nogui."));
  if (reply != "ok")
    throw Error(
        Cp1251FromUtf8("Не вдалося відкрити документ \"") + PathForMessage(document) +
        Cp1251FromUtf8("\": файл пошкоджений або текстовий процесор не знає його формату."));
}

void LibreOfficeWordProcessor::saveAsWebPage(const std::filesystem::path& page) {
  const std::string reply = Call(
      "save " + EncodeHelperField(std::filesystem::absolute(page).string()), options_.callLimit);
  if (reply != "ok")
    throw Failure("Не вдалося зберегти сторінку", page);
  std::vector<std::string> dropped;
  ReplaceFileBytes(page, NormaliseWebPage(ReadFileBytes(page), &dropped));
  // Pictures the page no longer shows are not left in the textbook. Only plain names of
  // files beside the page are taken, as LibreOffice writes them.
  for (const std::string& picture : dropped) {
    if (picture.empty() || picture.find('/') != std::string::npos || picture == "." ||
        picture == "..")
      continue;
    std::error_code ignored;
    std::filesystem::remove(page.parent_path() / picture, ignored);
  }
}

void LibreOfficeWordProcessor::close() {
  if (pid_ != 0)
    Call("close", options_.callLimit);
  DropRepairedCopy();
}

void LibreOfficeWordProcessor::quit() {
  started_ = false;
  DropRepairedCopy();
  if (pid_ == 0)
    return;
  if (aborted_) {
    Kill();
    return;
  }
  const std::string line = "quit\n";
  if (::send(socket_, line.data(), line.size(), MSG_NOSIGNAL) ==
      static_cast<ssize_t>(line.size())) {
    const auto deadline = Clock::now() + options_.quitLimit;
    while (Clock::now() < deadline) {
      int status = 0;
      if (::waitpid(pid_, &status, WNOHANG) == pid_) {
        ::kill(-pid_, SIGKILL); // anything the helper left in its group
        pid_ = 0;
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  }
  Kill();
}

void LibreOfficeWordProcessor::Kill() {
  if (pid_ != 0) {
    ::kill(-pid_, SIGKILL);
    ::kill(pid_, SIGKILL);
    int status = 0;
    while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    pid_ = 0;
  }
  if (socket_ >= 0) {
    ::close(socket_);
    socket_ = -1;
  }
  pending_.clear();
}

} // namespace quarbel
