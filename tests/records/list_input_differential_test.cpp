// Compares the list-directed read of two reals with a reference reader compiled from Fortran,
// over a few hundred generated value texts. Forms on which the two knowingly differ are not
// generated: words such as NaN and Inf (not numbers here, numbers there), an exponent without
// its letter such as 1.0+5, and the exponent letter Q (both accepted there, bad values here);
// a lone decimal point, a bad value in both, which the reference stores as zero while here the
// bad item keeps its previous value.

#include <gtest/gtest.h>
#include <unistd.h>

#include <bit>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "records/list_input.hpp"

namespace rqo {
namespace {

constexpr std::size_t kTextLength = 300;  // the reference reads each text into 300 characters

// Splits a list written as one text, its entries separated by '|'.
[[maybe_unused]] std::vector<std::string> entries(std::string_view list) {
  std::vector<std::string> result;
  for (std::size_t from = 0;;) {
    const std::size_t bar = list.find('|', from);
    result.emplace_back(list.substr(from, bar - from));
    if (bar == std::string_view::npos) return result;
    from = bar + 1;
  }
}

[[maybe_unused]] std::vector<std::string> generated_texts() {
  const std::vector<std::string> values = entries(
      "10.123|10.456|1.5E2|2D0|2d0|1e-3|-3|+4.|.5|-.5|0|-0.0|150|3.4028235e38|3.40282357e38|"
      "1.17549435E-38|1e-45|7e-46|1e39|-1e39|16777217|0.1|123456789012345678901234567890|"
      "1.5d+3|1E+02|abc|1.0a|x1|1..2|e5|1e|-|'1.0'|\"2\"|2*3.5|3*|2*|1*-4|0*1|2*'x'|10*0.25");
  const std::vector<std::string> separators = entries(" |  |,| , |, |\t|,,| / |/|, ,| ,\t");
  std::vector<std::string> texts = entries(
      "10.123 10.456|10.123,10.456 11.0|  1.5E2  2D0|10.123|1.0,,5.0|1.0/ 2.0|2*3.5||,5| ,|/|"
      "1,|1 ,");
  std::mt19937 random(20240611u);
  auto pick = [&random](const std::vector<std::string>& from) {
    return from[std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(random)];
  };
  for (int i = 0; i < 400; ++i) {
    std::string text;
    if (random() % 4 == 0) text += pick(separators);
    const int count = 1 + static_cast<int>(random() % 3);
    for (int j = 0; j < count; ++j) {
      if (j > 0) text += pick(separators);
      text += pick(values);
    }
    texts.push_back(text);
  }
  return texts;
}

struct Outcome {
  int status_class = 0;
  std::int32_t first = 0;
  std::int32_t second = 0;
  bool operator==(const Outcome&) const = default;
};

[[maybe_unused]] std::string describe(const Outcome& o) {
  std::ostringstream text;
  text << "status " << o.status_class << ", " << std::bit_cast<float>(o.first) << " (0x" << std::hex
       << static_cast<std::uint32_t>(o.first) << std::dec << "), " << std::bit_cast<float>(o.second)
       << " (0x" << std::hex << static_cast<std::uint32_t>(o.second) << ")";
  return text.str();
}

[[maybe_unused]] int sign_of(int status) {
  return status < 0 ? -1 : status > 0 ? 1 : 0;
}

#ifdef _WIN32

TEST(ReadListDifferential, TwoRealsAgreeWithTheReferenceReader) {
  GTEST_SKIP() << "the Fortran reference reader is a program of the Linux build machine; the "
                  "Linux build compares with it";
}

#else

#ifdef RQO_LIST_INPUT_REFERENCE
constexpr const char* kReferenceReader = RQO_LIST_INPUT_REFERENCE;
#else
constexpr const char* kReferenceReader = nullptr;
#endif

TEST(ReadListDifferential, TwoRealsAgreeWithTheReferenceReader) {
  if (kReferenceReader == nullptr)
    GTEST_SKIP() << "no Fortran compiler: the reference reader was not built";
  const std::vector<std::string> texts = generated_texts();
  char input_name[] = "/tmp/rqo_list_input_XXXXXX";
  const int fd = mkstemp(input_name);
  ASSERT_GE(fd, 0);
  close(fd);
  {
    std::ofstream input(input_name);
    for (const auto& text : texts) input << text << '\n';
  }
  const std::string command = std::string(kReferenceReader) + " < " + input_name;
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::vector<Outcome> expected;
  long status, first, second;
  while (std::fscanf(pipe, "%ld %ld %ld", &status, &first, &second) == 3) {
    expected.push_back({sign_of(static_cast<int>(status)), static_cast<std::int32_t>(first),
                        static_cast<std::int32_t>(second)});
  }
  pclose(pipe);
  unlink(input_name);
  ASSERT_EQ(expected.size(), texts.size());

  std::ostringstream diagnostics;
  ErrorPolicy policy(diagnostics);
  int mismatches = 0;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    std::string padded = texts[i];
    padded.resize(kTextLength, ' ');
    float a = 7.0f, b = 7.0f;
    const ListItem items[] = {&a, &b};
    const int got_status = read_list(padded, items, StatusMode::Wanted, policy, {"generated", 0});
    const Outcome actual{sign_of(got_status), std::bit_cast<std::int32_t>(a),
                         std::bit_cast<std::int32_t>(b)};
    if (!(actual == expected[i]) && ++mismatches <= 20) {
      ADD_FAILURE() << "text \"" << texts[i] << "\": expected " << describe(expected[i]) << "; got "
                    << describe(actual);
    }
  }
  EXPECT_EQ(mismatches, 0) << "of " << texts.size() << " texts";
}

#endif

}  // namespace
}  // namespace rqo
