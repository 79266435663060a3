#version 150 core

uniform sampler2D colorTexture;

in vec2 texCoord;

out vec4 out_color;
out vec4 out_glow;

void main() {
    vec3 stars = texture(colorTexture, texCoord).rgb;
    out_color = vec4(stars, 1.0);
    out_glow = vec4(0.0, 0.0, 0.0, 1.0);
}
