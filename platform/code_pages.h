#pragma once

// Conversion between Windows-1252 ("ANSI") and code page 437 ("OEM") texts,
// best fit as the system conversions do: a character without its own place
// in the other code page becomes its nearest look-alike, or "?" (ANSI to
// OEM) / "_" style replacements as the tables say.

#include <string>
#include <string_view>

#include "platform/include/kbxplatform_api.h"

namespace kbx::platform {

KBX_PLATFORM_API unsigned char ansiToOem(unsigned char c);
KBX_PLATFORM_API unsigned char oemToAnsi(unsigned char c);
KBX_PLATFORM_API std::string ansiToOem(std::string_view text);
KBX_PLATFORM_API std::string oemToAnsi(std::string_view text);

}  // namespace kbx::platform
