#version 330 core
// Inked atlas texels take the text colour; empty ones are fully transparent
// and are dropped so they never touch the frame.
in vec2 vTexCoord;

uniform sampler2D fontTex;
uniform vec4 color;

out vec4 FragColor;

void main() {
    float ink = texture(fontTex, vTexCoord).r;
    if (ink < 0.5) discard;
    FragColor = vec4(color.rgb, color.a * ink);
}
