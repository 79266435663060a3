#include "contact_sheet.h"

#include <algorithm>
#include <cstdio>

#include <glm/common.hpp>

#include "assets.h"
#include "render.h"
#include "screen_art.h"
#include "sprites.h"
#include "text.h"

namespace assetgen {

namespace {

constexpr int kColumns = 8;
constexpr int kCell = 232;
constexpr int kThumb = 200;
constexpr int kLabel = 38;
constexpr int kHeader = 50;

void checkerboard(Image& sheet, int x0, int y0, int w, int h) {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const bool dark = ((x / 10) + (y / 10)) % 2 == 0;
            sheet.at(x0 + x, y0 + y) = dark ? hexColor(0x3a3a3a) : hexColor(0x5a5a5a);
        }
}

// Fits an image into the thumbnail box, keeping its aspect ratio.
void placeThumbnail(Image& sheet, const Image& image, int x0, int y0, bool alpha) {
    const float fit = std::min(float(kThumb) / image.width(), float(kThumb) / image.height());
    const int w = std::max(1, int(image.width() * fit)), h = std::max(1, int(image.height() * fit));
    const int x = x0 + (kThumb - w) / 2, y = y0 + (kThumb - h) / 2;
    if (alpha)
        checkerboard(sheet, x, y, w, h);
    sheet.drawImage(image, x, y, w, h);
}

void placeModel(Image& sheet, const Mesh& mesh, int x0, int y0, float yaw, float pitch,
                const Image& plating) {
    sheet.fillRect(x0, y0, x0 + kThumb, y0 + kThumb, hexColor(0x1c2430));
    glm::vec3 lo(1e9f), hi(-1e9f);
    for (const Vertex& v : mesh.vertices) {
        lo = glm::min(lo, v.position);
        hi = glm::max(hi, v.position);
    }
    const glm::vec3 extent = hi - lo;
    MeshView view;
    view.rotation = viewRotation(yaw, pitch);
    view.scale = kThumb * 0.9f / std::max({extent.x, extent.y, extent.z});
    view.centre = glm::vec2(x0 + kThumb / 2, y0 + kThumb / 2) -
                  glm::vec2(view.rotation * ((lo + hi) * 0.5f)) * glm::vec2(1, -1) * view.scale;
    view.outline = Color(0.02f, 0.03f, 0.05f, 1.0f);
    view.texture = &plating;
    drawMesh(sheet, mesh, view);
}

void label(Image& sheet, TextRenderer& text, int x, int y, const std::string& first,
           const std::string& second) {
    text.draw(sheet, first, x, y + 16, FontFace::CondensedBold, 14, hexColor(0xffffff));
    text.draw(sheet, second, x, y + 33, FontFace::Condensed, 13, hexColor(0xa8b4c0));
}

std::string describe(const ImageAsset& asset, const Image& image) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%d x %d, %d bpp", image.width(), image.height(),
                  asset.withAlpha ? 32 : 24);
    return buffer;
}

} // namespace

bool writeContactSheet(const std::string& path) {
    struct ModelShot {
        const ModelAsset* asset;
        float yaw, pitch;
        const char* caption;
    };
    const auto& models = modelAssets();
    const std::vector<ModelShot> shots{{&models[0], -35, 25, "three-quarter"},
                                       {&models[0], 0, 0, "side, nose right"},
                                       {&models[0], 0, 90, "top, nose right"},
                                       {&models[1], -35, 25, "three-quarter"},
                                       {&models[2], -35, 25, "three-quarter"}};
    const int cells = int(imageAssets().size() + shots.size());
    const int rows = (cells + kColumns - 1) / kColumns;
    Image sheet(kColumns * kCell + 16, kHeader + rows * (kCell + kLabel - 20) + 16,
                hexColor(0x101318));
    TextRenderer text;
    text.draw(sheet, "Vorlaxis generated art", 16, 34, FontFace::SansBold, 22, hexColor(0xffffff));

    int index = 0;
    auto cellOrigin = [&](int i) {
        return glm::ivec2(16 + (i % kColumns) * kCell,
                          kHeader + (i / kColumns) * (kCell + kLabel - 20));
    };
    for (const ImageAsset& asset : imageAssets()) {
        const Image image = asset.make();
        const glm::ivec2 o = cellOrigin(index++);
        placeThumbnail(sheet, image, o.x, o.y, asset.withAlpha);
        label(sheet, text, o.x, o.y + kThumb, asset.file, describe(asset, image));
    }
    const Image plating = makeHullPlating();
    for (const ModelShot& shot : shots) {
        const Mesh mesh = shot.asset->make();
        const glm::ivec2 o = cellOrigin(index++);
        placeModel(sheet, mesh, o.x, o.y, shot.yaw, shot.pitch, plating);
        label(sheet, text, o.x, o.y + kThumb, shot.asset->file,
              std::string(shot.caption) + ", " + std::to_string(mesh.triangles.size()) +
                  " triangles");
    }
    return saveImage(sheet, path, FileFormat::Png, false);
}

} // namespace assetgen
