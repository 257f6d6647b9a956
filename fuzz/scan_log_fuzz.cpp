// A processing log of arbitrary bytes (NUL bytes, lone CR, long lines, invalid UTF-8), read
// through block buffers of many sizes. The block reader must give the records of a plain
// line splitter, before and after a rewind; the scanner must store what a plain re-reading of
// its rules stores, and raise the same conditions.
#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "extract/scan_log.hpp"
#include "fuzz_support.hpp"
#include "records/input_file.hpp"
#include "records/list_input.hpp"
#include "records/memory_files.hpp"
#include "records/program_stop.hpp"

namespace {

constexpr std::size_t kLineLength = 256;
constexpr std::array<std::size_t, 8> kBlockSizes = {1, 2, 3, 7, 64, 255, 4096, 65536};

// Records: up to each LF, and a last one without LF; the text ends at the first CR; at most
// `keep` characters are kept.
std::vector<std::string> reference_records(std::string_view file, std::size_t keep) {
  std::vector<std::string> records;
  std::size_t start = 0;
  while (start < file.size()) {
    std::size_t end = file.find('\n', start);
    if (end == std::string_view::npos) end = file.size();
    std::string_view text = file.substr(start, end - start);
    text = text.substr(0, text.find('\r'));
    records.emplace_back(text.substr(0, keep));
    start = end + 1;
  }
  return records;
}

void check_records(rqo::InputFile& file, const std::vector<std::string>& expected,
                   std::size_t keep) {
  std::string_view text;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    if (file.read_record(text, keep) != rqo::kStatusOk) rqo::fuzz::fail("a record went missing");
    if (text != expected[i]) rqo::fuzz::fail("a record differs", text);
    if (file.record_number() != static_cast<long>(i + 1)) rqo::fuzz::fail("wrong line number");
  }
  if (file.read_record(text, keep) != rqo::kStatusEnd) rqo::fuzz::fail("records after the end");
  if (file.read_record(text, keep) != rqo::kStatusEnd) rqo::fuzz::fail("the end did not stay");
}

// The scanner's rules, one step at a time, on the plain records.
void reference_scan(const std::vector<std::string>& records, rqo::RunRecord& run,
                    rqo::ErrorPolicy& policy) {
  const std::array<std::pair<std::string_view, std::array<float*, 2>>, 10> keywords = {{
      {"A axis length", {&run.cell_min.a, &run.cell_max.a}},
      {"B axis length", {&run.cell_min.b, &run.cell_max.b}},
      {"C axis length", {&run.cell_min.c, &run.cell_max.c}},
      {"alpha cell angle", {&run.cell_min.alpha, &run.cell_max.alpha}},
      {"beta cell angle", {&run.cell_min.beta, &run.cell_max.beta}},
      {"gamma cell angle", {&run.cell_min.gamma, &run.cell_max.gamma}},
      {"chi**2 x", {&run.chi2_min[0], &run.chi2_max[0]}},
      {"chi**2 y", {&run.chi2_min[1], &run.chi2_max[1]}},
      {"chi**2 rotation", {&run.chi2_min[2], &run.chi2_max[2]}},
      {"mosaicity", {&run.mosa_min, &run.mosa_max}},
  }};
  long line_number = 0;
  for (const std::string& record : records) {
    ++line_number;
    std::string line = record;
    line.resize(kLineLength, ' ');
    const std::size_t first = line.find_first_not_of(' ');
    const std::string adjusted = first == std::string::npos
                                     ? std::string(kLineLength, ' ')
                                     : line.substr(first) + std::string(first, ' ');
    for (const auto& [keyword, fields] : keywords) {
      if (adjusted.compare(0, keyword.size(), keyword) != 0) continue;
      const std::size_t colon = adjusted.find(':');
      const std::string value_text =
          colon == std::string::npos ? adjusted : adjusted.substr(colon + 1);
      const std::array<rqo::ListItem, 2> items = {fields[0], fields[1]};
      rqo::read_list(value_text, items, rqo::StatusMode::NotWanted, policy,
                     {"reference", line_number});
      break;
    }
  }
}

std::array<float, 19> fields_of(const rqo::RunRecord& r) {
  return {r.cell_min.a,     r.cell_min.b,     r.cell_min.c,  r.cell_min.alpha, r.cell_min.beta,
          r.cell_min.gamma, r.cell_max.a,     r.cell_max.b,  r.cell_max.c,     r.cell_max.alpha,
          r.cell_max.beta,  r.cell_max.gamma, r.mosa_min,    r.mosa_max,       r.chi2_min[0],
          r.chi2_min[1],    r.chi2_min[2],    r.chi2_max[0], r.chi2_max[1]};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  rqo::fuzz::InputCursor in(data, size);
  const std::size_t chosen_block_size = kBlockSizes[in.byte() % kBlockSizes.size()];
  const std::string_view content = in.rest();
  // Tiny blocks, but never more than kMostBlocks of them per pass: a long log in one-byte
  // blocks tests nothing that a short one does not, at a thousand times the cost.
  constexpr std::size_t kMostBlocks = 32;
  const std::size_t block_size = std::max(chosen_block_size, content.size() / kMostBlocks + 1);

  // The log lives in memory: no system call per block, even for one-byte blocks.
  rqo::MemoryFiles files;
  files.put("log", content);
  rqo::InputFile file(block_size, files);
  if (!file.open("log")) rqo::fuzz::fail("cannot open the log");
  const std::size_t short_keep = 1 + block_size % 5;
  check_records(file, reference_records(content, kLineLength), kLineLength);
  file.rewind();
  check_records(file, reference_records(content, short_keep), short_keep);

  rqo::fuzz::NullStream quiet;
  rqo::ErrorPolicy policy(quiet);
  rqo::ErrorPolicy reference_policy(quiet);
  rqo::RunRecord run;
  rqo::RunRecord expected;
  bool stopped = false;
  bool expected_stop = false;
  try {
    rqo::scan_log(file, run, policy);
  } catch (const rqo::ProgramStop&) {
    stopped = true;
  }
  try {
    reference_scan(reference_records(content, kLineLength), expected, reference_policy);
  } catch (const rqo::ProgramStop&) {
    expected_stop = true;
  }
  if (stopped != expected_stop) rqo::fuzz::fail("the scan stopped differently");
  const auto actual_fields = fields_of(run);
  const auto expected_fields = fields_of(expected);
  for (std::size_t i = 0; i < actual_fields.size(); ++i)
    if (!rqo::fuzz::same_bits(actual_fields[i], expected_fields[i]))
      rqo::fuzz::fail("a stored value differs from the reference", std::to_string(i));
  if (!rqo::fuzz::same_bits(run.chi2_max[2], expected.chi2_max[2]))
    rqo::fuzz::fail("chi2 rotation maximum differs from the reference");
  for (const rqo::ConditionTraits& traits : rqo::kConditionTable) {
    if (policy.count(traits.condition) != reference_policy.count(traits.condition))
      rqo::fuzz::fail("the scan raised other conditions than the reference");
  }
  file.close();
  return 0;
}
