#pragma once

#include <cstddef>
#include <memory>
#include <string>

namespace rqo {

// The bytes of a file opened for reading.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Reads up to `capacity` bytes. Returns the number read, 0 at the end, -1 when the system
  // fails (errno set).
  virtual long read(char* into, std::size_t capacity) = 0;
  // Goes back to the first byte.
  virtual void rewind() = 0;
};

// A file created for writing.
class ByteSink {
 public:
  virtual ~ByteSink() = default;
  // Writes all the bytes; false with errno set when the system refuses.
  virtual bool write(const char* data, std::size_t size) = 0;
  // Ends the file; false with errno set when what was written cannot be kept.
  virtual bool close() = 0;
};

// Where named files live: the system's files for the program, memory in tests and fuzzers.
class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // nullptr with errno set when the file cannot be opened. A directory gives EISDIR here or
  // at the first read.
  virtual std::unique_ptr<ByteSource> open_for_reading(const std::string& name) = 0;
  // Creates or replaces the file; nullptr with errno set when it cannot be created.
  virtual std::unique_ptr<ByteSink> create_for_writing(const std::string& name) = 0;
  // Whether the name names an existing file that is not a directory.
  virtual bool is_file(const std::string& name) = 0;
  // The size of the blocks a file is best read in: large for the system's files, so a log
  // takes few reads; small for files in memory, which cost nothing to read in pieces.
  virtual std::size_t read_block_size() const = 0;
};

// The system's files, in the current working directory for relative names.
FileSystem& system_files();

}  // namespace rqo
