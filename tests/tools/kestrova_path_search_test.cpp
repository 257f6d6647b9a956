#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "path_search.hpp"

namespace kestrova {
namespace {

TEST(KestrovaPathSearch, CandidatesInTheOrderOfThePath) {
  struct Case {
    const char* path;
    PathStyle style;
    std::vector<std::string> candidates;
  };
  const Case cases[] = {
      {"/usr/bin:/opt/gp/bin/", PathStyle::Posix, {"/usr/bin/gp", "/opt/gp/bin/gp"}},
      {"/usr/bin::/bin", PathStyle::Posix, {"/usr/bin/gp", "./gp", "/bin/gp"}},
      {"", PathStyle::Posix, {"./gp"}},
      {R"(C:\Windows;C:\Program Files\gnuplot\bin\)",
       PathStyle::Windows,
       {R"(C:\Windows\gp)", R"(C:\Program Files\gnuplot\bin\gp)"}},
      {R"(C:\a;;"C:\Program Files\gp";D:/b/)",
       PathStyle::Windows,
       {R"(C:\a\gp)", R"(C:\Program Files\gp\gp)", "D:/b/gp"}},
      {"", PathStyle::Windows, {}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(path_candidates(c.path, "gp", c.style), c.candidates) << c.path;
}

}  // namespace
}  // namespace kestrova
