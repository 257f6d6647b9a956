#include "records/memory_files.hpp"

#include <gtest/gtest.h>

#include <cerrno>
#include <sstream>

#include "records/input_file.hpp"
#include "records/output_file.hpp"

namespace rqo {
namespace {

// The record layer over files in memory behaves as over the system's files: records split
// the same way, a directory or a missing name cannot be opened, and creating a file replaces
// it with the records written (CR LF ends).
TEST(MemoryFiles, ReadAndWriteThroughTheRecordLayer) {
  MemoryFiles files;
  files.put("log", "first\r\nsecond\nlast");
  files.put_directory("folder");

  InputFile input(3, files);  // blocks smaller than a record
  ASSERT_TRUE(input.open("log"));
  std::string_view text;
  std::string seen;
  while (input.read_record(text, 256) == kStatusOk) seen += std::string(text) + "|";
  EXPECT_EQ(seen, "first|second|last|");

  struct Case {
    const char* name;
    int error;
  };
  for (const Case& c : {Case{"folder", EISDIR}, Case{"absent", ENOENT}}) {
    EXPECT_FALSE(input.open(c.name)) << c.name;
    EXPECT_EQ(errno, c.error) << c.name;
    EXPECT_FALSE(files.is_file(c.name)) << c.name;
  }

  std::ostringstream diagnostics;
  ErrorPolicy policy(diagnostics);
  OutputFile output(policy, files);
  output.create("log");
  output.write_record("new");
  output.close();
  ASSERT_NE(files.find("log"), nullptr);
  EXPECT_EQ(*files.find("log"), "new\r\n");
}

}  // namespace
}  // namespace rqo
