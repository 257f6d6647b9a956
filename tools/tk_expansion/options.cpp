#include "options.hpp"

#include <charconv>
#include <cmath>
#include <string_view>

#include "text.hpp"

namespace tkx {

namespace {

// "--name value" or "--name=value"; advances `i` past a separate value.
std::string_view option_value(std::span<const char* const> arguments, std::size_t& i,
                              std::string_view name) {
  const std::string_view argument = arguments[i];
  if (argument.size() > name.size()) return argument.substr(name.size() + 1);
  if (i + 1 >= arguments.size()) throw UsageError(concat({name, " needs a value"}));
  return arguments[++i];
}

bool is_option(std::string_view argument, std::string_view name) {
  return argument == name || (argument.starts_with(name) && argument.size() > name.size() &&
                              argument[name.size()] == '=');
}

[[noreturn]] void bad_value(std::string_view name, std::string_view value) {
  throw UsageError(concat({"bad value \"", value, "\" for ", name}));
}

}  // namespace

Options parse_options(std::span<const char* const> arguments) {
  Options options;
  bool file_given = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view argument = arguments[i];
    if (argument == "--help" || argument == "-h") {
      options.action = Options::Action::Help;
    } else if (argument == "--version") {
      options.action = Options::Action::Version;
    } else if (argument == "--infinitesimal") {
      options.strain.finite = false;
    } else if (is_option(argument, "--strain")) {
      const std::string_view value = option_value(arguments, i, "--strain");
      if (value == "eulerian") {
        options.strain.kind = StrainKind::Eulerian;
      } else if (value == "lagrangian") {
        options.strain.kind = StrainKind::Lagrangian;
      } else {
        bad_value("--strain", value);
      }
    } else if (is_option(argument, "--cell")) {
      const std::string_view value = option_value(arguments, i, "--cell");
      if (value == "mid") {
        options.table.cell = CellChoice::Mid;
      } else if (value == "min") {
        options.table.cell = CellChoice::Min;
      } else if (value == "max") {
        options.table.cell = CellChoice::Max;
      } else {
        bad_value("--cell", value);
      }
      options.table_options_given = true;
    } else if (is_option(argument, "--sigma-t")) {
      const std::string_view value = option_value(arguments, i, "--sigma-t");
      double sigma = 0.0;
      const auto result = std::from_chars(value.data(), value.data() + value.size(), sigma);
      if (result.ec != std::errc{} || result.ptr != value.data() + value.size() ||
          !std::isfinite(sigma) || !(sigma > 0.0)) {
        bad_value("--sigma-t", value);
      }
      options.table.sigma_t = sigma;
      options.table_options_given = true;
    } else if (argument.starts_with("-") && argument != "-") {
      throw UsageError(concat({"unknown option ", argument}));
    } else if (file_given) {
      throw UsageError("more than one input file");
    } else {
      options.file = argument;
      file_given = true;
    }
  }
  return options;
}

std::string usage_text() {
  return std::string("usage: tk_expansion [options] [FILE]\n") +
         "\n"
         "Principal-axis thermal expansion of a temperature series of unit cells: principal\n"
         "expansivities with errors, their directions in crystal axes, and the volume\n"
         "expansivity, by weighted linear fits of the strains against T.\n"
         "\n"
         "FILE (default " +
         std::string(kDefaultInput) +
         ") is recognised from its content:\n"
         "  a parameter table of read_quavelon_out (\"!\" header lines, then T and the minimum\n"
         "  and maximum cells per row), or a column file of rows \"T sigmaT a b c alpha beta\n"
         "  gamma\" (K, K, A, A, A, deg; blanks or tabs between values; \"#\" starts a comment).\n"
         "\n"
         "Options:\n"
         "  --strain eulerian|lagrangian  strain definition (default eulerian)\n"
         "  --infinitesimal               infinitesimal instead of finite strain\n"
         "                                Only --strain lagrangian with finite strain gives\n"
         "                                principal strains that do not depend on the\n"
         "                                Cartesian frame; the default reproduces the\n"
         "                                standard expansion calculator (PASCal).\n"
         "  --cell mid|min|max            cell of a table row: the mean of minimum and\n"
         "                                maximum (default), or either one\n"
         "  --sigma-t K                   sigma of T for every table row (default 1); the fit\n"
         "                                weights are 1/sigmaT\n"
         "  --help                        show this text\n"
         "  --version                     show the version\n"
         "\n"
         "Writes to the current folder: TK_expansion_summary.tsv, TK_expansion_strain.tsv,\n"
         "TK_expansion_axes.tsv, TK_expansion_volume.tsv, TK_strain.pgf (for kestrova) and\n"
         "TK_pascal_input.txt. Exit status 0, or 2 for bad arguments or bad input.\n";
}

}  // namespace tkx
