// The balance benchmark: scripted players against each computer opponent,
// headless, from fixed seeds at a fixed frame time, the player's ships
// ordered once a simulated second. Prints, for each opponent and strategy,
// the wins, losses and undecided games, the time to the outcome, and how
// long before the end the outcome was certain (the winner holding twice the
// loser's ships, or three times its planets, from then on).
//   balance_bench [--seeds N] [--opponent NAME] [--strategy NAME] [--jobs J]
//                 [--frame SECONDS] [--games 1] [--trace 1]
// --games 1 prints a line for each game after the table; --trace 1 prints to
// the error stream, for each game, both sides' ships, planets, ships claiming
// and idle ships every ten seconds, --trace 2 also every second of the first
// two minutes, where an opening is won or lost.
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "bench/balance_players.h"
#include "sim/galaxy.h"
#include "sim/game_speed.h"
#include "sim/generation.h"
#include "sim/opponent_choice.h"

namespace {

double frameTime = 1.0 / 30.0;
bool listGames = false;
int traceGames = 0;

// Of one side's ships: those claiming a planet not yet firmly theirs, and
// those standing idle.
std::pair<int, int> claimingAndIdle(const ShipList& ships, Side side) {
    int claiming = 0, idle = 0;
    for (const ShipRef& ship : ships) {
        idle += ship->waypoints.empty();
        for (const auto& planet : galaxy().planets) {
            if (glm::length(planet->position - ship->position) < galaxy().captureRadius &&
                (planet->owner != side || !isEstablished(*planet))) {
                ++claiming;
                break;
            }
        }
    }
    return {claiming, idle};
}

constexpr double kGameLimit = 30.0 * 60.0;

struct Game {
    OpponentLevel opponent;
    int strategy;
    unsigned seed;
};

struct Outcome {
    int result = 0; // +1 won, -1 lost, 0 undecided
    double end = 0.0;
    double shipsCertain = -1.0;   // from when the winner held 2:1 ships
    double planetsCertain = -1.0; // from when the winner held 3:1 planets
};

int ownedPlanets(Side side) {
    int count = 0;
    for (const auto& planet : galaxy().planets)
        count += planet->owner == side;
    return count;
}

// Whether side `winner` (+1 the player) leads by `factor` in a count.
bool leads(int player, int computer, int winner, double factor) {
    return winner > 0 ? player >= factor * std::max(computer, 1)
                      : computer >= factor * std::max(player, 1);
}

// One line of a game's course, to the error stream.
void trace(const Game& game, double time) {
    const Galaxy& g = galaxy();
    const auto player = claimingAndIdle(g.playerShips, Side::Player);
    const auto computer = claimingAndIdle(g.computerShips, Side::Computer);
    std::fprintf(
        stderr, "trace %s %s %u t=%.0f ships %zu:%zu planets %d:%d claiming %d:%d idle %d:%d\n",
        std::string(opponentName(game.opponent)).c_str(), playerStrategyName(game.strategy).c_str(),
        game.seed, time, g.playerShips.size(), g.computerShips.size(), ownedPlanets(Side::Player),
        ownedPlanets(Side::Computer), player.first, computer.first, player.second, computer.second);
}

Outcome play(const Game& game) {
    resetGalaxy();
    chosenOpponent() = game.opponent;
    std::srand(game.seed);
    buildGalaxy();
    Galaxy& g = galaxy();
    struct Sample {
        double time;
        int playerShips, computerShips, playerPlanets, computerPlanets;
    };
    std::vector<Sample> samples;
    double nextOrders = 0.0;
    while (g.elapsedTime < kGameLimit && !g.playerVictorious && !g.playerDefeated) {
        if (g.elapsedTime >= nextOrders) {
            orderPlayerShips(game.strategy);
            samples.push_back({g.elapsedTime, int(g.playerShips.size()),
                               int(g.computerShips.size()), ownedPlanets(Side::Player),
                               ownedPlanets(Side::Computer)});
            if (traceGames > 0 &&
                (samples.size() % 10 == 1 || (traceGames > 1 && g.elapsedTime < 120.0)))
                trace(game, samples.back().time);
            nextOrders += 1.0;
        }
        advanceFrame(frameTime);
    }
    Outcome outcome;
    outcome.end = g.elapsedTime;
    outcome.result = g.playerVictorious ? 1 : g.playerDefeated ? -1 : 0;
    if (outcome.result == 0)
        return outcome;
    outcome.shipsCertain = outcome.planetsCertain = outcome.end;
    bool ships = true, planets = true;
    for (auto it = samples.rbegin(); it != samples.rend(); ++it) {
        ships = ships && leads(it->playerShips, it->computerShips, outcome.result, 2.0);
        planets = planets && leads(it->playerPlanets, it->computerPlanets, outcome.result, 3.0);
        if (ships)
            outcome.shipsCertain = it->time;
        if (planets)
            outcome.planetsCertain = it->time;
    }
    return outcome;
}

std::string describe(const Outcome& o) {
    std::ostringstream out;
    out << o.result << ' ' << o.end << ' ' << o.shipsCertain << ' ' << o.planetsCertain;
    return out.str();
}

// Plays every `jobs`-th game from `first` in a child process; returns the
// pipe its lines come from.
FILE* startWorker(const std::vector<Game>& games, std::size_t first, std::size_t jobs) {
    int ends[2];
    if (pipe(ends) != 0)
        std::exit(2);
    if (fork() == 0) {
        close(ends[0]);
        std::ostringstream swallowed; // the computer's route announcements
        std::cout.rdbuf(swallowed.rdbuf());
        FILE* out = fdopen(ends[1], "w");
        for (std::size_t i = first; i < games.size(); i += jobs) {
            const std::string line = std::to_string(i) + ' ' + describe(play(games[i]));
            std::fprintf(out, "%s\n", line.c_str());
            std::fflush(out);
            swallowed.str("");
        }
        std::fclose(out);
        std::_Exit(0);
    }
    close(ends[1]);
    return fdopen(ends[0], "r");
}

double median(std::vector<double> values) {
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

std::string minutes(double seconds) {
    char text[16];
    std::snprintf(text, sizeof text, "%.1f", seconds / 60.0);
    return text;
}

// One row: wins, losses, undecided; median (min-max) minutes to the outcome;
// median and largest minutes the outcome was certain before the end.
void printRow(const std::string& opponent, const std::string& strategy,
              const std::vector<Outcome>& outcomes) {
    int won = 0, lost = 0, open = 0;
    std::vector<double> ends, shipsLead, planetsLead;
    for (const Outcome& o : outcomes) {
        won += o.result > 0;
        lost += o.result < 0;
        open += o.result == 0;
        if (o.result != 0) {
            ends.push_back(o.end);
            shipsLead.push_back(o.end - o.shipsCertain);
            planetsLead.push_back(o.end - o.planetsCertain);
        }
    }
    const auto range = [&](const std::vector<double>& v) {
        if (v.empty())
            return std::string("-");
        return minutes(median(v)) + " (" + minutes(*std::min_element(v.begin(), v.end())) + "-" +
               minutes(*std::max_element(v.begin(), v.end())) + ")";
    };
    std::printf("| %-9s | %-18s | %3d | %3d | %3d | %-16s | %-16s | %-16s |\n", opponent.c_str(),
                strategy.c_str(), won, lost, open, range(ends).c_str(), range(shipsLead).c_str(),
                range(planetsLead).c_str());
}

} // namespace

int main(int argc, char** argv) {
    unsigned seeds = 40;
    std::size_t jobs = 2;
    std::vector<OpponentLevel> opponents(kOpponentLevels.begin(), kOpponentLevels.end());
    std::vector<int> strategies;
    for (int s = 0; s < kPlayerStrategies; ++s)
        strategies.push_back(s);
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i], value = argv[i + 1];
        if (option == "--seeds")
            seeds = unsigned(std::atoi(value.c_str()));
        else if (option == "--frame")
            frameTime = std::atof(value.c_str());
        else if (option == "--jobs")
            jobs = std::max(1, std::atoi(value.c_str()));
        else if (option == "--games")
            listGames = value == "1";
        else if (option == "--trace")
            traceGames = std::atoi(value.c_str());
        else if (option == "--opponent")
            opponents.erase(
                std::remove_if(opponents.begin(), opponents.end(),
                               [&](OpponentLevel l) { return opponentName(l) != value; }),
                opponents.end());
        else if (option == "--strategy")
            strategies.erase(std::remove_if(strategies.begin(), strategies.end(),
                                            [&](int s) { return playerStrategyName(s) != value; }),
                             strategies.end());
    }
    std::vector<Game> games;
    for (OpponentLevel opponent : opponents)
        for (int strategy : strategies)
            for (unsigned seed = 1; seed <= seeds; ++seed)
                games.push_back({opponent, strategy, seed});
    std::vector<Outcome> outcomes(games.size());
    std::vector<FILE*> workers;
    for (std::size_t w = 0; w < jobs; ++w)
        workers.push_back(startWorker(games, w, jobs));
    for (FILE* worker : workers) {
        std::size_t index;
        Outcome o;
        while (std::fscanf(worker, "%zu %d %lf %lf %lf", &index, &o.result, &o.end, &o.shipsCertain,
                           &o.planetsCertain) == 5)
            outcomes[index] = o;
        std::fclose(worker);
    }
    while (wait(nullptr) > 0) {
    }
    std::printf("%u seeds a row; minutes: median (min-max). Certain: how long before the end the "
                "winner held 2:1 ships / 3:1 planets for good.\n\n",
                seeds);
    std::printf(
        "| opponent  | player             | won | lost| open| to the outcome   | certain, ships   "
        "| certain, planets |\n|---|---|---|---|---|---|---|---|\n");
    for (std::size_t first = 0; first < games.size(); first += seeds) {
        const std::vector<Outcome> row(outcomes.begin() + long(first),
                                       outcomes.begin() + long(first + seeds));
        printRow(std::string(opponentName(games[first].opponent)),
                 playerStrategyName(games[first].strategy), row);
    }
    if (listGames) {
        std::printf("\nopponent player seed result end ships-certain planets-certain (minutes)\n");
        for (std::size_t i = 0; i < games.size(); ++i) {
            const Outcome& o = outcomes[i];
            std::printf("game %s %s %u %d %s %s %s\n",
                        std::string(opponentName(games[i].opponent)).c_str(),
                        playerStrategyName(games[i].strategy).c_str(), games[i].seed, o.result,
                        minutes(o.end).c_str(), minutes(o.end - o.shipsCertain).c_str(),
                        minutes(o.end - o.planetsCertain).c_str());
        }
    }
    return 0;
}
