#pragma once

#include <span>
#include <string>
#include <string_view>

#include "cli/exit_status.h"

// The manual pages under doc/man are written by hand; these read them so
// that a test can hold them against the program's own tables.
namespace kbxtest {

// The section ".SH NAME" of a manual page up to the next section, with
// roff's escaped minus "\-" read as "-"; empty when the page has none.
std::string manualSection(std::string_view page, std::string_view name);

// The EXIT STATUS section a page has for these codes: a ".TP" paragraph
// with the code in bold and its meaning, per code, in the table's order.
std::string manualExitStatus(std::span<const cli::ExitCode> codes);

}  // namespace kbxtest
