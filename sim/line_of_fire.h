// Whether a planet stands in the line of fire. A shot is blocked by any
// planet the ray from the shooter through the aim point meets, beyond the
// aim point too.
//
// A shooter that weighs many targets sorts the planets by compass direction
// first: a planet can only block rays whose direction, seen from above,
// falls within the planet's silhouette, widened by a safe margin. Each ray is
// then tested only against the planets of its direction, with the same test
// as against all of them.
#pragma once

#include <vector>

#include "sim/galaxy.h"

// A planet as seen from a shooter: the terms of the ray test that do not
// depend on the ray's direction.
struct PlanetSighting {
    Vec3 fromCentre; // shooter minus planet centre
    float c;         // squared distance minus squared radius

    PlanetSighting(Vec3 origin, const Planet& planet);
};

// The exact test for one planet.
bool rayMeetsPlanet(Vec3 direction, const PlanetSighting& sighting);

// The lines of fire of one shooter; one shooter at a time.
class LineOfFire {
  public:
    // With `sorted` false every shot is tested against every planet.
    LineOfFire(Vec3 shooter, bool sorted);
    bool isClear(Vec3 point);

  private:
    void sortPlanets();

    Vec3 origin_;
    bool sorted_;
    bool ready_ = false;
};
