#version 330 core
// Lit scene objects: world position, tangent frame, texture coordinates and the
// position in the sun's shadow map.
layout(location = 0) in vec3 aPos;
layout(location = 1) in vec3 aNormal;
layout(location = 2) in vec2 aUV;
layout(location = 3) in vec3 aTangent;

uniform mat4 uModel;
uniform mat4 uView;
uniform mat4 uProj;
uniform mat4 uLightSpace;
uniform int uUseTex;
uniform int uUseSpecTex;
// A conveyor's belt: its direction on the ground (x, z), how far it has run
// (world units) and 1 for a belt, 0 for anything else.
uniform vec4 uBelt;

out vec3 vWorldPos;
out vec3 vNormal;
out vec3 vTangent;
out vec3 vBitangent;
out vec2 vUV;
out vec4 vLightPos;
out vec2 vGround;  // the object's own scaled position on the ground plane: belts draw their arrows in it

// Surface materials repeat every three world units, on every tile alike:
// cobbles, planks and veins come out about the ball's size.
const float kRepeatsPerUnit = 1.0 / 3.0;
// Shadow lookups start this far out along the normal, which keeps lit faces
// free of self-shadowing without visibly lifting shadows off their casters.
const float kShadowNormalOffset = 0.03;

void main() {
    vec4 world = uModel * vec4(aPos, 1.0);
    mat3 linearPart = mat3(uModel);
    vec3 n = normalize(transpose(inverse(linearPart)) * aNormal);

    if (uUseTex == 1 && uUseSpecTex == 1) {
        // A surface material (it always brings a specular map): project the
        // object's own scaled position along its dominant axis, so a 22-unit
        // floor and a 2-unit step show the same stone and nothing stretches.
        // Model textures without a specular map keep their authored UVs.
        vec3 scale = vec3(length(linearPart[0]), length(linearPart[1]), length(linearPart[2]));
        vec3 p = aPos * scale;
        vGround = p.xz;
        vec3 a = abs(aNormal);
        vec3 uAxis;
        vec3 vAxis;
        if (a.y >= a.x && a.y >= a.z) {
            // A belt's top runs along its direction, so the player sees which way it pushes.
            vUV = p.xz - uBelt.xy * (uBelt.z * uBelt.w * step(0.0, aNormal.y));
            uAxis = linearPart[0];
            vAxis = linearPart[2];
        } else if (a.x >= a.z) {
            vUV = vec2(p.z, -p.y);
            uAxis = linearPart[2];
            vAxis = -linearPart[1];
        } else {
            vUV = vec2(p.x, -p.y);
            uAxis = linearPart[0];
            vAxis = -linearPart[1];
        }
        vUV *= kRepeatsPerUnit;
        vTangent = normalize(uAxis);
        vBitangent = normalize(vAxis);
    } else {
        vGround = (linearPart * aPos).xz;
        vUV = aUV;
        vec3 t = linearPart * aTangent;
        // Some generated faces end with a vanishing tangent: any perpendicular will do.
        if (dot(t, t) < 1e-8) t = abs(n.y) < 0.99 ? cross(vec3(0.0, 1.0, 0.0), n) : vec3(1.0, 0.0, 0.0);
        t = normalize(t - n * dot(n, t));
        vTangent = t;
        vBitangent = cross(n, t);
    }

    vWorldPos = world.xyz;
    vNormal = n;
    vLightPos = uLightSpace * vec4(world.xyz + n * kShadowNormalOffset, 1.0);
    gl_Position = uProj * uView * world;
}
