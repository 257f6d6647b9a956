#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace rqo {

// The conditions the program reports; each has its own count from program start.
enum class Condition {
  EndOfFile,           // a file or the console has no further record
  EndOfInternalFile,   // a list-directed read from a text value ran out of values
  BadCharacterInReal,  // a character that cannot belong to a number
  QuotedReal,          // a quoted value given for a real item
  AcosArgument,        // arc cosine of a value beyond -1..1
  OpenFailed,          // a file exists but cannot be opened for reading
  ReadFailed,          // a read error on an open file
  CreateFailed,        // an output file cannot be created
  WriteFailed,         // an output file, or standard output, cannot be written
  PlotterNotStarted,   // the plotting program cannot be started
  RunLineUnread,       // a run line cannot be read: the runs from it on are not processed
  WideText,            // a text file in UTF-16, which no reader of the program takes
};

// What a condition does: a warning never ends the program, an error ends it at its tenth
// occurrence, a serious condition at its first.
enum class Level { Warning, Error, Serious };

// Everything known of one condition: its level, the I/O status a statement that asks for its
// status gets instead (-1 at an end, a positive number for an error), and its name in reports.
struct ConditionTraits {
  Condition condition;
  Level level;
  int status;
  std::string_view name;
};

// One row per condition, in the order of the enumeration.
inline constexpr std::array<ConditionTraits, 12> kConditionTable{{
    {Condition::EndOfFile, Level::Serious, -1, "end of file"},
    {Condition::EndOfInternalFile, Level::Error, -1, "end of a value text"},
    {Condition::BadCharacterInReal, Level::Warning, 1, "bad character in a real value"},
    {Condition::QuotedReal, Level::Warning, 2, "quoted value for a real"},
    {Condition::AcosArgument, Level::Error, 4, "arc-cosine argument out of range"},
    {Condition::OpenFailed, Level::Serious, 5, "file cannot be opened"},
    {Condition::ReadFailed, Level::Serious, 3, "file cannot be read"},
    {Condition::CreateFailed, Level::Serious, 6, "file cannot be created"},
    {Condition::WriteFailed, Level::Serious, 7, "file cannot be written"},
    {Condition::PlotterNotStarted, Level::Warning, 8, "plotting program cannot be started"},
    {Condition::RunLineUnread, Level::Warning, 9, "run line cannot be read"},
    {Condition::WideText, Level::Serious, 10, "UTF-16 text"},
}};
inline constexpr std::size_t kConditionCount = kConditionTable.size();

consteval bool table_follows_the_enumeration() {
  for (std::size_t i = 0; i < kConditionTable.size(); ++i) {
    if (kConditionTable[i].condition != static_cast<Condition>(i)) return false;
  }
  return true;
}
static_assert(table_follows_the_enumeration(), "kConditionTable is out of order");

constexpr const ConditionTraits& traits_of(Condition condition) {
  return kConditionTable[static_cast<std::size_t>(condition)];
}
constexpr Level level_of(Condition condition) {
  return traits_of(condition).level;
}
constexpr int status_of(Condition condition) {
  return traits_of(condition).status;
}

}  // namespace rqo
