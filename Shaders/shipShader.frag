#version 150 core
// Phong lighting of the hull texture. The material's diffuse colour carries
// the ship's situation (side, selected, at a foreign planet); the drives at
// the stern burn in that colour, and bright tints spill into the glow.

struct Light {
    vec4 ambientColor;
    vec4 diffuseColor;
    vec4 specularColor;
};

uniform Light light;
uniform sampler2D colorTexture;
uniform samplerBuffer instances;
uniform vec3 eyePosition;

in vec3 worldPosition;
in vec3 worldNormal;
in vec2 texCoord;
in float alongHull;
flat in int instance;

const int rowsPerInstance = 8;

vec4 row(int i) {
    return texelFetch(instances, instance * rowsPerInstance + i);
}

out vec4 out_color;
out vec4 out_glow;

// The exhaust bells and the main drive fill the last few model units.
const float driveStart = -165.0;
const float driveEnd = -171.0;

void main() {
    vec3 lightDirection = row(4).xyz; // the way the light travels
    vec4 materialAmbient = row(5);
    vec4 materialDiffuse = row(6);
    vec4 materialSpecular = row(7); // the specular exponent in alpha
    vec3 n = normalize(worldNormal);
    vec3 toLight = -normalize(lightDirection);
    vec3 toEye = normalize(eyePosition - worldPosition);
    vec3 surface = texture(colorTexture, texCoord).rgb;

    float diffuse = max(dot(n, toLight), 0.0);
    float shininess = 8.0 + 48.0 * clamp(materialSpecular.a, 0.0, 1.0);
    float specular = diffuse > 0.0 ? pow(max(dot(reflect(-toLight, n), toEye), 0.0), shininess) : 0.0;

    vec3 tint = materialDiffuse.rgb;
    float strength = max(max(tint.r, tint.g), tint.b);
    vec3 hue = tint / max(strength, 0.001);
    vec3 lit = surface * tint * (0.14 * light.ambientColor.rgb * materialAmbient.rgb
                                 + 0.9 * diffuse * light.diffuseColor.rgb)
             + 0.5 * specular * light.specularColor.rgb * materialSpecular.rgb;
    // A rim in the ship's colour keeps its silhouette readable on the dark side.
    float rim = pow(1.0 - max(dot(n, toEye), 0.0), 3.0);
    lit += 0.3 * rim * hue;

    float drive = smoothstep(driveStart, driveEnd, alongHull);
    vec3 flame = mix(hue, vec3(1.0), 0.35) * 1.6;
    vec3 color = mix(lit, flame, drive);

    out_color = vec4(color, 1.0);
    out_glow = vec4(flame * drive + hue * (0.12 * rim + 0.1 * max(strength - 1.0, 0.0)), 1.0);
}
