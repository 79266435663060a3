// The game reads all its files relative to the working folder. Started from
// elsewhere (a file manager, or build/game/vorlaxis from the repository) it
// would find none of them.
#pragma once

#include <filesystem>

// The folder to play in: the working folder when it has all the game's files
// (game.config, Shaders/, Textures/, Models/, Sounds/), else the executable's
// folder when that one has them all, else the working folder all the same,
// where every file that cannot be read is named on standard error.
std::filesystem::path chooseGameFolder(const std::filesystem::path& working,
                                       const std::filesystem::path& executableFolder);

// Changes into that folder, the executable's found through /proc/self/exe.
void enterGameFolder();
