#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "records/file_system.hpp"
#include "records/open_flags.hpp"

#ifdef _WIN32
#include <io.h>

#include <filesystem>
#include <system_error>

#include "platform/native_path.hpp"
#endif

namespace rqo {

namespace {

// Opens a file by the name the program was given: on Windows through the wide API, the name
// read as UTF-8 or in the ANSI code page and in its long form when it needs one.
int open_by_name(const std::string& name, int flags) {
#ifdef _WIN32
  return ::_wopen(platform::native_path(name).c_str(), flags, _S_IREAD | _S_IWRITE);
#else
  return ::open(name.c_str(), flags, 0666);
#endif
}

class SystemSource final : public ByteSource {
 public:
  explicit SystemSource(int fd) : fd_(fd) {}
  ~SystemSource() override { ::close(fd_); }

  long read(char* into, std::size_t capacity) override {
    for (;;) {
      const ssize_t got = ::read(fd_, into, capacity);
      if (got >= 0 || errno != EINTR) return static_cast<long>(got);
    }
  }
  void rewind() override { ::lseek(fd_, 0, SEEK_SET); }

 private:
  int fd_;
};

class SystemSink final : public ByteSink {
 public:
  explicit SystemSink(int fd) : fd_(fd) {}
  ~SystemSink() override {
    if (fd_ >= 0) ::close(fd_);
  }

  bool write(const char* data, std::size_t size) override {
    while (size > 0) {
      const ssize_t written = ::write(fd_, data, size);
      if (written < 0) {
        if (errno == EINTR) continue;
        return false;
      }
      data += written;
      size -= static_cast<std::size_t>(written);
    }
    return true;
  }
  bool close() override {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

class SystemFiles final : public FileSystem {
 public:
  std::unique_ptr<ByteSource> open_for_reading(const std::string& name) override {
    int fd;
    do {
      fd = open_by_name(name, O_RDONLY | kOpenFlags);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
#ifdef _WIN32
      // Windows refuses to open a folder as a file; say so as POSIX systems do on reading.
      if (errno == EACCES && is_folder(name)) errno = EISDIR;
#endif
      return nullptr;
    }
    // A directory opens; its first read fails with EISDIR (no stat call for every log).
    return std::make_unique<SystemSource>(fd);
  }

  std::unique_ptr<ByteSink> create_for_writing(const std::string& name) override {
    const int fd = open_by_name(name, O_WRONLY | O_CREAT | O_TRUNC | kOpenFlags);
    if (fd < 0) return nullptr;
    return std::make_unique<SystemSink>(fd);
  }

#ifdef _WIN32
  static bool is_folder(const std::string& name) {
    std::error_code error;
    return std::filesystem::is_directory(platform::native_path(name), error);
  }

  bool is_file(const std::string& name) override {
    return platform::is_existing_file(name);
  }
#else
  bool is_file(const std::string& name) override {
    struct stat info;
    return ::stat(name.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
  }
#endif

  // Big enough that most logs come in one read; the first block is kept for a rewind.
  std::size_t read_block_size() const override {
    return 256 * 1024;
  }
};

}  // namespace

FileSystem& system_files() {
  static SystemFiles files;
  return files;
}

}  // namespace rqo
