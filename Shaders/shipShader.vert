#version 150 core
// Ship hulls and turrets, one instance per ship part: lit, textured,
// tinted by the ship's material. Each instance owns eight rows of the
// instance buffer: the model matrix, the light's direction, and the
// ambient, diffuse and specular colours (the specular exponent in the last
// one's alpha). Only the matrix is read per vertex; the fragment shader
// reads the rest, as ships are mostly far smaller on screen than their
// meshes.

in vec4 in_position;
in vec3 in_normal;
in vec2 in_texCoord;

uniform mat4 viewProjectionMatrix;
uniform samplerBuffer instances;

out vec3 worldPosition;
out vec3 worldNormal;
out vec2 texCoord;
out float alongHull; // the model's own x: the prow points to +x, the drives to -x
flat out int instance;

const int rowsPerInstance = 8;

void main() {
    int first = gl_InstanceID * rowsPerInstance;
    mat4 modelMatrix = mat4(texelFetch(instances, first), texelFetch(instances, first + 1),
                            texelFetch(instances, first + 2), texelFetch(instances, first + 3));
    vec4 world = modelMatrix * in_position;
    worldPosition = world.xyz;
    // Parts are scaled evenly, so the model's own turn carries the normals;
    // the fragment shader brings them back to unit length.
    worldNormal = mat3(modelMatrix) * in_normal;
    texCoord = in_texCoord;
    alongHull = in_position.x;
    instance = gl_InstanceID;
    gl_Position = viewProjectionMatrix * world;
}
