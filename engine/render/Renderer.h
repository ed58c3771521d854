#pragma once
// Draws a frame's queue with OpenGL: grid, model instances, spheres,
// wireframes, then the text on top. Needs a current GL context.
#include <memory>
#include <string>
#include <vector>

#include "engine/render/Model.h"
#include "engine/time/FrameSplit.h"
#include "engine/window/PlayArea.h"
#include "engine/render/RenderQueue.h"
#include "engine/platform/Platform.h"

namespace ReEng {

// Where the scene is seen from, for a picture of the play area's shape.
struct SceneView {
    matrix4 viewProjection{1.0f};
    vector3 eye{0.0f};
    float halfWidth = 1.0f;  // world units from the picture's centre to its side
};

class Renderer {
public:
    // Draws in the platform's window, whose GL context it makes current.
    explicit Renderer(Platform& platform);
    ~Renderer();
    Renderer(const Renderer&) = delete;
    Renderer& operator=(const Renderer&) = delete;

    // False with a one-line error when the font cannot be read.
    bool LoadFont(const std::string& file, std::string& error);
    // The queue as seen from view (its instances index models).
    void Draw(const RenderQueue& queue, const std::vector<Model>& models, const SceneView& view);
    // The window's new size; the picture keeps the shape the window had
    // when the renderer was made, centred with bars around it.
    void SetViewport(int width, int height);
    // Where in the window the picture is drawn.
    PlayArea GetPlayArea() const;
    // Small lines drawn at the bottom of the picture, beside the queue's own;
    // true when they differ from the last ones (the picture must be redrawn).
    bool SetLegend(const std::vector<std::string>& lines);
    // True once after each Draw: there is a new picture to present.
    bool TakeNewPicture();
    // Times each pass into split (finishing it first); null: no timing.
    void SetSplit(FrameSplit* split);

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace ReEng
