// Checks the generated textures and ship models against what the game's
// texture manager and model importer expect of them.

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include <FreeImage.h>
#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

const fs::path kGameDir = VORLAXIS_GAME_DIR;

enum class Kind { Planet, Sky, Additive, Alpha, Plain };

struct TextureRow {
    const char* file;
    int width;
    int height;
    int bpp; // 24 for the GL_BGR rows, 32 for the GL_BGRA rows
    Kind kind;
};

// Every image the game loads, with the size the generator promises.
std::vector<TextureRow> textureRows() {
    std::vector<TextureRow> rows;
    for (const char* file : {"planet1.bmp", "planet2.bmp", "planet3.bmp", "planet4.bmp",
                             "planet5.bmp", "planet6.bmp", "planet4_night.bmp"})
        rows.push_back({file, 1024, 512, 24, Kind::Planet});
    rows.push_back({"BackgroundStars.png", 4096, 2048, 24, Kind::Sky});
    for (const char* file : {"abstractShipPlayer.tif", "abstractShipComputer.tif"})
        rows.push_back({file, 128, 128, 32, Kind::Alpha});
    rows.push_back({"lasertest.tif", 256, 64, 32, Kind::Alpha});
    for (const char* file : {"Sun.bmp", "lensstar.bmp"})
        rows.push_back({file, 512, 512, 24, Kind::Additive});
    for (const char* file :
         {"Flare1.bmp", "Flare2.bmp", "Flare3.bmp", "Flare4.bmp", "flare01.bmp", "flare02.png",
          "flare03.png", "flare04.png", "flare05.png", "flare06.png", "flare07.png", "flare08.png",
          "flare09.png", "flare10.png"})
        rows.push_back({file, 256, 256, 24, Kind::Additive});
    rows.push_back({"Progress.bmp", 512, 32, 24, Kind::Plain});
    rows.push_back({"shiphull.jpg", 512, 512, 24, Kind::Plain});
    for (const char* file : {"keyboardlayoutTemplate.bmp", "lost.bmp", "victoryscreen.bmp"})
        rows.push_back({file, 1440, 780, 24, Kind::Plain});
    return rows;
}

// A loaded image, read the way the game reads it (FreeImage, flags 0).
class Picture {
  public:
    explicit Picture(const fs::path& path)
        : bitmap_(FreeImage_Load(FreeImage_GetFileType(path.c_str(), 0), path.c_str(), 0)) {}
    ~Picture() { FreeImage_Unload(bitmap_); }
    Picture(const Picture&) = delete;

    bool loaded() const { return bitmap_ != nullptr; }
    int width() const { return int(FreeImage_GetWidth(bitmap_)); }
    int height() const { return int(FreeImage_GetHeight(bitmap_)); }
    int bpp() const { return int(FreeImage_GetBPP(bitmap_)); }
    // Row 0 is the top of the picture; FreeImage keeps rows bottom-up.
    const BYTE* pixel(int x, int y) const {
        return FreeImage_GetScanLine(bitmap_, height() - 1 - y) + x * (bpp() / 8);
    }
    int brightness(int x, int y) const {
        const BYTE* p = pixel(x, y);
        return p[FI_RGBA_RED] + p[FI_RGBA_GREEN] + p[FI_RGBA_BLUE];
    }
    int alpha(int x, int y) const { return pixel(x, y)[FI_RGBA_ALPHA]; }

  private:
    FIBITMAP* bitmap_ = nullptr;
};

// Mean absolute brightness step between two columns.
double columnDifference(const Picture& p, int a, int b) {
    double sum = 0;
    for (int y = 0; y < p.height(); ++y)
        sum += std::abs(p.brightness(a, y) - p.brightness(b, y));
    return sum / p.height();
}

class TextureFile : public testing::TestWithParam<TextureRow> {};

TEST_P(TextureFile, LoadsAtItsRowsDepthAndSizeAndLooksRightWhereItIsUsed) {
    const TextureRow& row = GetParam();
    const Picture p(kGameDir / "Textures" / row.file);
    ASSERT_TRUE(p.loaded()) << row.file;
    EXPECT_EQ(p.bpp(), row.bpp);
    EXPECT_EQ(p.width(), row.width);
    EXPECT_EQ(p.height(), row.height);
    if (row.kind == Kind::Alpha) {
        // A see-through background, corners included, around a solid shape.
        int transparent = 0, opaque = 0;
        for (int y = 0; y < p.height(); ++y)
            for (int x = 0; x < p.width(); ++x) {
                transparent += p.alpha(x, y) == 0;
                opaque += p.alpha(x, y) > 200;
            }
        EXPECT_GT(transparent, p.width() * p.height() / 10);
        EXPECT_GT(opaque, 0);
        EXPECT_EQ(p.alpha(0, 0), 0);
        EXPECT_EQ(p.alpha(p.width() - 1, p.height() - 1), 0);
        return;
    }
    int darkest = 765, brightest = 0;
    for (int y = 0; y < p.height(); y += 3)
        for (int x = 0; x < p.width(); x += 3) {
            darkest = std::min(darkest, p.brightness(x, y));
            brightest = std::max(brightest, p.brightness(x, y));
        }
    EXPECT_GT(brightest - darkest, 150) << "no real picture";
    if (row.kind == Kind::Additive) {
        // Light on the border would draw the quad's square outline in the sky.
        int brightestEdge = 0;
        for (int i = 0; i < p.width(); ++i)
            brightestEdge =
                std::max({brightestEdge, p.brightness(i, 0), p.brightness(i, p.height() - 1),
                          p.brightness(0, i), p.brightness(p.width() - 1, i)});
        EXPECT_LE(brightestEdge, 3);
    }
    if (row.kind == Kind::Planet || row.kind == Kind::Sky) {
        // Mipmapped on a sphere: powers of two, 2:1, and across the seam (last
        // column to first) no more change than between ordinary neighbours.
        EXPECT_TRUE((p.width() & (p.width() - 1)) == 0 && p.width() == 2 * p.height());
        double typical = 0;
        for (int x = 1; x < p.width(); x += p.width() / 16)
            typical += columnDifference(p, x - 1, x) / 16;
        EXPECT_LE(columnDifference(p, p.width() - 1, 0), typical * 2.0 + 2.0);
    }
    if (row.kind == Kind::Planet) {
        // Top and bottom rows each wrap a single point of the sphere, so their
        // texels must be alike, or the poles pinch into streaks.
        for (int y : {0, p.height() - 1}) {
            double step = 0;
            for (int x = 1; x < p.width(); ++x)
                step += std::abs(p.brightness(x, y) - p.brightness(x - 1, y));
            EXPECT_LE(step / (p.width() - 1), 4.0) << "pole row " << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Textures, TextureFile, testing::ValuesIn(textureRows()),
                         [](const testing::TestParamInfo<TextureRow>& info) {
                             std::string name = info.param.file;
                             std::replace(name.begin(), name.end(), '.', '_');
                             return name;
                         });

// The flags the game's model importer reads with.
constexpr unsigned kGameImportFlags = aiProcess_CalcTangentSpace | aiProcess_JoinIdenticalVertices |
                                      aiProcess_Triangulate | aiProcess_GenSmoothNormals |
                                      aiProcess_FlipUVs;

// Read as the game reads it, with the mesh's bounding box worked out too.
class Model {
  public:
    explicit Model(const char* file)
        : scene_(importer_.ReadFile((kGameDir / "Models" / file).string(),
                                    kGameImportFlags | aiProcess_GenBoundingBoxes)) {}
    const aiScene* scene() const { return scene_; }
    const aiMesh& mesh() const { return *scene_->mMeshes[0]; }

  private:
    Assimp::Importer importer_;
    const aiScene* scene_;
};

struct ModelRow {
    const char *name, *file;
    unsigned minTriangles, maxTriangles;
};

class ModelFile : public testing::TestWithParam<ModelRow> {};

TEST_P(ModelFile, ImportsAsOneOutwardFacingTriangleMeshWithNormalsAndTexCoords) {
    const ModelRow& row = GetParam();
    const Model model(row.file);
    ASSERT_NE(model.scene(), nullptr) << row.file;
    ASSERT_EQ(model.scene()->mNumMeshes, 1u);
    const aiMesh& m = model.mesh();
    ASSERT_TRUE(m.HasNormals());
    EXPECT_TRUE(m.HasTextureCoords(0));
    EXPECT_GE(m.mNumFaces, row.minTriangles);
    EXPECT_LE(m.mNumFaces, row.maxTriangles);
    // The game culls back faces: a closed surface wound counter-clockwise
    // from outside encloses a positive volume, and faces agree with normals.
    double volume = 0;
    unsigned agreeing = 0;
    for (unsigned f = 0; f < m.mNumFaces; ++f) {
        ASSERT_EQ(m.mFaces[f].mNumIndices, 3u);
        const unsigned* idx = m.mFaces[f].mIndices;
        const aiVector3D a = m.mVertices[idx[0]], b = m.mVertices[idx[1]], c = m.mVertices[idx[2]];
        volume += (a * (b ^ c)) / 6.0;
        agreeing +=
            ((b - a) ^ (c - a)) * (m.mNormals[idx[0]] + m.mNormals[idx[1]] + m.mNormals[idx[2]]) >
            0;
    }
    EXPECT_GT(volume, 0);
    EXPECT_GE(agreeing, m.mNumFaces * 98 / 100);
    for (unsigned i = 0; i < m.mNumVertices; ++i)
        ASSERT_NEAR(m.mNormals[i].Length(), 1.0f, 0.01f);
}

INSTANTIATE_TEST_SUITE_P(
    Models, ModelFile,
    testing::Values(ModelRow{"HighDetailHull", "spaceshipsmallHIGH.obj", 1000, 3000},
                    ModelRow{"LowDetailHull", "spaceshipsmallLOW.obj", 100, 300},
                    ModelRow{"FarHull", "spaceshipsmallFAR.obj", 100, 250},
                    ModelRow{"Turret", "spaceshipsmallturret.obj", 100, 1000},
                    ModelRow{"FarTurret", "spaceshipsmallturretLOW.obj", 30, 150}),
    [](const testing::TestParamInfo<ModelRow>& info) { return std::string(info.param.name); });

} // namespace
