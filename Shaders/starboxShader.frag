#version 150 core
// The star field, held back a little so planets and ships stand out
// against it.

uniform sampler2D colorTexture;

in vec2 texCoord;

out vec4 out_color;
out vec4 out_glow;

const float skyLevel = 0.75;

void main() {
    vec3 stars = texture(colorTexture, texCoord).rgb;
    out_color = vec4(stars * skyLevel, 1.0);
    out_glow = vec4(0.0, 0.0, 0.0, 1.0);
}
