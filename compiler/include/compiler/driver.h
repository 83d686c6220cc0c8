#pragma once

// The whole compiler call behind the export `kbxc`: log, source checks, two
// passes, image. It lives outside the compiler's namespace because that
// namespace shares its name with the export; results are the export's
// (KBXC_OK, KBXC_FAILED, KBXC_NO_SOURCE, KBXC_NO_LOG).
int kbxcCompileLayout(const char* source, const char* output, const char* log, void (*progress)(int percent));
