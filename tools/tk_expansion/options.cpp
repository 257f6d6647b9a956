#include "options.hpp"

#include <charconv>
#include <cmath>
#include <memory>

#include "platform/command_line.hpp"
#include "text.hpp"

namespace tkx {

namespace {

constexpr std::string_view kUsage = "tk_expansion [options] [FILE]";

std::string help_text() {
  return concat({"usage: ", kUsage, R"(
  options: [--strain eulerian|lagrangian] [--infinitesimal] [--cell mid|min|max]
           [--sigma-t K] [--reference N | --reference-t T]
           [--fit linear|poly:N|chebyshev:N] [--at T] [--cell-errors [--draws K]]

Principal-axis thermal expansion of a temperature series of unit cells: principal
expansivities with errors, their directions in crystal axes, the volume expansivity and the
expansivity tensor, from weighted fits of the principal strains against T. The defaults give
the numbers of the standard expansion calculator (PASCal, temperature mode).

FILE (default )",
                 kDefaultInput, R"() is recognised from its content:
  a parameter table of read_quavelon_out ("!" header lines, then T and the minimum and
  maximum cells per row), or a column file of rows "T sigmaT a b c alpha beta gamma"
  (K, K, A, A, A, deg), or of rows "T sigmaT a sigma_a b sigma_b c sigma_c alpha
  sigma_alpha beta sigma_beta gamma sigma_gamma". Blanks or tabs between values; "#"
  starts a comment anywhere on a line; UTF-8 or ANSI text (a byte-order mark is skipped),
  any line ends. sigmaT lies within 1e-6 ... 1e6 K, lengths within 1e-3 ... 1e4 A.

Options:
  --strain eulerian|lagrangian  strain definition (default eulerian)
  --infinitesimal               infinitesimal instead of finite strain. Only --strain
                                lagrangian with finite strain gives principal strains that
                                do not depend on the Cartesian frame; the default
                                reproduces the standard calculator.
  --cell mid|min|max            cell of a table row: the mean of minimum and maximum
                                (default), or either one
  --sigma-t K                   sigma of T for every table row (default 1). The fits weigh
                                each row by 1/sigmaT, so only differences between rows
                                matter: one sigmaT for every row changes no result.
                                A column file gives each row's own sigmaT.
  --reference N                 take the strains against row N (1 = the first data row,
                                the default) instead of the first
  --reference-t T               take them against the row whose T is nearest T
  --fit linear                  a straight line per principal strain and for V (default):
                                one expansivity for the whole range
  --fit poly:N                  a polynomial of degree N (2 to 4) in T: the expansivity
                                alpha(T) is its slope, with the error from the fit's
                                covariance; needs N + 2 different temperatures
  --fit chebyshev:N             the same curves in Chebyshev polynomials (better
                                conditioned; the same results to rounding)
  --at T                        the summary's expansivities at T (default: the T of the
                                direction row); TK_expansion_alpha.tsv has them at every T
  --cell-errors                 propagate the cells' uncertainties by Monte Carlo: each
                                draw moves every cell parameter of every row by a normal
                                deviate of its sigma and repeats the analysis. sigma is
                                (max - min)/sqrt(12) of a table row (a uniform spread
                                between minimum and maximum) or the 14-column file's own.
                                The summary gives sigma_cell (the draws' spread) and
                                sigma_total = sqrt(sigma^2 + sigma_cell^2) beside the fit's
                                sigma. The draws start from a fixed seed: runs repeat.
  --draws K                     Monte Carlo draws (default 2000)
  -h, --help                    show this text
  --version                     show the version

Rows and axes: the rows stay in file order. The reference row (the first unless --reference
or --reference-t) is strain-free. X1, X2, X3 are the ascending order of the principal strains
at the labelling row: the first row after the reference in file order, or, when that row is
strained less than ten times what its printed digits resolve, the first row strained beyond
that (a warning says so). Every other row keeps those labels by matching its axes to the
labelling row's, so labels do not swap where two strains cross. The summary's directions are
those of the middle row in file order (the labelling row if the middle one is the
reference). Warnings name temperatures that go up and down along the file, and cell
parameters that change by more than 5% between neighbouring rows.

Writes to the current folder, as one set (all new files, or on a failure the old ones):
  TK_expansion_summary.tsv  alpha, sigma, direction [u v w] of X1 X2 X3 and V
  TK_expansion_strain.tsv   principal strains (%) and fitted ones at every T
  TK_expansion_axes.tsv     directions of X1 X2 X3 at every T
  TK_expansion_volume.tsv   V and fitted V at every T
  TK_expansion_alpha.tsv    alpha and sigma of X1 X2 X3 and V at every T
  TK_expansion_tensor.tsv   the expansivity tensor (MK^-1) in the Cartesian frame
                            (x along a*, z along c) and the unit vectors along a, b, c
  TK_strain.pgf             principal strains against T (and fitted curves) for kestrova
  TK_pascal_input.txt       the series for the web calculator
Then runs "kestrova --report" on the folder when kestrova is beside this program or on the
PATH, or says how to. Exit status 0, or 2 for bad arguments, bad input or a file that could
not be written.

Example: tk_expansion --fit poly:2 --at 150 --cell-errors
  fits each principal strain and V of TK_parameters_quavelon_out.xy with a parabola in T,
  reports the expansivities at 150 K with the fit's sigma and with the cells' min/max
  spread propagated over 2000 draws, and lists alpha(T) at every T in TK_expansion_alpha.tsv.
)"});
}

// Help is the whole text above, not CLI11's generated list.
class HelpText : public CLI::Formatter {
 public:
  std::string make_help(const CLI::App*, std::string, CLI::AppFormatMode) const override {
    return help_text();
  }
};

// "linear", "poly:N" or "chebyshev:N" with N from 2 to kHighestDegree.
std::optional<FitSettings> parse_fit(std::string_view text) {
  if (text == "linear") return FitSettings{};
  const std::size_t colon = text.find(':');
  if (colon == std::string_view::npos) return std::nullopt;
  const std::string_view kind = text.substr(0, colon);
  const std::string_view digits = text.substr(colon + 1);
  int degree = 0;
  const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), degree);
  if (result.ec != std::errc{} || result.ptr != digits.data() + digits.size() || degree < 2 ||
      degree > kHighestDegree) {
    return std::nullopt;
  }
  if (kind == "poly") return FitSettings{FitKind::Power, degree};
  if (kind == "chebyshev") return FitSettings{FitKind::Chebyshev, degree};
  return std::nullopt;
}

const CLI::Validator kFitChoice(
    [](std::string& text) {
      return parse_fit(text)
                 ? std::string()
                 : concat({"\"", text, "\" is not linear, poly:N or chebyshev:N with N from 2 to ",
                           std::to_string(kHighestDegree)});
    },
    "linear|poly:N|chebyshev:N");

const CLI::Validator kFinite(
    [](std::string& text) {
      double value = 0.0;
      const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
      return result.ec == std::errc{} && result.ptr == text.data() + text.size() &&
                     std::isfinite(value)
                 ? std::string()
                 : concat({"\"", text, "\" is not a number"});
    },
    "NUMBER");

}  // namespace

std::optional<int> read_command_line(const std::vector<std::string>& arguments,
                                     std::string_view version, Options& options, std::ostream& out,
                                     std::ostream& err) {
  CLI::App app("Principal-axis thermal expansion", "tk_expansion");
  app.formatter(std::make_shared<HelpText>());
  std::string strain = "eulerian", cell = "mid", fit = "linear";
  std::size_t reference = 0;
  double sigma_t = options.table.sigma_t, reference_t = 0.0, at = 0.0;
  bool infinitesimal = false, cell_errors = false;
  int draws = kDefaultDraws;
  app.add_option("FILE", options.file);
  app.add_option("--strain", strain)->check(CLI::IsMember({"eulerian", "lagrangian"}));
  app.add_flag("--infinitesimal", infinitesimal);
  CLI::Option* cell_option =
      app.add_option("--cell", cell)->check(CLI::IsMember({"mid", "min", "max"}));
  CLI::Option* sigma_option =
      app.add_option("--sigma-t", sigma_t)->check(kFinite)->check(CLI::Range(1e-6, 1e6));
  CLI::Option* reference_option =
      app.add_option("--reference", reference)->check(CLI::Range(std::size_t{1}, SIZE_MAX));
  CLI::Option* reference_t_option =
      app.add_option("--reference-t", reference_t)->check(kFinite)->excludes(reference_option);
  app.add_option("--fit", fit)->check(kFitChoice);
  CLI::Option* at_option = app.add_option("--at", at)->check(kFinite);
  CLI::Option* cell_errors_option = app.add_flag("--cell-errors", cell_errors);
  app.add_option("--draws", draws)->check(CLI::Range(2, 10'000'000))->needs(cell_errors_option);
  if (const auto answered =
          rqo::platform::answer_command_line(app, arguments, kUsage, version, out, err)) {
    return answered;
  }

  Settings& s = options.settings;
  s.strain.kind = strain == "lagrangian" ? StrainKind::Lagrangian : StrainKind::Eulerian;
  s.strain.finite = !infinitesimal;
  options.table.cell = cell == "min"   ? CellChoice::Min
                       : cell == "max" ? CellChoice::Max
                                       : CellChoice::Mid;
  options.table.sigma_t = sigma_t;
  options.table_options_given = cell_option->count() > 0 || sigma_option->count() > 0;
  if (reference_option->count() > 0) s.reference_row = reference - 1;
  if (reference_t_option->count() > 0) s.reference_t = reference_t;
  s.fit = *parse_fit(fit);
  if (at_option->count() > 0) s.at = at;
  s.cell_errors = cell_errors;
  s.draws = draws;
  return std::nullopt;
}

}  // namespace tkx
