#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "render/mesh.h"
#include "render/model_import.h"
#include "render/obj_screen.h"

namespace {

const std::string kTriangle = "o ship\n"
                              "v 0 0 0\nv 1 0 0\nv 0 1.5e0 0\n"
                              "vt 0 0\nvt 1 0\nvt 0 1\n"
                              "vn 0 0 1\n"
                              "s off\n"
                              "f 1/1/1 2/2/1 -1/3/1\n"
                              "f 1//1 2//1 3//1\r\n"
                              "usemtl hull\n"
                              "f 1 2 3\n"
                              "l 1 3";

// What modelling programs write: a byte order mark, a material library,
// comments in any encoding, vertex colours.
const std::string kExported = "\xef\xbb\xbf# Gr\xc3\xbc\xc3\x9f"
                              "e aus dem Modellierprogramm\n"
                              "mtllib ship.mtl\n"
                              "v 0 0 0 1 0.5 0\nv 1 0 0 1 0.5 0\nv 0 1 0 1 0.5 0\nv 0 0 1 1 0.5 0\n"
                              "vp 0.5\n"
                              "usemtl Rumpf\nf 1 2 3\nf 1 3 4\n";

TEST(ObjScreenTest, UsableStatementsPassAndTheRestIsSkipped) {
    const ObjScreening plain = screenObjModel(kTriangle);
    EXPECT_EQ(plain.refusal, "");
    EXPECT_NE(plain.model.find("f 1/1/1 2/2/1 -1/3/1\nf 1//1 2//1 3//1\n"), std::string::npos);

    const ObjScreening exported = screenObjModel(kExported);
    EXPECT_EQ(exported.refusal, "");
    EXPECT_EQ(exported.model,
              "v 0 0 0\nv 1 0 0\nv 0 1 0\nv 0 0 1\nusemtl Rumpf\nf 1 2 3\nf 1 3 4\n");
    Mesh mesh;
    ASSERT_TRUE(importModelFromMemory(kExported.data(), kExported.size(), mesh));
    EXPECT_EQ(mesh.vertexCount, 4);
    EXPECT_EQ(mesh.indexCount, 6);
    // No texture coordinates: zeros; smooth normals generated.
    EXPECT_EQ(mesh.texCoords, std::vector<float>(8, 0.0f));
    EXPECT_NEAR(std::hypot(mesh.normals[0], mesh.normals[1], mesh.normals[2]), 1.0f, 1e-4f);
}

TEST(ObjScreenTest, MalformedStatementsAreRefusedWithTheirLine) {
    const std::pair<std::string, std::string> cases[] = {
        {"", "no vertex positions"},
        {"PK\x03\x04 this is a zip", "no vertex positions"},
        {kTriangle + "\nf 1 2 4", "line 15: face"},                    // names no vertex
        {kTriangle + "\nf 1/4 2/1 3/1", "line 15: face"},              // no such texture point
        {kTriangle + "\nf 1 2", "line 15: face"},                      // not a face
        {kTriangle + "\nf -9223372036854775808 1 2", "line 15: face"}, // the smallest index
        {kTriangle + "\nusemtl a b", "line 15: malformed material"},
        {kTriangle + "\nv 1 0x", "line 15: malformed vertex"},
        {kTriangle + "\nv nan 0 1", "line 15: malformed vertex"},
        {std::string("v 0 0 0\0", 8) + "\nv 1 0 0\nv 0 1 0\nf 1 2 3", "line 1: malformed vertex"},
    };
    for (const auto& [text, reason] : cases) {
        const ObjScreening screened = screenObjModel(text);
        EXPECT_EQ(screened.refusal.rfind(reason, 0), 0u) << screened.refusal;
        EXPECT_EQ(screened.model, "");
    }
}

TEST(ObjScreenTest, ARefusedFileIsNamedOnStandardError) {
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("refused-" + std::to_string(getpid()) + ".obj");
    std::ofstream(file) << "v 0 0 0\nf 1 2 3\n";
    Mesh mesh;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(importModelFile(file.string(), mesh));
    EXPECT_FALSE(importModelFile(file.string() + ".missing", mesh));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Model file " + file.string() +
                  " refused: line 2: face or line naming no such vertex\n" +
                  "Cannot read model file " + file.string() + ".missing\n");
    EXPECT_EQ(mesh.vertexCount, 0);
    std::filesystem::remove(file);
}

} // namespace
