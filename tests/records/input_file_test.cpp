#include "records/input_file.hpp"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "records/io_status.hpp"
#include "support/tool_run.hpp"

namespace rqo {
namespace {

// A scratch directory of its own for each test, removed afterwards.
class InputFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    scratch_ = std::make_unique<testing::ScratchDir>();
    dir_ = scratch_->path().string();
  }
  void TearDown() override { scratch_.reset(); }

  std::string write(const std::string& name, const std::string& bytes) {
    const std::string path = dir_ + "/" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

  std::unique_ptr<testing::ScratchDir> scratch_;
  std::string dir_;
};

std::vector<std::string> read_all(InputFile& file, std::size_t keep) {
  std::vector<std::string> records;
  std::string_view text;
  int status;
  while ((status = file.read_record(text, keep)) == kStatusOk) records.emplace_back(text);
  EXPECT_EQ(status, kStatusEnd);
  return records;
}

std::string joined(const std::vector<std::string>& records) {
  std::string text;
  for (const auto& r : records) text += "[" + r + "]";
  return text;
}

TEST_F(InputFileTest, RecordsAndLineEndingsWithEveryBlockSize) {
  const struct {
    std::string bytes;
    std::size_t keep;
    std::vector<std::string> expected;
  } rows[] = {
      {"", 256, {}},
      {"\n", 256, {""}},
      {"one\ntwo\n", 256, {"one", "two"}},
      {"one\r\ntwo\r\n", 256, {"one", "two"}},
      {"one\r\ntwo", 256, {"one", "two"}},
      {"no final break", 256, {"no final break"}},
      {"a\r\n\r\n\nb\n", 256, {"a", "", "", "b"}},
      {"before\rafter\nnext\n", 256, {"before", "next"}},
      {"\r", 256, {""}},
      {"abcdefghij\nkl\n", 4, {"abcd", "kl"}},
      {"abcdefghij", 4, {"abcd"}},
      {"ab\rcdefgh\nx", 4, {"ab", "x"}},
      {"abcd\r\n", 4, {"abcd"}},
      {"abc\n", 0, {""}},
      {"tab\there \n", 256, {"tab\there "}},
  };
  int case_number = 0;
  for (const auto& row : rows) {
    const std::string path = write("case" + std::to_string(case_number++), row.bytes);
    for (const std::size_t block : {1u, 2u, 3u, 5u, 65536u}) {
      InputFile file(block);
      ASSERT_TRUE(file.open(path));
      const auto records = read_all(file, row.keep);
      EXPECT_EQ(joined(records), joined(row.expected))
          << "bytes \"" << row.bytes << "\" keep " << row.keep << " block " << block;
      EXPECT_EQ(file.record_number(), static_cast<long>(row.expected.size()));
    }
  }
}

TEST_F(InputFileTest, LongLineIsCutAndTheNextReadStartsAtTheNextLine) {
  const std::string long_line(300, 'x');
  const std::string path =
      write("long", long_line + "\r\nshort\n" + std::string(5'000'000, 'y') + "\nlast");
  InputFile file;
  ASSERT_TRUE(file.open(path));
  std::string_view text;
  ASSERT_EQ(file.read_record(text, 256), kStatusOk);
  EXPECT_EQ(text, long_line.substr(0, 256));
  ASSERT_EQ(file.read_record(text, 256), kStatusOk);
  EXPECT_EQ(text, "short");
  ASSERT_EQ(file.read_record(text, 256), kStatusOk);
  EXPECT_EQ(text, std::string(256, 'y'));
  ASSERT_EQ(file.read_record(text, 256), kStatusOk);
  EXPECT_EQ(text, "last");
  EXPECT_EQ(file.read_record(text, 256), kStatusEnd);
  EXPECT_EQ(file.read_record(text, 256), kStatusEnd);
  EXPECT_EQ(file.record_number(), 4);
}

TEST_F(InputFileTest, RewindStartsAgainAtTheFirstRecord) {
  const std::string path = write("rewind", "first\nsecond\nthird\n");
  InputFile file(4);
  ASSERT_TRUE(file.open(path));
  std::string_view text;
  ASSERT_EQ(file.read_record(text, 256), kStatusOk);
  ASSERT_EQ(file.read_record(text, 256), kStatusOk);
  file.rewind();
  EXPECT_EQ(file.record_number(), 0);
  EXPECT_EQ(joined(read_all(file, 256)), "[first][second][third]");
  file.rewind();
  EXPECT_EQ(joined(read_all(file, 256)), "[first][second][third]");
}

TEST_F(InputFileTest, OpenFailsForMissingFilesAndDirectories) {
  InputFile file;
  EXPECT_FALSE(file.open(dir_ + "/missing"));
  EXPECT_EQ(errno, ENOENT);
  EXPECT_FALSE(file.open(dir_));
  EXPECT_EQ(errno, EISDIR);
  EXPECT_FALSE(file.is_open());
  std::string_view text;
  EXPECT_EQ(file.read_record(text, 10), kStatusReadError);
}

TEST_F(InputFileTest, FileExistsOnlyForFilesThatAreNotDirectories) {
  const std::string path = write("present", "x");
  ASSERT_TRUE(std::filesystem::create_directory(dir_ + "/sub"));
  const struct {
    std::string name;
    bool expected;
  } rows[] = {
      {path, true}, {dir_ + "/absent", false}, {dir_, false}, {dir_ + "/sub", false}, {"", false}};
  for (const auto& row : rows)
    EXPECT_EQ(system_files().is_file(row.name), row.expected) << row.name;
}

}  // namespace
}  // namespace rqo
