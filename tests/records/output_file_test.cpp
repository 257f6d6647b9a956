#include "records/output_file.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "records/program_stop.hpp"
#include "support/tool_run.hpp"

namespace rqo {
namespace {

std::string temp_name(const char* leaf) {
  return ::testing::TempDir() + "/" + leaf;
}

TEST(OutputFile, EveryRecordEndsWithCrLfAndNothingIsTrimmed) {
  const std::string name = temp_name("output_file_crlf.txt");
  { std::ofstream(name) << "old content that must disappear\n"; }
  std::ostringstream diagnostics;
  ErrorPolicy policy(diagnostics);
  OutputFile file(policy);
  file.create(name);
  ASSERT_TRUE(file.is_open());
  EXPECT_EQ(file.name(), name);
  file.write_record("# END OF FILE");
  file.write_record("");
  file.write_record("trailing  ");
  file.write_record("!" + std::string(320, '-'));
  file.close();
  EXPECT_FALSE(file.is_open());
  EXPECT_EQ(testing::read_file(name),
            "# END OF FILE\r\n\r\ntrailing  \r\n!" + std::string(320, '-') + "\r\n");
  EXPECT_EQ(diagnostics.str(), "");
  std::remove(name.c_str());
}

TEST(OutputFile, ManyAndHugeRecordsKeepTheirOrder) {
  const std::string name = temp_name("output_file_many.txt");
  std::ostringstream diagnostics;
  ErrorPolicy policy(diagnostics);
  std::string expected;
  {
    OutputFile file(policy);
    file.create(name);
    for (int i = 0; i < 5000; ++i) {
      const std::string record =
          std::to_string(i) + std::string(static_cast<std::size_t>(i % 97), 'x');
      file.write_record(record);
      expected += record + "\r\n";
      if (i == 2500) {
        const std::string huge(200000, 'h');
        file.write_record(huge);
        expected += huge + "\r\n";
      }
    }
    // The destructor writes out what is pending.
  }
  EXPECT_EQ(testing::read_file(name), expected);
  std::remove(name.c_str());
}

TEST(OutputFile, CreateFailureIsReportedWithTheName) {
  std::ostringstream diagnostics;
  ErrorPolicy policy(diagnostics);
  OutputFile file(policy);
  const std::string name = temp_name("no_such_directory/out.xy");
  EXPECT_THROW(file.create(name), ProgramStop);
  EXPECT_FALSE(file.is_open());
  EXPECT_NE(diagnostics.str().find("no_such_directory/out.xy"), std::string::npos)
      << diagnostics.str();
}

TEST(OutputFile, WriteFailureIsReportedAtClose) {
  std::ifstream probe("/dev/full");
  if (!probe) GTEST_SKIP() << "/dev/full is not available";
  std::ostringstream diagnostics;
  ErrorPolicy policy(diagnostics);
  OutputFile file(policy);
  file.create("/dev/full");
  file.write_record("a record that cannot be written");
  try {
    file.close();
    FAIL() << "no stop after a failed write";
  } catch (const ProgramStop& stop) {
    EXPECT_EQ(stop.reason, StopReason::Fatal);
  }
  EXPECT_NE(diagnostics.str().find("/dev/full"), std::string::npos) << diagnostics.str();
  EXPECT_FALSE(file.is_open());
}

TEST(OutputFile, WriteFailureOfAFullBufferIsReportedAtOnce) {
  std::ifstream probe("/dev/full");
  if (!probe) GTEST_SKIP() << "/dev/full is not available";
  std::ostringstream diagnostics;
  ErrorPolicy policy(diagnostics);
  OutputFile file(policy);
  file.create("/dev/full");
  const std::string record(1000, 'r');
  EXPECT_THROW(for (int i = 0; i < 1000; ++i) file.write_record(record), ProgramStop);
  EXPECT_NE(diagnostics.str().find("/dev/full"), std::string::npos) << diagnostics.str();
}

}  // namespace
}  // namespace rqo
