#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "app/command_text.h"

namespace {

// The README's controls table (and with it the manual page) is written from
// the key table: a command added to one and not the other fails here.
TEST(CommandTable, ReadmeControlsTableIsTheKeyTable) {
    std::ifstream readme(std::filesystem::path(VORLAXIS_SOURCE_DIR) / "README.md");
    ASSERT_TRUE(readme);
    std::vector<std::string> table;
    bool inControls = false;
    for (std::string line; std::getline(readme, line);) {
        if (line.starts_with("## ")) {
            inControls = line == "## Controls";
        } else if (inControls && line.starts_with('|')) {
            table.push_back(line);
        }
    }
    std::string wanted;
    for (const std::string& line : readmeControlsTable()) {
        wanted += line + "\n";
    }
    EXPECT_EQ(table, readmeControlsTable()) << "README.md wants under ## Controls:\n" << wanted;
}

} // namespace
