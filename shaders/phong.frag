#version 330 core
// Blinn-Phong sun light with a diffuse texture, a specular map, a tangent-space
// normal map and filtered shadow-map lookups, plus sky light that is brighter
// on upward faces and a sky sheen on glossy surfaces at grazing angles.
// Object colours and surface materials are stored as seen on screen; light is
// added in linear space and the result encoded for the screen again (gamma 2,
// cheap both ways). Every fragment of every surface pays for all of this, also
// hidden ones and both sides of every branch (the multisampled software
// rasteriser rejects nothing early and runs branches masked), so each texture
// lookup counts: three material maps read at one mip level each and two
// shadow taps.
in vec3 vWorldPos;
in vec3 vNormal;
in vec3 vTangent;
in vec3 vBitangent;
in vec2 vUV;
in vec4 vLightPos;
in vec2 vGround;

uniform vec3 uColor;
uniform vec3 uSunPos;
uniform vec3 uSunColor;
uniform vec3 uAmbient;
uniform vec3 uCamPos;
uniform int uUseTex;
uniform sampler2D uDiffuseTex;
uniform sampler2D uSpecularTex;
uniform int uUseSpecTex;
uniform sampler2D uNormalMap;
uniform int uUseNormalMap;
uniform sampler2DShadow uShadowMap;
uniform int uShadowEnabled;
uniform int uPCFRadius;
uniform vec4 uBelt;     // a belt's direction (x, z), distance run, 1 for a belt
uniform float uCracks;  // 0 for a sound tile, up to 1 for one about to give way
uniform float uAlpha;   // 1, or less for the see-through ghost ball

out vec4 FragColor;

// log2 of the texels one pixel step covers on a one-texel-wide texture, from
// the unmirrored coordinates (the mirrored ones fold back on themselves).
float pixelFootprintLog2() {
    vec2 dx = dFdx(vUV);
    vec2 dy = dFdy(vUV);
    return 0.5 * log2(max(max(dot(dx, dx), dot(dy, dy)), 1e-12));
}

// The mip level the sampler would pick, rounded to a whole level: the
// software sampler then reads one level instead of blending two, nearly
// halving the cost of the three material lookups for the same look.
float wholeMipLevel(float footprintLog2, sampler2D map) {
    return floor(footprintLog2 + log2(float(textureSize(map, 0).x)) + 0.5);
}

// Share of the sun that reaches the fragment. Each tap is a hardware 2 x 2
// filtered comparison; the two taps sit `uPCFRadius` texels either side
// of the fragment along a direction that turns by 45 degrees from pixel to
// pixel of each 2 x 2 block, so neighbouring pixels sample the kernel's
// square between them and the penumbra dithers smoothly from lit to shaded.
// Wider taps would soften more but show the dither as grain.
float sunVisibility() {
    vec3 p = vLightPos.xyz / vLightPos.w * 0.5 + 0.5;
    if (p.z >= 1.0 || p.x <= 0.0 || p.x >= 1.0 || p.y <= 0.0 || p.y >= 1.0) return 1.0;
    float radius = float(max(uPCFRadius, 1)) / float(textureSize(uShadowMap, 0).x);
    vec2 cell = mod(floor(gl_FragCoord.xy), 2.0);
    vec2 a = mix(mix(vec2(1.0, 0.0), vec2(0.7071, 0.7071), cell.y),
                 mix(vec2(0.0, 1.0), vec2(-0.7071, 0.7071), cell.y), cell.x) * radius;
    float ref = p.z - 0.0003;
    float sum = texture(uShadowMap, vec3(p.xy + a, ref)) + texture(uShadowMap, vec3(p.xy - a, ref));
    return sum * 0.5;
}

void main() {
    // Surface materials (they always bring a specular map) are stored as seen
    // on screen and repeat mirrored, so their edges always meet; model
    // textures are decoded by the sRGB texture format itself.
    bool surfaceMaterial = uUseTex == 1 && uUseSpecTex == 1;
    vec2 uv = vUV;
    vec2 flip = vec2(1.0);
    if (surfaceMaterial) {
        vec2 period = fract(vUV * 0.5);
        uv = 1.0 - abs(period * 2.0 - 1.0);
        flip = 1.0 - 2.0 * step(0.5, period);
    }

    float footprint = pixelFootprintLog2();
    vec3 albedo = uColor * uColor;
    if (uUseTex == 1) {
        vec3 texel = textureLod(uDiffuseTex, uv, wholeMipLevel(footprint, uDiffuseTex)).rgb;
        albedo *= surfaceMaterial ? texel * texel : texel;
    }

    // Chevrons on a belt's top, one across its width, pointing and running
    // the way it pushes.
    if (uBelt.w > 0.5 && vNormal.y > 0.7) {
        vec2 along = uBelt.xy;
        float forward = dot(vGround, along) - uBelt.z;
        float across = dot(vGround, vec2(-along.y, along.x));
        float chevron = fract(forward / 1.2 + abs(across) * 0.45);
        float mark = smoothstep(0.0, 0.05, chevron) - smoothstep(0.22, 0.27, chevron);
        albedo = mix(albedo, vec3(0.9, 0.6, 0.05), mark * 0.9);
    }
    // Cracks that widen and darken as a crumbling tile gives way.
    if (uCracks > 0.0) {
        vec2 q = (abs(vNormal.y) > 0.7 ? vWorldPos.xz : vec2(vWorldPos.x + vWorldPos.z, vWorldPos.y)) * 1.7;
        float lineA = abs(sin(q.x * 2.3 + sin(q.y * 3.1) * 1.4));
        float lineB = abs(sin(q.y * 2.9 + sin(q.x * 2.6 + 1.3) * 1.6));
        float crack = 1.0 - smoothstep(0.0, 0.04 + 0.12 * uCracks, min(lineA, lineB));
        albedo *= 1.0 - crack * min(1.0, uCracks * 1.5) * 0.9;
    }

    vec3 n = normalize(vNormal);
    if (uUseNormalMap == 1) {
        vec3 m = textureLod(uNormalMap, uv, wholeMipLevel(footprint, uNormalMap)).xyz * 2.0 - 1.0;
        m.xy *= flip;
        n = normalize(normalize(vTangent) * m.x + normalize(vBitangent) * m.y + n * m.z);
    }

    vec3 l = normalize(uSunPos);
    vec3 v = normalize(uCamPos - vWorldPos);
    float nl = dot(n, l);

    // Plain painted objects (coins, pickups, plain tiles) get a firm gloss
    // whose highlight takes on their own hue, which makes gold read as gold.
    float gloss = 0.5;
    vec3 specTint = mix(vec3(1.0), albedo / max(max(albedo.r, albedo.g), max(albedo.b, 1e-4)), 0.55);
    if (uUseSpecTex == 1) {
        gloss = textureLod(uSpecularTex, uv, wholeMipLevel(footprint, uSpecularTex)).r;
        specTint = vec3(1.0);
    }

    // Sky light: full from above, half from below. Without any sun (the sun
    // itself is drawn so) the surface shows its colour flat.
    bool sunlit = dot(uSunColor, uSunColor) > 0.0;
    vec3 color = albedo * uAmbient * (sunlit ? 0.75 + 0.25 * n.y : 1.0);
    if (nl > 0.0) {
        float visibility = 1.0;
        if (uShadowEnabled == 1) visibility = sunVisibility();
        if (visibility > 0.0) {
            vec3 h = normalize(l + v);
            float shininess = mix(16.0, 110.0, gloss);
            // Normalised so a tight highlight is brighter, not just smaller.
            float highlight = gloss * gloss * (shininess + 8.0) * 0.04 * pow(max(dot(n, h), 0.0), shininess);
            color += uSunColor * visibility * (albedo * nl + specTint * highlight * nl);
        }
    }
    // A glossy surface seen edge-on mirrors the sky.
    if (sunlit) {
        float edge = 1.0 - max(dot(n, v), 0.0);
        float edge2 = edge * edge;
        color += uAmbient * specTint * (gloss * edge2 * edge2 * edge * 1.5);
    }

    FragColor = vec4(sqrt(min(color, vec3(1.0))), uAlpha);
}
