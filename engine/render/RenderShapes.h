#pragma once
// The fixed shapes the renderer draws (the queue's sphere, the wire box and
// wire sphere) and the rules for colouring and rimming what it draws.
#include <vector>

#include "engine/core/Definitions.h"

namespace ReEng {

// Every solid shape gets a rim of the opposite lightness, this many pixels
// wide, so it stands out from the clear colour and the grid alike.
constexpr float kRimPixels = 2.0f;

// A queued colour, or the renderer's default grey where it is negative.
vector3 OrDefault(const vector3& colour);

// The rim drawn around a shape of this fill: dark around light shapes, and
// light in the shape's own hue around dark ones.
vector3 RimColour(const vector3& fill);

// The shape placed by `matrix`, grown about its box's centre by `world`
// units on every side.
matrix4 Grown(const matrix4& matrix, const vector3& centre, const vector3& half, float world);

// The queue's UV sphere (RenderQueue::Sphere::kRadius), as triangles with their normals.
void BuildSphere(std::vector<vector3>& positions, std::vector<vector3>& normals);
// The edges of the cube -1..1, as line pairs.
void BuildWireBox(std::vector<vector3>& positions);
// Three great circles of radius 1, as line pairs.
void BuildWireSphere(std::vector<vector3>& positions);

}  // namespace ReEng
