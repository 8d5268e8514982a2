#version 330 core
// Sunlit meadow with a cheap two-scale pattern, fading into the sky towards its
// edges. It covers much of the screen, so it stays free of texture lookups.
in vec3 vWorldPos;

uniform vec3 uSunPos;
uniform vec3 uSunColor;
uniform vec3 uAmbient;

out vec4 FragColor;

float hash(vec2 p) { return fract(sin(dot(p, vec2(127.1, 311.7))) * 43758.5453); }

float valueNoise(vec2 p) {
    vec2 i = floor(p);
    vec2 f = fract(p);
    f = f * f * (3.0 - 2.0 * f);
    return mix(mix(hash(i), hash(i + vec2(1.0, 0.0)), f.x),
               mix(hash(i + vec2(0.0, 1.0)), hash(i + vec2(1.0, 1.0)), f.x), f.y);
}

void main() {
    vec2 p = vWorldPos.xz;
    float patches = valueNoise(p * 0.15) * 0.65 + valueNoise(p * 0.9) * 0.35;
    vec3 albedo = mix(vec3(0.10, 0.17, 0.06), vec3(0.22, 0.30, 0.11), patches);
    float sun = max(normalize(uSunPos).y, 0.0);
    vec3 color = albedo * (uAmbient + uSunColor * sun);
    color = sqrt(min(color, vec3(1.0)));
    float alpha = 1.0 - smoothstep(28.0, 78.0, length(p));
    FragColor = vec4(color, alpha);
}
