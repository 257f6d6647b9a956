#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "records/error_policy.hpp"
#include "records/file_system.hpp"
#include "records/record_sink.hpp"

namespace rqo {

// A text file created (or replaced) for writing. Every record ends with CR LF; nothing is
// trimmed. Writes are buffered; a failure to create or write is reported through the error
// policy as a serious condition (the program ends, everything written before is kept).
class OutputFile : public RecordSink {
 public:
  // Files are created in `files` (the system's files unless a test gives others).
  explicit OutputFile(ErrorPolicy& policy, FileSystem& files = system_files());
  ~OutputFile() override;  // closes without reporting (the program is ending anyway)
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  void create(const std::string& name);  // reports CreateFailed on failure
  void write_record(std::string_view record) override;
  // Hands what is pending to the system, which keeps it if the program is then killed; the
  // file stays open. Reports WriteFailed on failure.
  void flush();
  void close();  // writes out what is pending; reports WriteFailed on failure
  bool is_open() const;
  const std::string& name() const { return name_; }

 private:
  void fail_write(int error);

  struct State;
  std::unique_ptr<State> state_;
  ErrorPolicy& policy_;
  FileSystem& files_;
  std::string name_;
};

}  // namespace rqo
