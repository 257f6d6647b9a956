#include "records/memory_files.hpp"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace rqo {

namespace {

// Reads a file's content as it stands; the content must outlive the source.
class MemorySource final : public ByteSource {
 public:
  explicit MemorySource(const std::string& content) : content_(content) {}

  long read(char* into, std::size_t capacity) override {
    const std::size_t count = std::min(capacity, content_.size() - position_);
    if (count > 0) std::memcpy(into, content_.data() + position_, count);
    position_ += count;
    return static_cast<long>(count);
  }
  void rewind() override { position_ = 0; }

 private:
  const std::string& content_;
  std::size_t position_ = 0;
};

class MemorySink final : public ByteSink {
 public:
  explicit MemorySink(std::string& content) : content_(content) {}

  bool write(const char* data, std::size_t size) override {
    content_.append(data, size);
    return true;
  }
  bool close() override { return true; }

 private:
  std::string& content_;
};

}  // namespace

const std::string* MemoryFiles::find(const std::string& name) const {
  const auto found = files_.find(name);
  return found == files_.end() ? nullptr : &found->second;
}

std::unique_ptr<ByteSource> MemoryFiles::open_for_reading(const std::string& name) {
  if (directories_.count(name) != 0) {
    errno = EISDIR;
    return nullptr;
  }
  const auto found = files_.find(name);
  if (found == files_.end()) {
    errno = ENOENT;
    return nullptr;
  }
  return std::make_unique<MemorySource>(found->second);
}

std::unique_ptr<ByteSink> MemoryFiles::create_for_writing(const std::string& name) {
  if (directories_.count(name) != 0) {
    errno = EISDIR;
    return nullptr;
  }
  std::string& content = files_[name];
  content.clear();
  return std::make_unique<MemorySink>(content);
}

}  // namespace rqo
