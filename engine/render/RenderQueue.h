#pragma once
// What a frame asked to draw, as plain records. It is filled the same way
// with or without a GL context, so tests read a frame from here.
#include <string>
#include <vector>

#include "engine/core/Definitions.h"
#include "engine/render/text/TextLine.h"

namespace ReEng {

class RenderQueue {
public:
    struct Instance {
        std::string name;
        int model;  // index into the mesh manager's models; -1 when it has none
        matrix4 matrix;
        vector3 colour;  // given with the model; negative: the default colour
    };
    struct Sphere {  // a sphere of radius kRadius placed by its matrix
        // A quarter: a sphere scaled by 2s is a ball s across, the size a
        // sphere volume built for scale s gives (radius s/2).
        static constexpr float kRadius = 0.25f;
        matrix4 matrix;
        vector3 colour;
        int style;
    };
    struct Grid {
        float size;
        int orientation;
        vector3 colour;
    };
    enum class Shape { Box, Sphere };
    struct Wire {  // unit cube (-1..1) or unit sphere (radius 1) placed by its matrix
        Shape shape;
        matrix4 matrix;
        vector3 colour;
    };
    // Drawn as they stand by the text pass (a negative colour: the default).
    using Text = TextLine;

    std::vector<Grid> grids;
    std::vector<Instance> instances;
    std::vector<Sphere> spheres;
    std::vector<Wire> wires;
    std::vector<Text> lines;

    // Empties every list but keeps their storage for the next frame.
    void Clear();
    bool Empty() const;
    // Would draw the same picture (instance names aside, which draw nothing).
    bool SamePicture(const RenderQueue& other) const;
};

}  // namespace ReEng
