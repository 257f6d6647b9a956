#include "records/input_file.hpp"

#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <memory>

#include "records/aligned_block.hpp"
#include "records/io_status.hpp"
#include "records/line_feed_mask.hpp"

namespace rqo {

namespace {

// The position of the first byte other than a blank at or after `from`; one must follow
// within the buffer. Eight bytes are looked at a time.
std::size_t first_non_blank(const char* data, std::size_t from) {
  constexpr std::uint64_t kEightBlanks = 0x2020202020202020;
  for (;; from += 8) {
    std::uint64_t word;
    std::memcpy(&word, data + from, sizeof word);
    if (const std::uint64_t differs = word ^ kEightBlanks; differs != 0) {
      const int bit = std::endian::native == std::endian::little ? std::countr_zero(differs)
                                                                 : std::countl_zero(differs);
      return from + static_cast<std::size_t>(bit / 8);
    }
  }
}

}  // namespace

struct InputFile::State {
  // The block has room after its capacity for a whole last chunk of the line-feed search
  // (and so for the eight bytes looked at after the last line feed).
  explicit State(std::size_t block_size)
      : capacity(block_size > 0 ? block_size : 1),
        // Only bytes read into the block and those cleared after them are looked at.
        block(make_aligned_block(capacity + kLineFeedChunk)) {}

  // Refills the block from the file. Returns the number of bytes now available, 0 at the end
  // of the file, -1 when the system fails (errno set).
  long refill() {
    start = 0;
    end = 0;
    const long got = source->read(block.get(), capacity);
    if (got < 0) return got;
    block_holds_file_start = next_read_at_file_start;
    next_read_at_file_start = false;
    end = static_cast<std::size_t>(got);
    // The line-feed search and the look at a line's first bytes may read up to a chunk past
    // the valid bytes: those are cleared.
    std::memset(block.get() + end, 0, kLineFeedChunk);
    return got;
  }

  // The common case: when the record at `start` lies wholly in the block, views its kept
  // text, moves past it and returns true.
  bool take_record_in_block(std::string_view& text, std::size_t keep) {
    const void* lf = std::memchr(block.get() + start, '\n', end - start);
    if (lf == nullptr) return false;
    const auto record_end = static_cast<std::size_t>(static_cast<const char*>(lf) - block.get());
    text = kept_text(start, record_end, keep);
    start = record_end + 1;
    return true;
  }

  // The kept text of the record from `first` to its LF at `lf`: up to its first CR, at most
  // `keep` characters.
  std::string_view kept_text(std::size_t first, std::size_t lf, std::size_t keep) const {
    const char* text = block.get() + first;
    std::size_t length = lf - first < keep ? lf - first : keep;
    if (const void* cr = std::memchr(text, '\r', length))
      length = static_cast<std::size_t>(static_cast<const char*>(cr) - text);
    return std::string_view(text, length);
  }

  // Moves past the records that lie wholly in the block and whose kept text, after its leading
  // blanks, cannot begin with one of the filter's prefixes, adding them to `count`. Stops past
  // a record that may (counted too; returns true with its first byte, the number of blanks
  // that begin it and its LF), or at the block's end or its unfinished last record (returns
  // false).
  bool find_candidate(const LinePrefixFilter& filter, std::size_t keep, std::size_t& first,
                      std::size_t& blanks, std::size_t& lf, long& count) {
    if (start >= end) return false;
    const char* data = block.get();
    std::size_t record = start;
    std::size_t chunk = record - record % kLineFeedChunk;
    std::uint64_t pending = line_feeds(chunk) & (~std::uint64_t{0} << (record - chunk));
    long passed = 0;
    bool found = false;
    for (;;) {
      while (pending == 0 && chunk + kLineFeedChunk < end) {
        chunk += kLineFeedChunk;
        pending = line_feeds(chunk);
      }
      if (pending == 0) break;
      const std::size_t line_feed = chunk + static_cast<std::size_t>(std::countr_zero(pending));
      pending &= pending - 1;
      ++passed;
      // The LF ends the blanks; the eight bytes looked at stay within the block's spare room.
      const std::size_t text = first_non_blank(data, record);
      if (text - record < keep && filter.may_begin(data + text)) {
        first = record;
        blanks = text - record;
        lf = line_feed;
        found = true;
      }
      record = line_feed + 1;
      if (found) break;
    }
    start = record;
    count += passed;
    return found;
  }

  // The LF bytes of the chunk at `chunk`, those past the valid bytes left out.
  std::uint64_t line_feeds(std::size_t chunk) const {
    const std::uint64_t mask = line_feed_mask(block.get() + chunk);
    const std::size_t valid = end - chunk;
    return valid < kLineFeedChunk ? mask & ((std::uint64_t{1} << valid) - 1) : mask;
  }

  std::unique_ptr<ByteSource> source;    // null while no file is open
  std::size_t capacity;                  // bytes read into the block at a time
  AlignedBlock block;                    // page-aligned: the kernel copies into it fastest
  bool next_read_at_file_start = false;  // the file offset is 0
  bool block_holds_file_start = false;   // the block holds the file's first bytes
  std::size_t start = 0;                 // first unread byte of the block
  std::size_t end = 0;                   // one past the last valid byte of the block
  std::string joined;  // the kept text of a record that spans blocks (capacity reused)
};

InputFile::InputFile(FileSystem& files) : InputFile(files.read_block_size(), files) {}

InputFile::InputFile(std::size_t block_size, FileSystem& files)
    : state_(std::make_unique<State>(block_size)), files_(files) {}

InputFile::~InputFile() {
  close();
}

bool InputFile::open(const std::string& name) {
  close();
  State& s = *state_;
  s.source = files_.open_for_reading(name);
  if (!s.source) return false;
  s.next_read_at_file_start = true;
  // The first block is read at once: a directory may show itself only here (EISDIR). Any
  // other failure is met again, and reported, by the first record read.
  if (s.refill() < 0 && errno == EISDIR) {
    close();
    errno = EISDIR;
    return false;
  }
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
    if (!spans_blocks) {
      if (s.take_record_in_block(text, keep)) {
        ++record_number_;
        return kStatusOk;
      }
      // No LF in the rest of the block: the record runs on into the next.
      spans_blocks = true;
      s.joined.clear();
    }
    const char* base = s.block.get() + s.start;
    const std::size_t available = s.end - s.start;
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

// Whether the text, after its leading blanks, may begin with one of the filter's prefixes.
bool may_begin_after_blanks(std::string_view text, const LinePrefixFilter& filter) {
  std::size_t first = 0;
  while (first < text.size() && text[first] == ' ') ++first;
  return filter.may_begin(text.substr(first));
}

}  // namespace

int InputFile::read_record_if(std::string_view& text, std::size_t keep,
                              const LinePrefixFilter& filter) {
  State& s = *state_;
  for (;;) {
    std::size_t first, blanks, lf;
    if (s.find_candidate(filter, keep, first, blanks, lf, record_number_)) {
      text = s.kept_text(first, lf, keep);
      // When the eight bytes looked at lay within the kept text, they have decided; when they
      // ran past it, the text itself decides.
      if (blanks + LinePrefixFilter::kWordLength <= text.size() ||
          may_begin_after_blanks(text, filter))
        return kStatusOk;
      continue;
    }
    // A record that runs on into the next block, or the block is used up.
    const int status = read_record(text, keep);
    if (status != kStatusOk || may_begin_after_blanks(text, filter)) return status;
  }
}

void InputFile::rewind() {
  State& s = *state_;
  record_number_ = 0;
  if (s.block_holds_file_start) {
    s.start = 0;
    return;
  }
  s.start = s.end = 0;
  if (s.source && !s.next_read_at_file_start) {
    s.source->rewind();
    s.next_read_at_file_start = true;
  }
}

void InputFile::close() {
  State& s = *state_;
  s.source.reset();
  s.start = s.end = 0;
  s.block_holds_file_start = s.next_read_at_file_start = false;
  record_number_ = 0;
}

}  // namespace rqo
