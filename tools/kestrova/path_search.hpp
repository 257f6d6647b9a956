#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestrova {

// How a PATH value is read: POSIX separates folders by ':' and takes an empty entry for the
// current folder; Windows separates them by ';', ignores empty entries and takes the quotes
// around an entry off.
enum class PathStyle { Posix, Windows };

#ifdef _WIN32
inline constexpr PathStyle kNativePathStyle = PathStyle::Windows;
inline constexpr std::string_view kGnuplotProgram = "gnuplot.exe";
#else
inline constexpr PathStyle kNativePathStyle = PathStyle::Posix;
inline constexpr std::string_view kGnuplotProgram = "gnuplot";
#endif

// Where `program` may be, in the order of the PATH value's folders.
std::vector<std::string> path_candidates(std::string_view path_value, std::string_view program,
                                         PathStyle style);

// The first candidate of the PATH of this process that is an executable file; empty if none.
std::string find_on_path(std::string_view program);

}  // namespace kestrova
