#version 150 core
// One program for three kinds of billboard, told apart by the uniforms:
// "time" is the game time while the sun is drawn and -1 otherwise;
// "selected" is 2 for a selected player icon, 1 for other player icons,
// -1 for computer icons and 0 for claim bars. The side colours come from
// the active palette.

uniform sampler2D colorTexture;
uniform float time;
uniform float playerbalance; // 0 to 100
uniform float aibalance;     // 0 to 100
uniform float selected;

in vec2 texCoord;

out vec4 out_color;
out vec4 out_glow;

uniform vec3 playerColor;
uniform vec3 computerColor;
uniform vec3 selectedColor;

void main() {
    vec4 image = texture(colorTexture, texCoord);

    if (time >= 0.0) {
        // The sun breathes slowly; its disc pours into the glow.
        float pulse = 1.0 + 0.06 * sin(time * 1.7) + 0.03 * sin(time * 4.1);
        vec3 sun = image.rgb * pulse;
        float alpha = max(max(image.r, image.g), image.b);
        out_color = vec4(sun, alpha);
        out_glow = vec4(sun, alpha);
        return;
    }

    if (selected == 0.0) {
        // The player's claim fills from the left, the computer's from the
        // right; what nobody holds yet stays dark. A camera-facing quad
        // shows its texture mirrored, so the bar runs from u = 1 to u = 0.
        float player = clamp(playerbalance / 100.0, 0.0, 1.0);
        float computer = clamp(aibalance / 100.0, 0.0, 1.0);
        float fromLeft = 1.0 - texCoord.x;
        vec3 fill = vec3(0.12);
        if (fromLeft < player) {
            fill = playerColor;
        } else if (fromLeft > 1.0 - computer) {
            fill = computerColor;
        }
        vec3 bar = fill * (0.5 + 0.7 * image.rgb);
        out_color = vec4(bar, 0.9);
        out_glow = vec4(bar * 0.35, 0.9);
        return;
    }

    // Icons: the sprite's shape in its side's colour.
    float shade = max(max(image.r, image.g), image.b);
    vec3 side = selected > 1.5 ? selectedColor : (selected > 0.0 ? playerColor : computerColor);
    vec3 icon = side * (0.35 + 0.95 * shade);
    out_color = vec4(icon, image.a);
    out_glow = vec4(icon * (selected > 1.5 ? 0.7 : 0.3), image.a);
}
