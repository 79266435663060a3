#version 150 core
// Planets, moons and trade-route markers. Moons come many to a draw: with
// "instanced" set, each reads its model matrix, light direction and tint
// from six rows of the instance buffer instead of the uniforms.

in vec4 in_position;
in vec3 in_normal;
in vec2 in_texCoord;

struct Light {
    vec3 direction; // the way the light travels
    vec4 ambientColor;
    vec4 diffuseColor;
    vec4 specularColor;
};

struct Material {
    vec4 diffuseColor;
};

uniform mat4 projectionMatrix;
uniform mat4 modelMatrix;
uniform mat4 viewMatrix;
uniform mat3 normalMatrix;
uniform Light light;
uniform Material material;
uniform float instanced;
uniform samplerBuffer instances;

out vec3 worldPosition;
out vec3 worldNormal;
out vec3 eyePosition;
out vec2 texCoord;
flat out vec3 lightDirection;
flat out vec4 diffuseTint;

const int rowsPerInstance = 6;

void main() {
    mat4 model = modelMatrix;
    mat3 turn = normalMatrix;
    lightDirection = light.direction;
    diffuseTint = material.diffuseColor;
    if (instanced > 0.5) {
        int first = gl_InstanceID * rowsPerInstance;
        model = mat4(texelFetch(instances, first), texelFetch(instances, first + 1),
                     texelFetch(instances, first + 2), texelFetch(instances, first + 3));
        turn = mat3(model);
        lightDirection = texelFetch(instances, first + 4).xyz;
        diffuseTint = texelFetch(instances, first + 5);
    }
    vec4 world = model * in_position;
    worldPosition = world.xyz;
    worldNormal = turn * in_normal;
    // The view only turns and moves the world, so the eye sits at minus the
    // turned-back translation: far cheaper per vertex than an inverse.
    eyePosition = -(transpose(mat3(viewMatrix)) * viewMatrix[3].xyz);
    texCoord = in_texCoord;
    gl_Position = projectionMatrix * (viewMatrix * world);
}
