#include "tools/kbxlayout/program_folder.h"

#include <system_error>

namespace kbxlayout {
namespace {

constexpr char kRunningProgram[] = "/proc/self/exe";
constexpr char kInstalledTemplates[] = "LAY";

}  // namespace

std::filesystem::path programFolder() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink(kRunningProgram, error);
    if (error) return {};
    return program.parent_path();
}

std::vector<std::filesystem::path> defaultTemplateFolders(const std::filesystem::path& folder) {
    if (folder.empty()) return {};
    std::vector<std::filesystem::path> folders{folder / kInstalledTemplates};
#ifdef KBX_INSTALLED_DATA_FROM_PROGRAM
    // The installed data folder, named by the build relative to the program.
    folders.push_back((folder / KBX_INSTALLED_DATA_FROM_PROGRAM / kInstalledTemplates).lexically_normal());
#endif
#ifdef KBX_SOURCE_DIR
    // A build tree's program reads the templates of the source tree it was built from.
    folders.push_back(std::filesystem::path(KBX_SOURCE_DIR) / "data" / kInstalledTemplates);
#endif
    return folders;
}

std::optional<std::filesystem::path> firstExistingFolder(const std::vector<std::filesystem::path>& folders) {
    for (const std::filesystem::path& folder : folders) {
        std::error_code error;
        if (std::filesystem::is_directory(folder, error)) return folder;
    }
    return std::nullopt;
}

}  // namespace kbxlayout
