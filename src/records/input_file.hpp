#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "records/file_system.hpp"
#include "records/io_status.hpp"
#include "records/line_prefix_filter.hpp"

namespace rqo {

// A text file read record by record through one reused block buffer. A record runs up to
// the next LF or the end of the file; its text ends at its first CR or LF. Only the first
// `keep` characters of a record are kept (the rest is skipped without being stored), so a
// huge line costs no memory.
class InputFile {
 public:
  // Files are opened in `files` (the system's files unless a test gives others).
  explicit InputFile(FileSystem& files = system_files());
  // With a block buffer of the given size (at least 1 byte); the default is the file
  // system's read_block_size().
  explicit InputFile(std::size_t block_size, FileSystem& files = system_files());
  ~InputFile();
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  // Opens for reading and reads the first block; false when the system refuses or the name is
  // a directory (errno is kept for the message). A rewind while the first block is still in
  // the buffer reads nothing again.
  bool open(const std::string& name);
  bool is_open() const;
  const std::string& name() const { return name_; }

  // Reads the next record. Returns kStatusOk with `text` viewing at most `keep` characters
  // (valid until the next call), kStatusEnd at the end of the file, kStatusReadError when the
  // system fails to read.
  int read_record(std::string_view& text, std::size_t keep);

  // As read_record, but passes over (reading and counting them) the records whose kept text,
  // after its leading blanks, the filter rules out. Those it lets through may still begin with
  // none of its prefixes (the caller compares in full). Records passed over are never copied,
  // so a reader that looks at few records saves most of the cost of splitting.
  int read_record_if(std::string_view& text, std::size_t keep, const LinePrefixFilter& filter);

  // Number of records read since the last open or rewind (the current line number).
  long record_number() const { return record_number_; }

  void rewind();
  void close();

 private:
  struct State;
  std::unique_ptr<State> state_;
  FileSystem& files_;
  std::string name_;
  long record_number_ = 0;
};

}  // namespace rqo
