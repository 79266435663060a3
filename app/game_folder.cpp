#include "app/game_folder.h"

#include <system_error>

namespace fs = std::filesystem;

namespace {

// Everything the game reads. A folder with only some of it is someone
// else's: the repository's root has Shaders/ too.
bool hasGameFiles(const fs::path& folder) {
    std::error_code error;
    if (!fs::is_regular_file(folder / "game.config", error)) {
        return false;
    }
    for (const char* name : {"Shaders", "Textures", "Models", "Sounds"}) {
        if (!fs::is_directory(folder / name, error)) {
            return false;
        }
    }
    return true;
}

} // namespace

fs::path chooseGameFolder(const fs::path& working, const fs::path& executableFolder) {
    if (hasGameFiles(working) || executableFolder.empty() || !hasGameFiles(executableFolder)) {
        return working;
    }
    return executableFolder;
}

void enterGameFolder() {
    std::error_code error;
    const fs::path working = fs::current_path(error);
    const fs::path executable = fs::read_symlink("/proc/self/exe", error);
    const fs::path chosen =
        chooseGameFolder(working, error ? fs::path{} : executable.parent_path());
    if (chosen != working) {
        fs::current_path(chosen, error);
    }
}
