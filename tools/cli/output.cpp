#include "output.hpp"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

namespace vorn_cli {
namespace {

bool err_write_failed = false;

[[noreturn]] void out_failed(int error) {
  throw WriteError(error != 0 ? std::strerror(error) : "write error");
}

}  // namespace

void hold_closed_standard_streams() {
#ifndef _WIN32
  for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
    if (fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    const int held = open("/dev/null", fd == STDIN_FILENO ? O_WRONLY : O_RDONLY);
    if (held != -1 && held != fd) {
      dup2(held, fd);
      close(held);
    }
  }
#endif
}

void write_out(std::string_view text) {
  if (text.empty()) return;
  errno = 0;
  if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::ferror(stdout)) {
    out_failed(errno);
  }
}

void finish_out() {
  errno = 0;
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) out_failed(errno);
}

void write_err(std::string_view line) {
  std::string text = "vorn: ";
  text += line;
  text += '\n';
  if (std::fwrite(text.data(), 1, text.size(), stderr) != text.size() || std::fflush(stderr) != 0 ||
      std::ferror(stderr)) {
    err_write_failed = true;
    std::clearerr(stderr);
  }
}

bool err_failed() { return err_write_failed; }

}  // namespace vorn_cli
