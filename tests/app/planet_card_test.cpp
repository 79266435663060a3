// The planet card and the selected ships' line, in the words and colours
// the overlay shows.
#include "input_fixture.h"

#include "app/control_groups.h"
#include "app/hud.h"
#include "app/planet_card.h"
#include "app/selection_summary.h"
#include "render/palette.h"

namespace {

using Texts = std::vector<std::string>;

Texts texts(const std::vector<TextLine>& lines) {
    Texts result;
    for (const TextLine& line : lines)
        result.push_back(line.text);
    return result;
}

using PlanetCardTest = InputTest;

TEST_F(PlanetCardTest, CardSaysOwnerClaimsRouteProductionAndQueueInSideColours) {
    Planet& free = addPlanet(Side::Neutral, {0.0f, 0.0f, 40.0f});
    free.playerClaim = 62.4;
    free.computerClaim = 11.6;
    Planet& routed = addPlanet(Side::Player, {40.0f, 0.0f, 0.0f});
    routed.routeTarget = &addPlanet(Side::Player, {0.0f, 0.0f, 0.0f});
    routed.routeLength = 31;
    routed.productionProgress = 18; // 3 ticks of 2.4 s, 5 of 2.8, 5 of 3.2, 1 of 4
    Planet& enemy = addPlanet(Side::Computer, {-40.0f, 0.0f, 0.0f});
    enemy.routeTarget = &free;
    enemy.routeLength = 12;
    enemy.shipQueue = 3;
    enemy.incomingRoutes = 1;
    const std::pair<const Planet*, Texts> cases[] = {
        {&free,
         {"Owner: nobody, not developed", "Claim: you 62 %, enemy 11 %",
          "No ships until developed"}},
        {&routed,
         {"Owner: you, developed", "Claim: you 100 %, enemy 0 %", "Route to you, 31 units away",
          "Progress 18 of 32, next delivery in 42 s"}},
        {&enemy,
         {"Owner: enemy, developed", "Claim: you 0 %, enemy 100 %",
          "Route to nobody, 12 units away (pays nothing)", "Next ship in 2 s",
          "Incoming routes: 1, ships in queue: 3"}},
    };
    for (const auto& [planet, lines] : cases)
        EXPECT_EQ(texts(planetCardLines(*planet)), lines);
    EXPECT_EQ(planetCardLines(enemy)[0].color, paletteOf(PaletteKind::Standard).computerText);
    tap(Key::function(6));
    EXPECT_EQ(planetCardLines(enemy)[0].color, paletteOf(PaletteKind::RedGreenSafe).computerText);
    tap(Key::function(6));
}

TEST_F(PlanetCardTest, CardShowsThePointedPlanetAfterAMomentElseTheOnlySelectedOne) {
    Planet& a = addPlanet(Side::Player, {0.0f, 0.0f, 0.0f});
    Planet& b = addPlanet(Side::Computer, {9.0f, 0.0f, 0.0f});
    a.selected = true;
    const std::tuple<const Planet*, double, const Planet*> steps[] = {
        {nullptr, 0.0, &a}, {&b, 1.0, &a}, {&b, 1.29, &a}, {&b, 1.3, &b}, {nullptr, 1.4, &a}};
    for (const auto& [pointed, when, shown] : steps)
        EXPECT_EQ(cardPlanet(pointed, when), shown) << when;
    b.selected = true; // two selected: no card
    EXPECT_EQ(cardPlanet(nullptr, 2.0), nullptr);
}

// Ctrl+A selects the fleet, Ctrl+Y every own planet and no ship (Y has the
// last word with both held): the line, then the one own planet's card.
TEST_F(PlanetCardTest, SelectedShipsLineCountsHealthMovementAndGroupUntilCtrlYPicksThePlanet) {
    const ShipRef ships[] = {addShip(true, {5.0f, 0.0f, 0.0f}), addShip(true, {6.0f, 0.0f, 0.0f}),
                             addShip(true, {7.0f, 0.0f, 0.0f})};
    ships[1]->health = 1.5;
    ships[1]->moveState = MoveState::Moving;
    addPlanet(Side::Player, {0.0f, 0.0f, 0.0f}).selected = true;
    addPlanet(Side::Computer, {20.0f, 0.0f, 0.0f});
    const auto topLeft = [this] {
        for (const TextBlock& block : hudBlocks(now))
            if (block.anchor == TextAnchor::TopLeft)
                return texts(block.lines);
        return Texts{};
    };
    press(Key::LeftCtrl);
    tap('A');
    tap('3');
    EXPECT_EQ(topLeft(), Texts{"3 ships selected: 7 of 9 health, 1 moving, group 3"});
    ships[2]->selected = false; // no longer the group
    EXPECT_EQ(selectionSummary(galaxy()), "2 ships selected: 4 of 6 health, 1 moving");
    tap('4'); // ships 0 and 1 are group 4; then as many ships, not the same
    ships[0]->selected = false;
    ships[2]->selected = true;
    EXPECT_EQ(selectionSummary(galaxy()), "2 ships selected: 4 of 6 health, 1 moving");
    press('A');
    press('Y');
    EXPECT_EQ(selectionSummary(galaxy()), "");
    EXPECT_EQ(topLeft().front(), "Owner: you, developed");
}

} // namespace
