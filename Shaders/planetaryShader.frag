#version 150 core
// A planet lit by the sun, with city lights on its night side when it has
// a night texture, and an atmosphere rim in its owner's colour. Markers
// ("simple") are plain glowing beads in the colour they are given.

struct Light {
    vec3 direction; // the way the light travels
    vec4 ambientColor;
    vec4 diffuseColor;
    vec4 specularColor;
};

struct Material {
    vec4 diffuseColor;
};

uniform Light light;
uniform Material material;
uniform sampler2D colorTexture;
uniform sampler2D nightTexture;
uniform float drawNightVersion;
uniform float simple;

in vec3 worldPosition;
in vec3 worldNormal;
in vec3 eyePosition;
in vec2 texCoord;

out vec4 out_color;
out vec4 out_glow;

void main() {
    vec3 n = normalize(worldNormal);
    vec3 toLight = -normalize(light.direction);
    vec3 toEye = normalize(eyePosition - worldPosition);
    float facing = max(dot(n, toEye), 0.0);
    vec3 tint = material.diffuseColor.rgb;

    if (simple > 0.5) {
        vec3 bead = tint * (0.55 + 0.45 * facing);
        out_color = vec4(bead, 1.0);
        out_glow = vec4(bead * 0.6, 1.0);
        return;
    }

    vec3 surface = texture(colorTexture, texCoord).rgb;
    float daylight = max(dot(n, toLight), 0.0);
    vec3 color = surface * (0.06 * light.ambientColor.rgb + daylight * light.diffuseColor.rgb);
    vec3 halfway = normalize(toLight + toEye);
    color += 0.12 * pow(max(dot(n, halfway), 0.0), 24.0) * light.specularColor.rgb;

    if (drawNightVersion > 0.5) {
        float night = 1.0 - smoothstep(0.0, 0.25, dot(n, toLight));
        vec3 lights = texture(nightTexture, texCoord).rgb;
        color += lights * night;
    }

    // Owner colours are given well above 1 so they read from afar; scale
    // them down to a soft atmosphere.
    vec3 owner = tint / max(max(tint.r, tint.g), max(tint.b, 1.0));
    float rim = pow(1.0 - facing, 2.5);
    color += owner * rim * (0.25 + 0.75 * daylight);

    out_color = vec4(color, 1.0);
    out_glow = vec4(owner * rim * 0.5, 1.0);
}
