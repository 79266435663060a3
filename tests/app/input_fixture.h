// The keyboard and mouse handlers driven without a window, from a fresh
// galaxy, camera and key table, with standard output captured.
#pragma once

#include <iostream>
#include <sstream>

#include <gtest/gtest.h>

#include "app/edge_scrolling.h"
#include "app/keyboard.h"
#include "app/mouse.h"
#include "math/camera.h"
#include "platform/keys.h"
#include "platform/window.h"
#include "render/render_state.h"
#include "sim/clock.h"
#include "sim/galaxy.h"

class InputTest : public ::testing::Test {
  protected:
    void SetUp() override {
        resetGalaxy();
        resetRenderState();
        resetKeyboard();
        resetMouse();
        resetEdgeScrolling();
        releaseAllKeys();
        initCamera();
        setCameraStepSource([] { return static_cast<float>(galaxy().frameDelta); });
        setKeyboardWindowCheck([] { return true; });
        setClockSource([this] { return now; });
        setKeyHandler(handleKey);
        setMouseButtonHandler(handleMouseButton);
        savedOut = std::cout.rdbuf(captured.rdbuf());
    }

    void TearDown() override {
        std::cout.rdbuf(savedOut);
        setKeyHandler({});
        setMouseButtonHandler({});
        setKeyboardWindowCheck({});
        setClockSource([] { return 0.0; });
        releaseAllKeys();
        resetGalaxy();
    }

    static void press(int key) { injectKey(key, KeyAction::Press); }
    static void release(int key) { injectKey(key, KeyAction::Release); }
    static void tap(int key) {
        press(key);
        release(key);
    }

    // Everything printed since the last call.
    std::string output() {
        const std::string text = captured.str();
        captured.str("");
        return text;
    }

    ShipRef addShip(bool isPlayer, Vec3 position) {
        auto ship = std::make_shared<Ship>(isPlayer, position, 1.0f);
        shipsOfSide(isPlayer).push_back(ship);
        return ship;
    }

    Planet& addPlanet(Side owner, Vec3 position, float radius = 1.0f) {
        auto planet = std::make_unique<Planet>(radius, 5.0f, position, 1);
        planet->owner = owner;
        planet->playerClaim = owner == Side::Player ? 100.0 : 0.0;
        planet->computerClaim = owner == Side::Computer ? 100.0 : 0.0;
        galaxy().planets.push_back(std::move(planet));
        return *galaxy().planets.back();
    }

    double now = 100.0;

  private:
    std::ostringstream captured;
    std::streambuf* savedOut = nullptr;
};
