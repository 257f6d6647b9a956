// The block reader's fast record splitting against a plain reading of the record rules, on
// lines long enough to cross the 64-byte chunks of the line-feed search and the block ends.

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "records/input_file.hpp"
#include "records/io_status.hpp"
#include "records/line_prefix_filter.hpp"
#include "support/tool_run.hpp"

namespace rqo {
namespace {

// A record runs up to the next LF or the end of the bytes; its text ends at its first CR or
// LF; only the first `keep` characters of the text are kept.
std::vector<std::string> plain_records(std::string_view bytes, std::size_t keep) {
  std::vector<std::string> records;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t lf = bytes.find('\n', start);
    if (lf == std::string_view::npos) lf = bytes.size();
    const std::string_view record = bytes.substr(start, lf - start);
    const std::string_view text = record.substr(0, record.find('\r'));
    records.emplace_back(text.substr(0, keep));
    start = lf + 1;
  }
  return records;
}

std::vector<std::string> block_records(const std::string& path, std::size_t block,
                                       std::size_t keep) {
  InputFile file(block);
  EXPECT_TRUE(file.open(path));
  std::vector<std::string> records;
  std::string_view text;
  int status;
  while ((status = file.read_record(text, keep)) == kStatusOk) records.emplace_back(text);
  EXPECT_EQ(status, kStatusEnd);
  EXPECT_EQ(file.record_number(), static_cast<long>(records.size()));
  return records;
}

// Bytes of lines of random length (0 to 300) with LF, CR LF, lone CR and no final break.
std::string random_bytes(std::mt19937& random) {
  std::uniform_int_distribution<int> length(0, 300), ending(0, 9), letter(0, 25);
  std::string bytes;
  const int lines = std::uniform_int_distribution<int>(0, 40)(random);
  for (int line = 0; line < lines; ++line) {
    bytes += std::string(static_cast<std::size_t>(ending(random) % 6), ' ');
    if (ending(random) == 0) bytes += std::string(300, ' ');
    const int n = length(random);
    for (int i = 0; i < n; ++i) bytes += static_cast<char>(i % 7 == 6 ? ' ' : 'a' + letter(random));
    const int e = ending(random);
    if (e < 5)
      bytes += '\n';
    else if (e < 8)
      bytes += "\r\n";
    else if (e == 8)
      bytes += "\rtail after a lone CR\n";
    else
      bytes += "\r\r\r\n";
  }
  if (ending(random) == 0) bytes += "last line without a break";
  return bytes;
}

std::string shown(const std::vector<std::string>& records) {
  std::string text;
  for (const auto& r : records) text += "[" + r + "]";
  return text;
}

TEST(LineSplitting, BlockReaderAgreesWithThePlainRulesOnRandomFiles) {
  testing::ScratchDir dir;
  std::mt19937 random(2026);
  for (int round = 0; round < 200; ++round) {
    const std::string bytes = random_bytes(random);
    dir.write("log", bytes);
    const std::string path = (dir.path() / "log").string();
    for (const std::size_t keep : {0u, 3u, 64u, 256u}) {
      const auto expected = plain_records(bytes, keep);
      for (const std::size_t block : {1u, 7u, 63u, 64u, 65u, 200u, 65536u}) {
        const auto actual = block_records(path, block, keep);
        ASSERT_EQ(shown(actual), shown(expected))
            << "round " << round << " keep " << keep << " block " << block;
      }
    }
  }
}

// The records that read_record_if returns, each with its record number.
std::vector<std::string> wanted_records(const std::string& path, std::size_t block,
                                        std::size_t keep, const LinePrefixFilter& wanted) {
  InputFile file(block);
  EXPECT_TRUE(file.open(path));
  std::vector<std::string> records;
  std::string_view text;
  int status;
  while ((status = file.read_record_if(text, keep, wanted)) == kStatusOk)
    records.push_back(std::to_string(file.record_number()) + ":" + std::string(text));
  EXPECT_EQ(status, kStatusEnd);
  return records;
}

// The same from the plain rules: the records whose kept text, after its leading blanks, the
// filter lets through.
std::vector<std::string> plain_wanted_records(std::string_view bytes, std::size_t keep,
                                              const LinePrefixFilter& wanted) {
  std::vector<std::string> records;
  long number = 0;
  for (const std::string& text : plain_records(bytes, keep)) {
    ++number;
    const std::size_t first = text.find_first_not_of(' ');
    if (first != std::string::npos && wanted.may_begin(std::string_view(text).substr(first)))
      records.push_back(std::to_string(number) + ":" + text);
  }
  return records;
}

TEST(LineSplitting, FilteredReadingAgreesWithThePlainRules) {
  testing::ScratchDir dir;
  std::mt19937 random(99);
  const std::array<std::string_view, 5> prefixes = {"a", "e", "q", "bc", "xyz"};
  const LinePrefixFilter wanted(prefixes);
  for (int round = 0; round < 200; ++round) {
    const std::string bytes = random_bytes(random);
    dir.write("log", bytes);
    const std::string path = (dir.path() / "log").string();
    for (const std::size_t keep : {0u, 3u, 64u, 256u}) {
      const auto expected = plain_wanted_records(bytes, keep, wanted);
      for (const std::size_t block : {1u, 7u, 64u, 65u, 200u, 65536u}) {
        ASSERT_EQ(shown(wanted_records(path, block, keep, wanted)), shown(expected))
            << "round " << round << " keep " << keep << " block " << block;
      }
    }
  }
}

TEST(LineSplitting, BreaksAtChunkEdges) {
  // Breaks placed on the last and first bytes of 64-byte chunks, and a CR LF split by them.
  const struct {
    std::string bytes;
    std::vector<std::string> expected;
  } rows[] = {
      {std::string(63, 'x') + "\n" + std::string(64, 'y') + "\n",
       {std::string(63, 'x'), std::string(64, 'y')}},
      {std::string(63, 'x') + "\r\n" + "z\n", {std::string(63, 'x'), "z"}},
      {std::string(127, 'x') + "\r" + std::string(70, 'w') + "\n" + "v",
       {std::string(127, 'x'), "v"}},
      {"\n" + std::string(200, 'q'), {"", std::string(200, 'q')}},
  };
  testing::ScratchDir dir;
  for (const auto& row : rows) {
    dir.write("log", row.bytes);
    const std::string path = (dir.path() / "log").string();
    for (const std::size_t block : {64u, 65536u}) {
      EXPECT_EQ(shown(block_records(path, block, 256)), shown(row.expected))
          << "bytes of length " << row.bytes.size() << " block " << block;
    }
  }
}

}  // namespace
}  // namespace rqo
