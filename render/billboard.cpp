#include "render/billboard.h"

#include "render/texture_manager.h"

namespace {

constexpr int kProgressTexture = 12;
constexpr float kBarHeight = 0.12f;
constexpr float kBarLift = 1.5f; // in planet radii

std::vector<Billboard> bars;

} // namespace

Billboard makeBillboard(int textureKey, Vec3 position) {
    Billboard billboard;
    billboard.texture = textureManager().texture(textureKey);
    billboard.position = position;
    return billboard;
}

void scaleBillboard(Vec3 scale, Billboard& billboard) {
    billboard.modelMatrix = glm::scale(billboard.modelMatrix, scale);
}

void scaleBillboard(float scale, Billboard& billboard) {
    scaleBillboard(Vec3{scale}, billboard);
}

void buildBalanceBars() {
    const Galaxy& g = galaxy();
    bars.clear();
    bars.reserve(g.planets.size());
    for (const auto& planet : g.planets) {
        const Vec3 above = planet->position + Vec3{0.0f, kBarLift * planet->radius, 0.0f};
        Billboard bar = makeBillboard(kProgressTexture, above);
        scaleBillboard(Vec3{g.captureRadius, kBarHeight, 1.0f}, bar);
        bars.push_back(bar);
    }
}

const std::vector<Billboard>& balanceBars() {
    return bars;
}

void forgetBalanceBars() {
    bars.clear();
}
