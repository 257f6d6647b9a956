#include "embedded_files.hpp"

// The assembler copies each file into the program's read-only data between two labels. The
// build passes the files' paths (CMake: KESTROVA_PLOTLY_JS, KESTROVA_REPORT_JS,
// KESTROVA_REPORT_CSS) and rebuilds this file when one of them changes.
#ifdef _WIN32
#define KESTROVA_READ_ONLY_SECTION ".section .rdata,\"dr\"\n"
#else
#define KESTROVA_READ_ONLY_SECTION ".section .rodata\n"
#endif
#define KESTROVA_EMBED(name, file)                                                    \
  asm(KESTROVA_READ_ONLY_SECTION ".balign 16\n.globl " #name "_begin\n" #name         \
                                 "_begin:\n"                                          \
                                 ".incbin \"" file "\"\n.globl " #name "_end\n" #name \
                                 "_end:\n.byte 0\n.text\n")

KESTROVA_EMBED(kestrova_plotly, KESTROVA_PLOTLY_JS);
KESTROVA_EMBED(kestrova_report_js, KESTROVA_REPORT_JS);
KESTROVA_EMBED(kestrova_report_css, KESTROVA_REPORT_CSS);

extern "C" {
extern const char kestrova_plotly_begin[];
extern const char kestrova_plotly_end[];
extern const char kestrova_report_js_begin[];
extern const char kestrova_report_js_end[];
extern const char kestrova_report_css_begin[];
extern const char kestrova_report_css_end[];
}

namespace kestrova {

namespace {

std::string_view between(const char* begin, const char* end) {
  return {begin, static_cast<std::size_t>(end - begin)};
}

}  // namespace

std::string_view plotting_library() {
  return between(kestrova_plotly_begin, kestrova_plotly_end);
}
std::string_view report_script() {
  return between(kestrova_report_js_begin, kestrova_report_js_end);
}
std::string_view report_style() {
  return between(kestrova_report_css_begin, kestrova_report_css_end);
}

}  // namespace kestrova
