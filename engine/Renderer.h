#pragma once
// Draws a frame's queue with OpenGL: grid, model instances, spheres,
// wireframes, then the text on top. Needs a current GL context.
#include <string>
#include <vector>

#include "engine/Model.h"
#include "engine/RenderQueue.h"

namespace sf { class RenderWindow; }

namespace ReEng {

class CameraManagerSingleton;

class Renderer {
public:
    explicit Renderer(sf::RenderWindow& window);
    ~Renderer();
    Renderer(const Renderer&) = delete;
    Renderer& operator=(const Renderer&) = delete;

    // False with a one-line error when the font cannot be read.
    bool LoadFont(const std::string& file, std::string& error);
    // Models are uploaded the first time they are drawn, and only then.
    void Draw(const RenderQueue& queue, const std::vector<Model>& models,
              const CameraManagerSingleton& camera);
    void SetViewport(int width, int height);

private:
    struct Impl;
    Impl* m_impl;
};

}  // namespace ReEng
