// The deployment artefacts of the Windows DLL (see deploy.cpp).
#pragma once

#include <filesystem>
#include <string_view>

namespace comgen {

/// Writes into `dir`, for the architecture `arch` (x64 or x86), the side-by-
/// side assembly manifest, the application manifest that depends on it and
/// the installer source; a file is rewritten only when its text changes.
void write_deployment(const std::filesystem::path& dir, std::string_view arch);

}  // namespace comgen
