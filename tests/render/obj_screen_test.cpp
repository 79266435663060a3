#include <string>

#include <gtest/gtest.h>

#include "render/obj_screen.h"

namespace {

const std::string kTriangle = "# one triangle\n"
                              "o ship\n"
                              "v 0 0 0\nv 1 0 0\nv 0 1.5e0 0\n"
                              "vt 0 0\nvt 1 0\nvt 0 1\n"
                              "vn 0 0 1\n"
                              "s off\n"
                              "f 1/1/1 2/2/1 -1/3/1\n"
                              "f 1//1 2//1 3//1\r\n"
                              "usemtl hull\n"
                              "f 1 2 3\n"
                              "l 1 3";

TEST(ObjScreenTest, PlainModelsPass) {
    EXPECT_TRUE(isPlainObjModel(kTriangle));
}

TEST(ObjScreenTest, AnythingTheShipsDoNotNeedIsRefused) {
    EXPECT_FALSE(isPlainObjModel(""));                              // no vertex at all
    EXPECT_FALSE(isPlainObjModel("mtllib ship.mtl\n" + kTriangle)); // material library
    EXPECT_FALSE(isPlainObjModel(kTriangle + "\nf 1 2 4"));         // names no vertex
    EXPECT_FALSE(isPlainObjModel(kTriangle + "\nf 1/4 2/1 3/1"));   // no such texture point
    EXPECT_FALSE(isPlainObjModel(kTriangle + "\nf 1 2"));           // not a face
    EXPECT_FALSE(isPlainObjModel(kTriangle + "\nusemtl a b"));
    EXPECT_FALSE(isPlainObjModel(kTriangle + "\nv 1 0x")); // not a number
    EXPECT_FALSE(isPlainObjModel(std::string("v 0 0 0\0", 8) + "\nv 1 0 0\nv 0 1 0\nf 1 2 3"));
    EXPECT_FALSE(isPlainObjModel("v 0 0 0\nv 1 0 \xb0\n")); // binary bytes
    EXPECT_FALSE(isPlainObjModel("PK\x03\x04 this is a zip"));
}

} // namespace
