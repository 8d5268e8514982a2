#version 330 core
// Sunlit meadow with a cheap two-scale pattern, melting into the sky with
// depth from the camera, so the plane never shows an edge. It covers much
// of the screen (hidden parts included), so it stays free of texture lookups
// and trigonometry.
in vec3 vWorldPos;
in vec3 vViewPos;

uniform vec3 uSunPos;
uniform vec3 uSunColor;
uniform vec3 uAmbient;

out vec4 FragColor;

// Arithmetic hash of a lattice point, 0..1.
float hash(vec2 p) {
    vec3 p3 = fract(vec3(p.xyx) * 0.1031);
    p3 += dot(p3, p3.yzx + 33.33);
    return fract((p3.x + p3.y) * p3.z);
}

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
    // Haze thickens with depth into the screen (not with the distance, which
    // would bend the horizon into an arc); the quad's own border fades too.
    float haze = smoothstep(15.0, 65.0, -vViewPos.z);
    float border = smoothstep(60.0, 80.0, max(abs(p.x), abs(p.y)));
    FragColor = vec4(color, (1.0 - haze) * (1.0 - border));
}
