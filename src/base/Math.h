// The game's vector, matrix and rotation types on GLM: single precision,
// right-handed, y up, column-major matrices multiplying column vectors, clip
// depth -1..1. Angles live in degrees and become radians right before use.
#pragma once

#include <glm/glm.hpp>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/quaternion.hpp>
#include <glm/gtc/type_ptr.hpp>

using Vec2 = glm::vec2;
using Vec3 = glm::vec3;
using Vec4 = glm::vec4;
using Mat4 = glm::mat4;
using Quat = glm::quat;  // components x, y, z, w

// Single-precision degree/radian factors, so results match float arithmetic.
constexpr float kDegToRad = 0.017453292f;
constexpr float kRadToDeg = 57.29578f;
