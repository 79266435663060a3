// Indexed 3D geometry: a CPU copy of the vertex data and the GL vertex array
// with its buffers. The game's meshes each sit under a mesh kind that
// planets, moons and ships name in their ModelInstance.
#pragma once

#include <cstdint>
#include <vector>

#include <epoxy/gl.h>

#include "sim/galaxy.h"

class ShaderProgram;

// Spheres of 12, 24 and 40 slices for planets and moons between the
// coarsest and the full sphere's sizes on screen; drawn only by the
// renderer, so they have no kind in the simulation's list.
constexpr int kMiddleSphereKind = 100;
constexpr int kSmallSphereKind = 101;
constexpr int kTinySphereKind = 102;
// The turret for turrets a few pixels across, chosen by the ship pass.
constexpr int kTurretLowKind = 103;
// The hull for hulls a dozen pixels long, chosen by the ship pass.
constexpr int kHullFarKind = 104;

struct Mesh {
    std::vector<float> positions; // x, y, z, 1 per vertex
    std::vector<float> normals;   // 3 per vertex
    std::vector<float> texCoords; // u, v per vertex
    std::vector<std::uint32_t> indices;
    int vertexCount = 0;
    int indexCount = 0;
    GLuint positionBuffer = 0;
    GLuint normalBuffer = 0;
    GLuint indexBuffer = 0;
    GLuint texCoordBuffer = 0;
    GLuint vertexArray = 0;
};

// The mesh of a kind, or null for a kind without one.
Mesh* meshForKind(int kind);

// The holder of a model's texture name, or null when it has no texture.
GLuint* textureOf(const ModelInstance& model);

// A UV sphere about the origin with `slices` (even) slices and slices / 2
// stacks. Poles and the seam repeat their vertex, each with its own
// texture coordinate.
void buildSphere(Mesh& mesh, float radius, int slices);

// A 21 x 21 vertex grid of lines in the plane z = 0, centred on the origin.
void buildGrid(Mesh& mesh, float width, float height);

// Fills the CPU data of all the meshes.
void buildAllMeshes();

// Creates the GL buffers and vertex array of a mesh and wires its
// attributes to the inputs the program has.
void uploadMesh(Mesh& mesh, const ShaderProgram& program);

// Deletes the GL objects of all meshes. Needs the GL context.
void destroyMeshes();

// Empties all meshes without touching GL, for when the context is gone.
void forgetMeshes();
