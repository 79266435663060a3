#version 150 core
// A sprite image tinted by its colour; its alpha fades with the sun's
// distance ahead of the camera. The flare stays a hint over the scene.

uniform sampler2D colorTexture;
uniform vec4 color;

in vec2 texCoord;

out vec4 out_color;
out vec4 out_glow;

const float strength = 0.6;

void main() {
    vec3 sprite = texture(colorTexture, texCoord).rgb * color.rgb * strength;
    float alpha = clamp(color.a, 0.0, 1.0);
    out_color = vec4(sprite, alpha);
    out_glow = vec4(sprite * 0.4, alpha);
}
