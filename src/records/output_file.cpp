#include "records/output_file.hpp"

#include <cerrno>
#include <cstring>

#include "records/aligned_block.hpp"

namespace rqo {

namespace {

constexpr std::size_t kBufferSize = 64 * 1024;
constexpr std::string_view kRecordEnd = "\r\n";

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
  alignas(kIoAlignment) char buffer[kBufferSize];  // page-aligned: the kernel copies it fastest
  std::unique_ptr<ByteSink> sink;                  // null while no file is open
  std::size_t used = 0;

  // Writes out the buffer; on failure returns errno (the buffer is dropped either way).
  int drain() {
    const bool ok = sink->write(buffer, used);
    used = 0;
    return ok ? 0 : errno;
  }
};

OutputFile::OutputFile(ErrorPolicy& policy, FileSystem& files) : policy_(policy), files_(files) {}

OutputFile::~OutputFile() {
  if (!is_open()) return;
  state_->drain();
  state_->sink->close();
}

bool OutputFile::is_open() const {
  return state_ && state_->sink;
}

void OutputFile::create(const std::string& name) {
  if (is_open()) close();
  name_ = name;
  // The buffer is written before it is read: no need to clear its 64 KiB.
  if (!state_) state_ = std::make_unique_for_overwrite<State>();
  state_->used = 0;
  state_->sink = files_.create_for_writing(name);
  if (!state_->sink)
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
    if (!s.sink->write(record.data(), record.size()) ||
        !s.sink->write(kRecordEnd.data(), kRecordEnd.size())) {
      return fail_write(errno);
    }
    return;
  }
  std::memcpy(s.buffer + s.used, record.data(), record.size());
  std::memcpy(s.buffer + s.used + record.size(), kRecordEnd.data(), kRecordEnd.size());
  s.used += size;
}

void OutputFile::flush() {
  if (!is_open() || state_->used == 0) return;
  if (const int error = state_->drain(); error != 0) fail_write(error);
}

void OutputFile::close() {
  if (!is_open()) return;
  const int drain_error = state_->drain();
  const int close_error = state_->sink->close() ? 0 : errno;
  state_->sink.reset();
  const int error = drain_error != 0 ? drain_error : close_error;
  if (error != 0) policy_.report(Condition::WriteFailed, describe("cannot write", name_, error));
}

void OutputFile::fail_write(int error) {
  // Nothing more is attempted on a file that failed; the report ends the program.
  state_->sink->close();
  state_->sink.reset();
  policy_.report(Condition::WriteFailed, describe("cannot write", name_, error));
}

}  // namespace rqo
