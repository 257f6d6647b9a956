#include "records/input_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "records/io_status.hpp"
#include "records/line_break_search.hpp"

namespace rqo {

namespace {

constexpr std::size_t kDefaultBlockSize = 64 * 1024;

}  // namespace

struct InputFile::State {
  explicit State(std::size_t block_size) : block(block_size > 0 ? block_size : 1) {}

  // Refills the block from the file. Returns the number of bytes now available, 0 at the end
  // of the file, -1 when the system fails (errno set).
  long refill() {
    start = 0;
    end = 0;
    for (;;) {
      const ssize_t got = ::read(fd, block.data(), block.size());
      if (got >= 0) {
        end = static_cast<std::size_t>(got);
        return static_cast<long>(got);
      }
      if (errno != EINTR) return -1;
    }
  }

  int fd = -1;
  std::vector<char> block;
  std::size_t start = 0;  // first unread byte of the block
  std::size_t end = 0;    // one past the last valid byte of the block
  std::string joined;     // the kept text of a record that spans blocks (capacity reused)
};

InputFile::InputFile() : InputFile(kDefaultBlockSize) {}

InputFile::InputFile(std::size_t block_size) : state_(std::make_unique<State>(block_size)) {}

InputFile::~InputFile() {
  close();
}

bool InputFile::open(const std::string& name) {
  close();
  int fd;
  do {
    fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return false;
  struct stat info;
  if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
    ::close(fd);
    errno = EISDIR;
    return false;
  }
  state_->fd = fd;
  state_->start = state_->end = 0;
  name_ = name;
  record_number_ = 0;
  return true;
}

bool InputFile::is_open() const {
  return state_->fd >= 0;
}

int InputFile::read_record(std::string_view& text, std::size_t keep) {
  State& s = *state_;
  if (s.fd < 0) {
    errno = EBADF;
    return kStatusReadError;
  }
  // `kept` counts the characters taken so far; once a CR is met or `keep` is reached the text
  // is closed and the rest of the record is only skipped.
  bool spans_blocks = false;
  bool text_closed = keep == 0;
  bool record_started = false;
  std::size_t kept = 0;
  for (;;) {
    if (s.start == s.end) {
      const long got = s.refill();
      if (got < 0) return kStatusReadError;
      if (got == 0) {
        if (!record_started) return kStatusEnd;
        ++record_number_;  // a last line without a line break
        text = std::string_view(s.joined.data(), kept);
        return kStatusOk;
      }
    }
    record_started = true;
    const char* base = s.block.data() + s.start;
    const std::size_t available = s.end - s.start;
    if (!spans_blocks) {
      // The common case: the whole record lies in the block. One pass finds the end of its
      // text (the first CR or LF); a CR is nearly always followed by the LF at once.
      const char* block_end = base + available;
      const char* stop = find_line_break(base, block_end);
      const char* record_end = stop;
      if (stop != block_end && *stop == '\r') {
        record_end = stop + 1 != block_end && stop[1] == '\n'
                         ? stop + 1
                         : static_cast<const char*>(
                               std::memchr(stop, '\n', static_cast<std::size_t>(block_end - stop)));
        if (record_end == nullptr) record_end = block_end;
      }
      if (record_end != block_end) {
        const auto text_length = static_cast<std::size_t>(stop - base);
        s.start += static_cast<std::size_t>(record_end - base) + 1;
        ++record_number_;
        text = std::string_view(base, text_length < keep ? text_length : keep);
        return kStatusOk;
      }
    }
    const void* lf = std::memchr(base, '\n', available);
    const std::size_t length =
        lf != nullptr ? static_cast<std::size_t>(static_cast<const char*>(lf) - base) : available;
    std::size_t take = 0;
    if (!text_closed) {
      take = length < keep - kept ? length : keep - kept;
      if (const void* cr = std::memchr(base, '\r', take)) {
        take = static_cast<std::size_t>(static_cast<const char*>(cr) - base);
        text_closed = true;
      }
      if (kept + take == keep) text_closed = true;
    }
    if (lf != nullptr && !spans_blocks) {
      // The whole record lies in the block: the text is a view into it.
      s.start += length + 1;
      ++record_number_;
      text = std::string_view(base, take);
      return kStatusOk;
    }
    if (!spans_blocks) {
      spans_blocks = true;
      s.joined.clear();
    }
    s.joined.append(base, take);
    kept += take;
    if (lf != nullptr) {
      s.start += length + 1;
      ++record_number_;
      text = std::string_view(s.joined.data(), kept);
      return kStatusOk;
    }
    s.start = s.end;
  }
}

void InputFile::rewind() {
  State& s = *state_;
  s.start = s.end = 0;
  record_number_ = 0;
  if (s.fd >= 0) ::lseek(s.fd, 0, SEEK_SET);
}

void InputFile::close() {
  State& s = *state_;
  if (s.fd >= 0) {
    ::close(s.fd);
    s.fd = -1;
  }
  s.start = s.end = 0;
  record_number_ = 0;
}

bool file_exists(const std::string& name) {
  struct stat info;
  return ::stat(name.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

}  // namespace rqo
