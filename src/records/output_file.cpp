#include "records/output_file.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace rqo {

namespace {

constexpr std::size_t kBufferSize = 64 * 1024;
constexpr std::string_view kRecordEnd = "\r\n";

// Writes all of `data`; false with errno set when the system refuses.
bool write_all(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t written = ::write(fd, data, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

std::string describe(std::string_view action, const std::string& name, int error) {
  std::string text(action);
  text += " \"";
  text += name;
  text += "\": ";
  text += std::strerror(error);
  return text;
}

}  // namespace

struct OutputFile::State {
  int fd = -1;
  std::size_t used = 0;
  char buffer[kBufferSize];

  // Writes out the buffer; on failure returns errno (the buffer is dropped either way).
  int drain() {
    const bool ok = write_all(fd, buffer, used);
    used = 0;
    return ok ? 0 : errno;
  }
};

OutputFile::OutputFile(ErrorPolicy& policy) : policy_(policy) {}

OutputFile::~OutputFile() {
  if (!is_open()) return;
  state_->drain();
  ::close(state_->fd);
}

bool OutputFile::is_open() const {
  return state_ && state_->fd >= 0;
}

void OutputFile::create(const std::string& name) {
  if (is_open()) close();
  name_ = name;
  if (!state_) state_ = std::make_unique<State>();
  state_->used = 0;
  state_->fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (state_->fd < 0)
    policy_.report(Condition::CreateFailed, describe("cannot create", name, errno));
}

void OutputFile::write_record(std::string_view record) {
  if (!is_open()) {
    policy_.report(Condition::WriteFailed, describe("cannot write", name_, EBADF));
    return;
  }
  State& s = *state_;
  const std::size_t size = record.size() + kRecordEnd.size();
  if (s.used + size > kBufferSize) {
    if (const int error = s.drain(); error != 0) return fail_write(error);
  }
  if (size > kBufferSize) {
    // A record longer than the buffer goes straight out.
    if (!write_all(s.fd, record.data(), record.size()) ||
        !write_all(s.fd, kRecordEnd.data(), kRecordEnd.size())) {
      return fail_write(errno);
    }
    return;
  }
  std::memcpy(s.buffer + s.used, record.data(), record.size());
  std::memcpy(s.buffer + s.used + record.size(), kRecordEnd.data(), kRecordEnd.size());
  s.used += size;
}

void OutputFile::close() {
  if (!is_open()) return;
  const int drain_error = state_->drain();
  const int close_error = ::close(state_->fd) == 0 ? 0 : errno;
  state_->fd = -1;
  const int error = drain_error != 0 ? drain_error : close_error;
  if (error != 0) policy_.report(Condition::WriteFailed, describe("cannot write", name_, error));
}

void OutputFile::fail_write(int error) {
  // Nothing more is attempted on a file that failed; the report ends the program.
  ::close(state_->fd);
  state_->fd = -1;
  policy_.report(Condition::WriteFailed, describe("cannot write", name_, error));
}

}  // namespace rqo
