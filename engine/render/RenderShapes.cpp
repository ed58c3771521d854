#include "engine/render/RenderShapes.h"

#include <algorithm>
#include <cmath>

#include <glm/gtc/matrix_transform.hpp>

#include "engine/render/RenderQueue.h"

namespace ReEng {

namespace {

// Fills brighter than this (relative luminance) get a dark rim.
constexpr float kLightFill = 0.18f;

const vector3 kDefaultColour(0.6f, 0.6f, 0.6f);

float Luminance(const vector3& srgb) {
    auto linear = [](float c) { return c <= 0.04045f ? c / 12.92f : std::pow((c + 0.055f) / 1.055f, 2.4f); };
    return 0.2126f * linear(srgb.r) + 0.7152f * linear(srgb.g) + 0.0722f * linear(srgb.b);
}

}  // namespace

vector3 OrDefault(const vector3& colour) {
    if (colour.r < 0.0f || colour.g < 0.0f || colour.b < 0.0f) return kDefaultColour;
    return colour;
}

// Light shapes get a near-black rim; dark ones a rim of their own hue at
// full strength, light enough to stand out from the grid. Black has no hue:
// its rim is a tracer yellow, which no part of the scene uses.
vector3 RimColour(const vector3& fill) {
    if (Luminance(fill) > kLightFill) return fill * 0.1f;
    const float strongest = std::max({fill.r, fill.g, fill.b});
    return strongest > 0.05f ? fill / strongest : vector3(1.0f, 0.85f, 0.2f);
}

matrix4 Grown(const matrix4& matrix, const vector3& centre, const vector3& half, float world) {
    vector3 scale(1.0f);
    for (int axis = 0; axis < 3; ++axis) {
        const float extent = half[axis] * glm::length(vector3(matrix[axis]));
        if (extent > 1e-6f) scale[axis] = 1.0f + world / extent;
    }
    return matrix * glm::translate(matrix4(1.0f), centre) * glm::scale(matrix4(1.0f), scale) *
           glm::translate(matrix4(1.0f), -centre);
}

void BuildSphere(std::vector<vector3>& positions, std::vector<vector3>& normals) {
    const int stacks = 16;
    const int slices = 24;
    const float pi = 3.14159265358979f;
    auto point = [&](int stack, int slice) {
        const float theta = pi * static_cast<float>(stack) / stacks;
        const float phi = 2.0f * pi * static_cast<float>(slice) / slices;
        return vector3(std::sin(theta) * std::cos(phi), std::cos(theta), std::sin(theta) * std::sin(phi));
    };
    for (int i = 0; i < stacks; ++i) {
        for (int j = 0; j < slices; ++j) {
            const vector3 a = point(i, j), b = point(i + 1, j);
            const vector3 c = point(i + 1, j + 1), d = point(i, j + 1);
            // Counter-clockwise seen from outside, like the models: back faces are culled.
            for (const vector3& n : {a, c, b, a, d, c}) {
                positions.push_back(n * RenderQueue::Sphere::kRadius);
                normals.push_back(n);
            }
        }
    }
}

void BuildWireBox(std::vector<vector3>& positions) {
    for (int axis = 0; axis < 3; ++axis) {
        const int u = (axis + 1) % 3, v = (axis + 2) % 3;
        for (int k = 0; k < 4; ++k) {
            vector3 from(0.0f);
            from[u] = (k & 1) ? 1.0f : -1.0f;
            from[v] = (k & 2) ? 1.0f : -1.0f;
            vector3 to = from;
            from[axis] = -1.0f;
            to[axis] = 1.0f;
            positions.push_back(from);
            positions.push_back(to);
        }
    }
}

void BuildWireSphere(std::vector<vector3>& positions) {
    const int segments = 48;
    const float pi = 3.14159265358979f;
    for (int axis = 0; axis < 3; ++axis) {
        const int u = (axis + 1) % 3, v = (axis + 2) % 3;
        for (int s = 0; s < segments; ++s) {
            for (int end = 0; end < 2; ++end) {
                const float a = 2.0f * pi * static_cast<float>(s + end) / segments;
                vector3 p(0.0f);
                p[u] = std::cos(a);
                p[v] = std::sin(a);
                positions.push_back(p);
            }
        }
    }
}

}  // namespace ReEng
