// Small hand-built galaxies for the simulation tests.
#pragma once

#include <deque>
#include <iostream>
#include <memory>
#include <streambuf>
#include <utility>

#include <gtest/gtest.h>

#include "sim/clock.h"
#include "sim/combat.h"
#include "sim/galaxy.h"
#include "sim/random.h"
#include "sim/simulation.h"
#include "sim/spatial_index.h"

namespace simtest {

constexpr double kFrame = 1.0 / 60.0;

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kUnderSanitizers = true;
#else
constexpr bool kUnderSanitizers = false;
#endif

// Silences what the game prints to std::cout while it lives; the test
// framework's own reports still get through.
class MutedConsole {
  public:
    MutedConsole() : previous_(std::cout.rdbuf(&sink_)) {}
    ~MutedConsole() { std::cout.rdbuf(previous_); }
    MutedConsole(const MutedConsole&) = delete;
    MutedConsole& operator=(const MutedConsole&) = delete;

  private:
    struct Sink : std::streambuf {
        int overflow(int c) override { return traits_type::not_eof(c); }
    };
    Sink sink_;
    std::streambuf* previous_;
};

class SimTest : public ::testing::Test {
  protected:
    void SetUp() override {
        resetGalaxy();
        setClockSource([this] { return now; });
        targetedFireKey() = TargetedFireKey{};
        setSpatialIndexEnabled(true);
    }
    void TearDown() override {
        setRandomSource({});
        setClockSource([] { return 0.0; });
        targetedFireKey() = TargetedFireKey{};
        setSpatialIndexEnabled(true);
        resetGalaxy();
    }

    // Draws come from `draws` in order, then 0 for ever.
    void scriptDraws(std::deque<int> draws) {
        script = std::move(draws);
        setRandomSource([this] {
            if (script.empty()) {
                return 0;
            }
            const int draw = script.front();
            script.pop_front();
            return draw;
        });
    }

    static Planet& addPlanet(Vec3 position, float radius = 1.0f, Side owner = Side::Neutral) {
        auto planet = std::make_unique<Planet>(radius, 0.0f, position, 1);
        planet->owner = owner;
        if (owner == Side::Player) {
            planet->playerClaim = 100.0;
        } else if (owner == Side::Computer) {
            planet->computerClaim = 100.0;
        }
        galaxy().planets.push_back(std::move(planet));
        return *galaxy().planets.back();
    }

    // A ship as a planet of radius 1 would build it: speed 4.
    static ShipRef addShip(bool isPlayer, Vec3 position) {
        auto ship = std::make_shared<Ship>(isPlayer, position, 1.0f);
        shipsOfSide(isPlayer).push_back(ship);
        return ship;
    }

    static void step(double dt, int times = 1) {
        for (int i = 0; i < times; ++i) {
            galaxy().frameDelta = dt;
            galaxy().elapsedTime += dt;
            stepSimulation();
        }
    }

    // Runs whole frames until `seconds` have passed.
    static void run(double seconds, double dt = kFrame) {
        const int frames = static_cast<int>(seconds / dt + 0.5);
        step(dt, frames);
    }

    double now = 0.0;
    std::deque<int> script;
};

} // namespace simtest
