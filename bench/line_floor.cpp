// The floor of a series: what any reader of the logs must do at the least. Opens each file named
// on the command line in turn, reads it whole in large blocks, counts its line breaks with
// memchr and closes it; prints the total number of line breaks.
//
//   line_floor <file>...
//   line_floor --evict <file>...   # drops the files from the page cache instead (cold runs)
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

namespace {

constexpr std::size_t kBlockSize = 256 * 1024;

// Page-aligned, as the tool's block: some processors' kernel copy into a buffer that is not
// 64-byte aligned is several times slower, which would make the floor no floor.
alignas(4096) char block[kBlockSize];

long count_line_breaks(const char* data, std::size_t size) {
  long count = 0;
  const char* end = data + size;
  for (const char* p = data; (p = static_cast<const char*>(std::memchr(p, '\n', end - p)));) {
    ++count;
    ++p;
  }
  return count;
}

bool evict(const char* name) {
  const int fd = ::open(name, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool done = ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED) == 0;
  ::close(fd);
  return done;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "--evict") == 0) {
    for (int i = 2; i < argc; ++i) {
      if (!evict(argv[i])) {
        std::perror(argv[i]);
        return 1;
      }
    }
    return 0;
  }
  long line_breaks = 0;
  for (int i = 1; i < argc; ++i) {
    const int fd = ::open(argv[i], O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
      std::perror(argv[i]);
      return 1;
    }
    ssize_t got;
    while ((got = ::read(fd, block, kBlockSize)) > 0)
      line_breaks += count_line_breaks(block, static_cast<std::size_t>(got));
    ::close(fd);
    if (got < 0) {
      std::perror(argv[i]);
      return 1;
    }
  }
  std::printf("%ld\n", line_breaks);
  return 0;
}
