#include "records/input_file.hpp"

#include <cerrno>
#include <cstring>
#include <memory>

#include "records/io_status.hpp"
#include "records/line_break_search.hpp"

namespace rqo {

namespace {

constexpr std::size_t kDefaultBlockSize = 64 * 1024;

}  // namespace

struct InputFile::State {
  // The block has room for a whole last chunk of the line-break finder after its capacity.
  explicit State(std::size_t block_size)
      : capacity(block_size > 0 ? block_size : 1),
        // Only bytes read into the block are looked at, so it need not be cleared.
        block(std::make_unique_for_overwrite<char[]>(capacity + LineBreakFinder::kChunk)) {}

  // Refills the block from the file. Returns the number of bytes now available, 0 at the end
  // of the file, -1 when the system fails (errno set).
  long refill() {
    start = 0;
    end = 0;
    const long got = source->read(block.get(), capacity);
    at_file_start = false;
    if (got >= 0) {
      end = static_cast<std::size_t>(got);
      breaks.reset(block.get(), end);
    }
    return got;
  }

  // The common case: when the record at `start` lies wholly in the block, views its kept
  // text, moves past it and returns true. Its text ends at the first CR or LF, the record at
  // the first LF (nearly always right after a CR).
  bool take_record_in_block(std::string_view& text, std::size_t keep) {
    const std::size_t stop = breaks.next(start);
    std::size_t record_end = stop;
    if (stop < end && block[stop] == '\r') {
      record_end = stop + 1;
      while (record_end < end && block[record_end] != '\n')
        record_end = breaks.next(record_end + 1);
    }
    if (record_end >= end) return false;
    const std::size_t text_length = stop - start;
    text = std::string_view(block.get() + start, text_length < keep ? text_length : keep);
    start = record_end + 1;
    return true;
  }

  std::unique_ptr<ByteSource> source;  // null while no file is open
  std::size_t capacity;                // bytes read into the block at a time
  std::unique_ptr<char[]> block;
  LineBreakFinder breaks;      // the CR and LF bytes of the block's valid bytes
  bool at_file_start = false;  // nothing read since the open or the last rewind
  std::size_t start = 0;       // first unread byte of the block
  std::size_t end = 0;         // one past the last valid byte of the block
  std::string joined;          // the kept text of a record that spans blocks (capacity reused)
};

InputFile::InputFile(FileSystem& files) : InputFile(kDefaultBlockSize, files) {}

InputFile::InputFile(std::size_t block_size, FileSystem& files)
    : state_(std::make_unique<State>(block_size)), files_(files) {}

InputFile::~InputFile() {
  close();
}

bool InputFile::open(const std::string& name) {
  close();
  state_->source = files_.open_for_reading(name);
  if (!state_->source) return false;
  state_->at_file_start = true;
  state_->start = state_->end = 0;
  name_ = name;
  record_number_ = 0;
  return true;
}

bool InputFile::is_open() const {
  return state_->source != nullptr;
}

int InputFile::read_record(std::string_view& text, std::size_t keep) {
  State& s = *state_;
  if (!s.source) {
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
    const char* base = s.block.get() + s.start;
    const std::size_t available = s.end - s.start;
    if (!spans_blocks && s.take_record_in_block(text, keep)) {
      ++record_number_;
      return kStatusOk;
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

namespace {

// Whether the text, after its leading blanks, begins with a wanted character.
bool begins_with_wanted(std::string_view text, const std::array<bool, 256>& wanted) {
  std::size_t first = 0;
  while (first < text.size() && text[first] == ' ') ++first;
  return first < text.size() && wanted[static_cast<unsigned char>(text[first])];
}

}  // namespace

int InputFile::read_record_if(std::string_view& text, std::size_t keep,
                              const std::array<bool, 256>& wanted) {
  State& s = *state_;
  for (;;) {
    // Records that lie wholly in the block and are not wanted are passed over here; anything
    // else (a wanted record, one that runs on into the next block, an empty block) is left to
    // read_record.
    const char* block = s.block.get();
    while (s.start < s.end) {
      const std::size_t kept_end = keep < s.end - s.start ? s.start + keep : s.end;
      std::size_t first = s.start;
      while (first < kept_end && block[first] == ' ') ++first;
      if (first == s.end) break;
      const bool blank = first == kept_end || block[first] == '\r' || block[first] == '\n';
      if (!blank && wanted[static_cast<unsigned char>(block[first])]) {
        if (!s.take_record_in_block(text, keep)) break;
        ++record_number_;
        return kStatusOk;
      }
      std::size_t lf = s.breaks.next(first);
      while (lf < s.end && block[lf] != '\n') lf = s.breaks.next(lf + 1);
      if (lf == s.end) break;
      s.start = lf + 1;
      ++record_number_;
    }
    const int status = read_record(text, keep);
    if (status != kStatusOk || begins_with_wanted(text, wanted)) return status;
  }
}

void InputFile::rewind() {
  State& s = *state_;
  s.start = s.end = 0;
  record_number_ = 0;
  if (s.source && !s.at_file_start) {
    s.source->rewind();
    s.at_file_start = true;
  }
}

void InputFile::close() {
  State& s = *state_;
  s.source.reset();
  s.start = s.end = 0;
  record_number_ = 0;
}

}  // namespace rqo
