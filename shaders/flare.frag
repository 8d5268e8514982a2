#version 330 core
// Shape 0: a soft round glow, brightest in the middle. Shape 2: a four-point
// star of thin streaks with a faint ring, for the glare around the sun.
// Kept to a few operations: every fragment of these blended quads is paid for.
in vec2 vLocal;

uniform vec3 uColor;
uniform float uAlpha;
uniform int uShape;

out vec4 FragColor;

void main() {
    float d = length(vLocal);
    float falloff = max(1.0 - d, 0.0);
    float shape;
    if (uShape == 2) {
        vec2 a = abs(vLocal);
        float streaks = max(1.0 - a.y * 14.0, 0.0) * (1.0 - a.x) + max(1.0 - a.x * 14.0, 0.0) * (1.0 - a.y);
        float ring = max(1.0 - abs(d - 0.75) * 16.0, 0.0) * 0.35;
        shape = min(streaks + ring, 1.0);
    } else {
        shape = falloff * falloff;
    }
    if (shape <= 0.0) discard;
    FragColor = vec4(uColor, uAlpha * shape);
}
