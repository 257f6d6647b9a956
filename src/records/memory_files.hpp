#pragma once

#include <map>
#include <set>
#include <string>
#include <string_view>

#include "records/file_system.hpp"

namespace rqo {

// Files held in memory, for tests and fuzzers that run the program without touching the
// disk. Names are plain keys; a directory is a name that is neither read nor written.
class MemoryFiles final : public FileSystem {
 public:
  void put(const std::string& name, std::string_view content) { files_[name] = content; }
  void put_directory(const std::string& name) { directories_.insert(name); }
  void remove(const std::string& name) { files_.erase(name); }
  // The file's content, or nullptr when there is no such file.
  const std::string* find(const std::string& name) const;

  std::unique_ptr<ByteSource> open_for_reading(const std::string& name) override;
  std::unique_ptr<ByteSink> create_for_writing(const std::string& name) override;
  bool is_file(const std::string& name) override { return files_.count(name) != 0; }
  std::size_t read_block_size() const override { return 4096; }

 private:
  std::map<std::string, std::string, std::less<>> files_;
  std::set<std::string, std::less<>> directories_;
};

}  // namespace rqo
