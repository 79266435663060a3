#include "render/scene_objects.h"

#include "math/degrees.h"

namespace {

constexpr int kSunTexture = 60;
constexpr int kFirstFlareTexture = 70;
constexpr Vec3 kSunStart{180.0f, 60.0f, 180.0f};
constexpr float kSunScale = 30.0f;

SceneObjects objects;

} // namespace

SceneObjects& sceneObjects() {
    return objects;
}

void createSceneObjects() {
    const Mat4 identity{1.0f};
    objects.layerGrids[0] = rotateDegrees(identity, 90.0f, Vec3{1.0f, 0.0f, 0.0f});
    objects.layerGrids[1] = rotateDegrees(rotateDegrees(identity, 90.0f, Vec3{0.0f, 0.0f, 1.0f}),
                                          90.0f, Vec3{0.0f, 1.0f, 0.0f});
    objects.sun = makeBillboard(kSunTexture, kSunStart);
    scaleBillboard(kSunScale, objects.sun);
    for (int i = 0; i < static_cast<int>(objects.flares.size()); ++i) {
        objects.flares[static_cast<std::size_t>(i)] =
            makeBillboard(kFirstFlareTexture + i, Vec3{0.0f});
    }
}
