#include "app/scripted_ends.h"

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "sim/galaxy.h"

namespace {

enum class ScriptedEnd { None, Defeat, Victory };

// The outcomes of a VORLAXIS_TEST_ENDS value; an unknown word ends nothing.
std::vector<ScriptedEnd> parseScriptedEnds(const std::string& list) {
    std::vector<ScriptedEnd> ends;
    std::istringstream words(list);
    for (std::string word; std::getline(words, word, ',');) {
        ends.push_back(word == "defeat"    ? ScriptedEnd::Defeat
                       : word == "victory" ? ScriptedEnd::Victory
                                           : ScriptedEnd::None);
    }
    return ends;
}

} // namespace

void applyScriptedEnd(int gameNumber) {
    static const std::vector<ScriptedEnd> ends = [] {
        const char* list = std::getenv("VORLAXIS_TEST_ENDS");
        return list ? parseScriptedEnds(list) : std::vector<ScriptedEnd>{};
    }();
    Galaxy& g = galaxy();
    if (gameNumber >= static_cast<int>(ends.size()) || g.elapsedTime < kScriptedGameSeconds) {
        return;
    }
    const ScriptedEnd end = ends[static_cast<std::size_t>(gameNumber)];
    g.playerDefeated = g.playerDefeated || end == ScriptedEnd::Defeat;
    g.playerVictorious = g.playerVictorious || end == ScriptedEnd::Victory;
}
