// The browser build's Renderer: the engine's passes as in engine/Renderer.cpp,
// with the engine's TextPass for the lines, on the canvas's current context.
// It stands in for that file only until the engine's renderer needs no SFML
// window.
#include "engine/platform/GL.h"

#include "engine/Renderer.h"

#include <algorithm>

#include "engine/CameraManagerSingleton.h"
#include "engine/GridPass.h"
#include "engine/MeshPainter.h"
#include "engine/ModelPass.h"
#include "engine/RenderShapes.h"
#include "engine/TextPass.h"

namespace ReEng {

namespace {

constexpr float kTextSize = 24.0f;
constexpr float kLegendSize = 15.0f;

}  // namespace

struct Renderer::Impl {
    int width = 1, height = 1;
    int shapeWidth = 1, shapeHeight = 1;
    PlayArea area;
    bool newPicture = false;
    FrameSplit* split = nullptr;
    MeshPainter painter;
    std::unique_ptr<ModelPass> models;
    std::unique_ptr<GridPass> grid;
    GLuint vertexArray = 0;
    TextPass text;
    TextPass::Cache queueCache, legendCache;
    std::vector<TextLine> queueLines, legendLines;
    std::vector<std::string> legend;

    void EndPass(FrameSplit::Pass pass) {
        if (split == nullptr) return;
        glFinish();
        split->Lap(pass);
    }

    void ApplyViewport() const { glViewport(area.x, height - area.y - area.height, area.width, area.height); }

    void DrawScene(const RenderQueue& queue, const std::vector<Model>& modelList,
                   const CameraManagerSingleton& camera) {
        const float aspect = static_cast<float>(area.width) / static_cast<float>(area.height);
        const matrix4 viewProjection = camera.GetProjectionMatrix(aspect) * camera.GetViewMatrix();
        const vector3 eye = camera.GetPosition();
        glBindVertexArray(vertexArray);
        painter.Begin(glm::normalize(vector3(0.35f, 0.55f, 0.75f)));
        for (const RenderQueue::Grid& g : queue.grids) grid->Draw(painter, g, eye, viewProjection);
        EndPass(FrameSplit::Grid);
        const float rim = kRimPixels * 2.0f * CameraManagerSingleton::kHalfWidth / static_cast<float>(area.width);
        models->Prepare(queue, modelList, rim);
        models->DrawModels(painter, queue, viewProjection);
        EndPass(FrameSplit::Models);
        models->DrawSpheres(painter, queue, viewProjection);
        EndPass(FrameSplit::Spheres);
        models->DrawWires(painter, queue, viewProjection);
        EndPass(FrameSplit::Wires);
        painter.End();
        glBindVertexArray(0);
    }

    void DrawText(const RenderQueue& queue) {
        if (!text.Loaded() || (queue.lines.empty() && legend.empty())) return;
        queueLines.resize(queue.lines.size());
        for (std::size_t i = 0; i < queue.lines.size(); ++i)
            queueLines[i] = TextLine{queue.lines[i].text, glm::clamp(OrDefault(queue.lines[i].colour), 0.0f, 1.0f)};
        legendLines.resize(legend.size());
        for (std::size_t i = 0; i < legend.size(); ++i) legendLines[i] = TextLine{legend[i], vector3(1.0f)};
        text.DrawLines(queueCache, queueLines, kTextSize, false);
        text.DrawLines(legendCache, legendLines, kLegendSize, true);
        EndPass(FrameSplit::Text);
    }
};

Renderer::Renderer(sf::Vector2i size) : m_impl(std::make_unique<Impl>()) {
    Impl& r = *m_impl;
    r.width = std::max(1, size.x);
    r.height = std::max(1, size.y);
    // The picture keeps the game's own shape, whatever size the page gives the canvas.
    r.shapeWidth = 1080;
    r.shapeHeight = 720;
    r.painter.Build();
    r.models = std::make_unique<ModelPass>();
    r.grid = std::make_unique<GridPass>();
    glGenVertexArrays(1, &r.vertexArray);
    SetViewport(r.width, r.height);
}

Renderer::~Renderer() {
    if (m_impl->vertexArray != 0) glDeleteVertexArrays(1, &m_impl->vertexArray);
}

bool Renderer::LoadFont(const std::string& file, std::string& error) { return m_impl->text.Load(file, error); }

void Renderer::SetViewport(int width, int height) {
    Impl& r = *m_impl;
    r.width = std::max(1, width);
    r.height = std::max(1, height);
    r.area = PlayArea::Fit(r.width, r.height, r.shapeWidth, r.shapeHeight);
    r.ApplyViewport();
    r.text.SetPicture(r.shapeWidth, r.shapeHeight,
                      static_cast<float>(r.area.height) / static_cast<float>(r.shapeHeight));
}

bool Renderer::SetLegend(const std::vector<std::string>& lines) {
    if (lines == m_impl->legend) return false;
    m_impl->legend = lines;
    return true;
}

PlayArea Renderer::GetPlayArea() const { return m_impl->area; }

void Renderer::SetSplit(FrameSplit* split) { m_impl->split = split; }

bool Renderer::TakeNewPicture() {
    const bool fresh = m_impl->newPicture;
    m_impl->newPicture = false;
    return fresh;
}

void Renderer::Draw(const RenderQueue& queue, const std::vector<Model>& models, const CameraManagerSingleton& camera) {
    Impl& r = *m_impl;
    r.newPicture = true;
    if (r.split != nullptr) {
        r.split->CountFrame();
        r.split->Mark();
    }
    r.EndPass(FrameSplit::Clear);
    r.ApplyViewport();
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glDepthMask(GL_TRUE);
    glDisable(GL_CULL_FACE);
    glDisable(GL_BLEND);
    if (r.painter.IsReady()) r.DrawScene(queue, models, camera);
    r.DrawText(queue);
}

}  // namespace ReEng
