// Small hand-built galaxies for the simulation tests.
#pragma once

#include <deque>
#include <iostream>
#include <memory>
#include <streambuf>

#include <gtest/gtest.h>

#include "sim/clock.h"
#include "sim/combat.h"
#include "sim/opponent_choice.h"
#include "sim/random.h"
#include "sim/simulation.h"
#include "sim/spatial_index.h"

namespace simtest {

constexpr double kFrame = 1.0 / 60.0;

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kUnderSanitizers = true; // many times slower
#else
constexpr bool kUnderSanitizers = false;
#endif

// Silences what the game prints while it lives; test reports still show.
class MutedConsole {
    struct Sink : std::streambuf {
        int overflow(int c) override { return traits_type::not_eof(c); }
    } sink_;
    std::streambuf* previous_ = std::cout.rdbuf(&sink_);

  public:
    ~MutedConsole() { std::cout.rdbuf(previous_); }
};

class SimTest : public ::testing::Test {
  protected:
    void SetUp() override { resetGalaxy(); }
    void TearDown() override {
        setRandomSource({});
        setClockSource([] { return 0.0; });
        targetedFireKey() = TargetedFireKey{};
        setSpatialIndexEnabled(true);
        chosenOpponent() = OpponentLevel::Standard;
        resetGalaxy();
    }

    // Draws come from `draws` in order, then 0 for ever.
    void scriptDraws(std::deque<int> draws) {
        script = std::move(draws);
        setRandomSource([this] {
            const int draw = script.empty() ? 0 : script.front();
            if (!script.empty())
                script.pop_front();
            return draw;
        });
    }

    static Planet& addPlanet(Vec3 position, float radius = 1.0f, Side owner = Side::Neutral) {
        auto& planet =
            galaxy().planets.emplace_back(std::make_unique<Planet>(radius, 0.0f, position, 1));
        setOwner(*planet, owner);
        return *planet;
    }

    // Hands the planet over with a full claim of its new owner.
    static void setOwner(Planet& planet, Side owner) {
        planet.owner = owner;
        planet.playerClaim = owner == Side::Player ? 100.0 : 0.0;
        planet.computerClaim = owner == Side::Computer ? 100.0 : 0.0;
    }

    // Built as at a planet of radius 1: speed 4.
    static ShipRef addShip(bool isPlayer, Vec3 position) {
        return shipsOfSide(isPlayer).emplace_back(std::make_shared<Ship>(isPlayer, position, 1.0f));
    }

    static void step(double dt, int times = 1) {
        for (int i = 0; i < times; ++i) {
            galaxy().frameDelta = dt;
            galaxy().elapsedTime += dt;
            stepSimulation();
        }
    }

    std::deque<int> script;
};

} // namespace simtest
