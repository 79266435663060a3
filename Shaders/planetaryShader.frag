#version 150 core
// Planets lit by the sun: a soft terminator, a faint fill so a planet's
// night side keeps its shape, city lights on the night side of worlds that
// have them, and an atmosphere in the colour of whoever holds the planet.
// Route beads ("simple") are small lamps in the colour they are given.

struct Light {
    vec3 direction; // the way the light travels
    vec4 ambientColor;
    vec4 diffuseColor;
    vec4 specularColor;
};

uniform Light light;
uniform sampler2D colorTexture;
uniform sampler2D nightTexture;
uniform float drawNightVersion;
uniform float simple;

in vec3 worldPosition;
in vec3 worldNormal;
in vec3 eyePosition;
in vec2 texCoord;
flat in vec3 lightDirection; // the way the light travels
flat in vec4 diffuseTint; // the material's diffuse colour

out vec4 out_color;
out vec4 out_glow;

// A thin pale haze for planets nobody holds.
const vec3 neutralHaze = vec3(0.32, 0.42, 0.55);

void main() {
    vec3 n = normalize(worldNormal);
    vec3 toEye = normalize(eyePosition - worldPosition);
    float facing = clamp(dot(n, toEye), 0.0, 1.0);
    vec3 tint = diffuseTint.rgb;
    float strength = max(max(tint.r, tint.g), tint.b);

    if (simple > 0.5) {
        // Bead colours above 1 burn brighter and glow more.
        vec3 bead = tint * (0.5 + 0.5 * facing);
        out_color = vec4(bead, 1.0);
        out_glow = vec4(bead * 0.5, 1.0);
        return;
    }

    vec3 toLight = -normalize(lightDirection);
    float sunSide = dot(n, toLight);
    float daylight = clamp((sunSide + 0.08) / 1.08, 0.0, 1.0);
    vec3 surface = texture(colorTexture, texCoord).rgb;
    vec3 color = surface * (0.025 * light.ambientColor.rgb + 0.22 * facing
                            + daylight * light.diffuseColor.rgb);
    vec3 halfway = normalize(toLight + toEye);
    color += 0.1 * daylight * pow(max(dot(n, halfway), 0.0), 30.0) * light.specularColor.rgb;

    vec3 lights = vec3(0.0);
    if (drawNightVersion > 0.5) {
        float night = 1.0 - smoothstep(-0.12, 0.15, sunSide);
        lights = texture(nightTexture, texCoord).rgb * night;
        color += lights * 1.2;
    }

    // Owner tints come well above 1 (neutral is plain white): the more a
    // tint stands out, the more the planet wears its colour.
    float held = clamp((strength - 1.0) / 4.5, 0.0, 1.0);
    vec3 owner = tint / max(strength, 1.0);
    vec3 air = mix(neutralHaze, owner, held);
    float rim = pow(1.0 - facing, 2.5);
    float airLight = mix(0.35, 1.0, daylight) * mix(0.6, 1.4, held);
    color = mix(color, color * (0.4 + 1.2 * owner), 0.2 * held);
    color += air * rim * airLight + owner * held * 0.03;

    out_color = vec4(color, 1.0);
    out_glow = vec4(owner * held * rim * 0.7 + lights * 0.25, 1.0);
}
