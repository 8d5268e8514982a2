#version 330 core
// Blinn-Phong sun light with a diffuse texture, a specular map, a tangent-space
// normal map and filtered shadow-map lookups. Object colours and surface
// materials are stored as seen on screen; light is added in linear space and
// the result encoded for the screen again (gamma 2, cheap both ways).
in vec3 vWorldPos;
in vec3 vNormal;
in vec3 vTangent;
in vec3 vBitangent;
in vec2 vUV;
in vec4 vLightPos;

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

out vec4 FragColor;

// Four taps on a rotated grid, each a hardware 2 x 2 filtered comparison; the
// grid turns per pixel so the few taps blend into a smooth penumbra.
float sunVisibility() {
    vec3 p = vLightPos.xyz / vLightPos.w * 0.5 + 0.5;
    if (p.z >= 1.0 || p.x <= 0.0 || p.x >= 1.0 || p.y <= 0.0 || p.y >= 1.0) return 1.0;
    float texel = 1.0 / float(textureSize(uShadowMap, 0).x);
    float radius = float(uPCFRadius) * 2.5 * texel;
    float angle = 6.2831853 * fract(52.9829189 * fract(dot(gl_FragCoord.xy, vec2(0.06711056, 0.00583715))));
    vec2 a = vec2(cos(angle), sin(angle)) * radius;
    vec2 b = vec2(-a.y, a.x);
    float ref = p.z - 0.0003;
    float sum = texture(uShadowMap, vec3(p.xy + a + b * 0.33, ref));
    sum += texture(uShadowMap, vec3(p.xy - a - b * 0.33, ref));
    sum += texture(uShadowMap, vec3(p.xy + b - a * 0.33, ref));
    sum += texture(uShadowMap, vec3(p.xy - b + a * 0.33, ref));
    return sum * 0.25;
}

void main() {
    // Surface materials (they always bring a specular map) are stored as seen
    // on screen; model textures are decoded by the sRGB texture format itself.
    bool surfaceMaterial = uUseTex == 1 && uUseSpecTex == 1;
    vec3 albedo = uColor * uColor;
    if (uUseTex == 1) {
        vec3 texel = texture(uDiffuseTex, vUV).rgb;
        albedo *= surfaceMaterial ? texel * texel : texel;
    }

    vec3 n = normalize(vNormal);
    if (uUseNormalMap == 1) {
        vec3 m = texture(uNormalMap, vUV).xyz * 2.0 - 1.0;
        n = normalize(normalize(vTangent) * m.x + normalize(vBitangent) * m.y + n * m.z);
    }

    vec3 l = normalize(uSunPos);
    vec3 v = normalize(uCamPos - vWorldPos);
    float diffuse = max(dot(n, l), 0.0);
    float visibility = 1.0;
    if (uShadowEnabled == 1 && diffuse > 0.0) visibility = sunVisibility();

    float specStrength = uUseSpecTex == 1 ? texture(uSpecularTex, vUV).r : 0.35;
    float shininess = mix(24.0, 96.0, specStrength);
    vec3 h = normalize(l + v);
    float specular = diffuse > 0.0 ? specStrength * pow(max(dot(n, h), 0.0), shininess) * visibility : 0.0;
    float lit = diffuse * visibility;

    vec3 color = albedo * (uAmbient + uSunColor * lit) + uSunColor * specular;
    FragColor = vec4(sqrt(min(color, vec3(1.0))), 1.0);
}
