#pragma once
// Draws a frame's queue with OpenGL: grid, model instances, spheres,
// wireframes, then the text on top. Needs a current GL context.
#include <memory>
#include <string>
#include <vector>

#include <SFML/System/Vector2.hpp>

#include "engine/Model.h"
#include "engine/FrameSplit.h"
#include "engine/PlayArea.h"
#include "engine/RenderQueue.h"

namespace sf {
class RenderWindow;
}

namespace ReEng {

class CameraManagerSingleton;

class Renderer {
public:
    explicit Renderer(sf::RenderWindow& window);
#ifdef __EMSCRIPTEN__
    // On the current context, for a canvas of this size (the browser build).
    explicit Renderer(sf::Vector2i size);
#endif
    ~Renderer();
    Renderer(const Renderer&) = delete;
    Renderer& operator=(const Renderer&) = delete;

    // False with a one-line error when the font cannot be read.
    bool LoadFont(const std::string& file, std::string& error);
    // Each model is drawn once for all its instances.
    void Draw(const RenderQueue& queue, const std::vector<Model>& models, const CameraManagerSingleton& camera);
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
