#version 150 core
// Ship hulls and turrets: lit, textured, tinted by the ship's material.

in vec4 in_position;
in vec3 in_normal;
in vec2 in_texCoord;

uniform mat4 projectionMatrix;
uniform mat4 modelMatrix;
uniform mat4 viewMatrix;
uniform mat3 normalMatrix;

out vec3 worldPosition;
out vec3 worldNormal;
out vec3 eyePosition;
out vec2 texCoord;
out float alongHull; // the model's own x: the prow points to +x, the drives to -x

void main() {
    vec4 world = modelMatrix * in_position;
    worldPosition = world.xyz;
    worldNormal = normalMatrix * in_normal;
    // The view only turns and moves the world, so the eye sits at minus the
    // turned-back translation: far cheaper per vertex than an inverse.
    eyePosition = -(transpose(mat3(viewMatrix)) * viewMatrix[3].xyz);
    texCoord = in_texCoord;
    alongHull = in_position.x;
    gl_Position = projectionMatrix * (viewMatrix * world);
}
