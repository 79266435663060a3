// The frame benchmark's scenes, drawn at half its size, against pictures of
// the same scenes (bench/pictures) drawn by the per-object passes that
// instancing and the sky cache replaced, a close-up of ships and bolts, the
// sun's lens flare, and the battle in the colour-blind palette under the
// overview map.
// Set VORLAXIS_RECORD_PICTURES=1 to redraw them after a change the player
// is meant to see.
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include <FreeImage.h>
#include <gtest/gtest.h>

#include "bench/frame_scenes.h"
#include "render/palette.h"
#include "render/quads.h"
#include "render/renderer.h"
#include "render/scene_passes.h"
#include "render/sky_pass.h"
#include "sim/clock.h"
#include "tests/render/gl_test_support.h"

namespace {

constexpr int kWidth = 720;
constexpr int kHeight = 390;

class PictureTest : public RendererTest {
  protected:
    void SetUp() override {
        RendererTest::SetUp();
        buildQuads();
        installScenePasses(&orderPlaneHeight, &ordersShown);
        setClockSource(sceneClock);
        resizeRenderer(kWidth, kHeight);
    }
    float orderPlaneHeight = -1.0f;
    bool ordersShown = true;
};

std::filesystem::path referenceFile(const char* scene) {
    return std::filesystem::path(VORLAXIS_PICTURE_DIR) / (std::string(scene) + ".png");
}

void save(const std::string& bgr, const std::filesystem::path& file) {
    auto* pixels = reinterpret_cast<BYTE*>(const_cast<char*>(bgr.data()));
    FIBITMAP* image = FreeImage_ConvertFromRawBits(pixels, kWidth, kHeight, kWidth * 3, 24,
                                                   0xFF0000, 0x00FF00, 0x0000FF, FALSE);
    FreeImage_Save(FIF_PNG, image, file.c_str(), 0);
    FreeImage_Unload(image);
}

// BGR rows from the bottom up, as the frame was read; empty when missing.
std::string load(const std::filesystem::path& file) {
    FIBITMAP* image = FreeImage_Load(FIF_PNG, file.c_str(), 0);
    if (image == nullptr) {
        return {};
    }
    std::string bgr(static_cast<std::size_t>(kWidth) * kHeight * 3, '\0');
    FreeImage_ConvertToRawBits(reinterpret_cast<BYTE*>(bgr.data()), image, kWidth * 3, 24, 0xFF0000,
                               0x00FF00, 0x0000FF, FALSE);
    FreeImage_Unload(image);
    return bgr;
}

struct Difference {
    double meanLevels = 0.0;  // per channel
    double farOffShare = 0.0; // pixels off by more than 16 levels in a channel
    double worstBlock = 0.0;  // levels of the 8 x 8 block whose mean is farthest off
};

Difference compare(const std::string& a, const std::string& b) {
    constexpr std::size_t kBlock = 8;
    constexpr std::size_t kAcross = kWidth / kBlock;
    std::vector<int> blockSums(kAcross * (kHeight / kBlock + 1) * 3);
    double sum = 0.0;
    int farOff = 0;
    for (std::size_t p = 0; p + 2 < a.size(); p += 3) {
        const std::size_t block = (p / 3 / kWidth / kBlock * kAcross + p / 3 % kWidth / kBlock) * 3;
        int worst = 0;
        for (std::size_t c = 0; c < 3; ++c) {
            const int d =
                static_cast<unsigned char>(a[p + c]) - static_cast<unsigned char>(b[p + c]);
            sum += std::abs(d);
            worst = std::max(worst, std::abs(d));
            blockSums[block + c] += d;
        }
        farOff += worst > 16 ? 1 : 0;
    }
    double worstBlock = 0.0;
    for (const int blockSum : blockSums)
        worstBlock = std::max(worstBlock, std::abs(blockSum) / double{kBlock * kBlock});
    const double pixels = static_cast<double>(a.size() / 3);
    return {sum / static_cast<double>(a.size()), farOff / pixels, worstBlock};
}

TEST_F(PictureTest, TheScenesLookAsTheyDid) {
    const bool record = std::getenv("VORLAXIS_RECORD_PICTURES") != nullptr;
    // The battle again in the colour-blind palette (F6), with the overview map.
    const auto safeBattle = [] {
        battleView();
        togglePalette();
        scenePasses().overviewMap = [] { drawSceneMap(kWidth, kHeight); };
    };
    const std::pair<const char*, std::function<void()>> scenes[] = {
        {"opening", openingView},
        {"battle", battleView},
        {"contested", contestedView},
        {"sun", sunView},
        {"battle_safe", safeBattle},
        {"closeup", closeUpView}}; // last: it turns the sky and the grids off
    for (const auto& [name, build] : scenes) {
        SCOPED_TRACE(name);
        build();
        const std::string now = captureFrame(kWidth, kHeight);
        if (scenePasses().overviewMap) {
            togglePalette();
            scenePasses().overviewMap = nullptr;
        }
        if (record) {
            save(now, referenceFile(name));
            continue;
        }
        const std::string before = load(referenceFile(name));
        ASSERT_EQ(before.size(), now.size()) << referenceFile(name);
        const Difference d = compare(before, now);
        std::cout << name << ": mean " << d.meanLevels << " levels, " << 100 * d.farOffShare
                  << " % far off, worst block " << d.worstBlock << " levels\n";
        EXPECT_LT(d.meanLevels, 0.5);
        EXPECT_LT(d.farOffShare, 0.002);
        // A lost turret, tint or bolt order moves a block of the close-up by
        // 23 levels or more; the instanced passes moved none by 10.
        EXPECT_LT(d.worstBlock, 12.0);
        ASSERT_GT(compare(now, std::string(now.size(), '\0')).meanLevels, 2.0) << "a black frame";
    }
}

// The sky is drawn once, then copied while the view stays the same.
TEST_F(PictureTest, TheSkyIsRedrawnForANewSizeOrFieldOfView) {
    const auto copiedIsFresh = [] {
        renderFrame();
        const std::vector<unsigned char> copied = readAttachment(0).rgba;
        destroySkyCache();
        renderFrame();
        return readAttachment(0).rgba == copied;
    };
    openingView();
    renderFrame();
    resizeRenderer(kWidth / 2, kHeight / 2); // the same shape, so the same projection
    EXPECT_TRUE(copiedIsFresh()) << "after a resize";
    renderState().projectionMatrix =
        glm::scale(renderState().projectionMatrix, Vec3{1.2f, 1.2f, 1.0f});
    EXPECT_TRUE(copiedIsFresh()) << "after narrowing the field of view";
}

} // namespace
