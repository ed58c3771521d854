#include "engine/platform/GL.h"

#include "engine/render/Renderer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "engine/core/ErrorLine.h"
#include "engine/render/GridPass.h"
#include "engine/render/MeshPainter.h"
#include "engine/render/ModelPass.h"
#include "engine/render/RenderShapes.h"
#include "engine/render/ShaderDialect.h"
#include "engine/render/text/TextPass.h"

namespace ReEng {
namespace {

// Text sizes are in the picture's own pixels (1080 x 720) and scale with it.
constexpr float kTextSize = 24.0f;
constexpr float kLegendSize = 15.0f;
// Played by touch, the picture may be a phone's width (390 x 260 CSS px):
// text 34/720 of the picture's height is then still 12 CSS px, whatever
// the screen's density the picture opened at, and the legend is as large.
constexpr float kTouchTextShare = 34.0f / 720.0f;

// Core and ES contexts draw only with a vertex array bound. A compatibility
// context has its default one, and keeps working when fullscreen makes the
// context anew: a vertex array, unlike buffers, is not shared with the new one.
bool NeedsVertexArray() { return CurrentShaderDialect() != ShaderDialect::Glsl120; }

}  // namespace

struct Renderer::Impl {
    explicit Impl(Platform& p) : platform(p) {}

    Platform& platform;
    int width = 1;  // the window
    int height = 1;
    int shapeWidth = 1;  // the picture's own shape, kept in any window
    int shapeHeight = 1;
    PlayArea area;
    bool newPicture = false;  // drawn since the last present
    FrameSplit* split = nullptr;

    MeshPainter painter;
    std::unique_ptr<ModelPass> models;
    std::unique_ptr<GridPass> grid;
    GLuint vertexArray = 0;  // where the context needs one; one serves

#ifndef NDEBUG
    unsigned reportedPasses = 0;  // a bit per pass that has left a GL error

    // Debug builds name the pass that left a GL error, once per pass: a
    // wrong call shows where it is, not as a picture gone black.
    void CheckErrors(FrameSplit::Pass pass) {
        for (GLenum error = glGetError(); error != GL_NO_ERROR; error = glGetError()) {
            if (reportedPasses & (1u << pass)) continue;
            char line[64];
            std::snprintf(line, sizeof line, "GL error 0x%04x in the %s pass", error, FrameSplit::NameOf(pass));
            ReportError(line);
            reportedPasses |= 1u << pass;
        }
    }
#endif

    // With a split: finish what GL has queued and book the time to that pass.
    void EndPass(FrameSplit::Pass pass) {
#ifndef NDEBUG
        CheckErrors(pass);
#endif
        if (split == nullptr) return;
        glFinish();
        split->Lap(pass);
    }

    // The play area in GL's terms: rows count from the bottom.
    void ApplyViewport() const { glViewport(area.x, height - area.y - area.height, area.width, area.height); }

    // The 3D scene: grid, rims and models, spheres, wires.
    void DrawScene(const RenderQueue& queue, const std::vector<Model>& modelList, const SceneView& view) {
        const matrix4& viewProjection = view.viewProjection;
        const vector3& eye = view.eye;
        if (vertexArray != 0) glBindVertexArray(vertexArray);
        painter.Begin(glm::normalize(vector3(0.35f, 0.55f, 0.75f)));

        for (const RenderQueue::Grid& g : queue.grids) grid->Draw(painter, g, eye, viewProjection);
        EndPass(FrameSplit::Grid);

        // The orthographic view spans twice its half width across the play area.
        const float rim = kRimPixels * 2.0f * view.halfWidth / static_cast<float>(area.width);
        models->Prepare(queue, modelList, rim);
        models->DrawModels(painter, queue, viewProjection);
        EndPass(FrameSplit::Models);
        models->DrawSpheres(painter, queue, viewProjection);
        EndPass(FrameSplit::Spheres);
        models->DrawWires(painter, queue, viewProjection);
        EndPass(FrameSplit::Wires);

        painter.End();
        if (vertexArray != 0) glBindVertexArray(0);
    }

    TextPass text;
    TextPass::Cache queueText, legendText;  // each keeps its own glyphs' size
    std::vector<TextLine> legend;

    // Text over everything: the queue's lines from the top, the legend at the bottom.
    void DrawText(const RenderQueue& queue) {
        if (!text.Loaded() || (queue.lines.empty() && legend.empty())) return;
        if (vertexArray != 0) glBindVertexArray(vertexArray);
        const bool touch = platform.IsTouchDevice();
        const float touchSize = kTouchTextShare * static_cast<float>(shapeHeight);
        text.DrawLines(queueText, queue.lines, touch ? touchSize : kTextSize, false);
        text.DrawLines(legendText, legend, touch ? touchSize : kLegendSize, true);
        if (vertexArray != 0) glBindVertexArray(0);
        EndPass(FrameSplit::Text);
    }
};

Renderer::Renderer(Platform& platform) : m_impl(std::make_unique<Impl>(platform)) {
    Impl& r = *m_impl;
    platform.MakeCurrent();
    const sf::Vector2i size = platform.GetClientSize();
    r.width = std::max(1, size.x);
    r.height = std::max(1, size.y);
    // The window opens at the picture's own size; that is the shape kept.
    r.shapeWidth = r.width;
    r.shapeHeight = r.height;
    r.area = PlayArea::Fit(r.width, r.height, r.shapeWidth, r.shapeHeight);
    r.painter.Build();
    r.models = std::make_unique<ModelPass>();
    r.grid = std::make_unique<GridPass>();
    if (NeedsVertexArray()) glGenVertexArrays(1, &r.vertexArray);
    SetViewport(r.width, r.height);
}

Renderer::~Renderer() {
    // GL objects belong to the window's context: the services free the
    // renderer before the window, so it is still there to make current.
    m_impl->platform.MakeCurrent();
    if (m_impl->vertexArray != 0) glDeleteVertexArrays(1, &m_impl->vertexArray);
}

bool Renderer::LoadFont(const std::string& file, std::string& error) { return m_impl->text.Load(file, error); }

void Renderer::SetViewport(int width, int height) {
    Impl& r = *m_impl;
    r.width = std::max(1, width);
    r.height = std::max(1, height);
    r.area = PlayArea::Fit(r.width, r.height, r.shapeWidth, r.shapeHeight);
    r.platform.MakeCurrent();
    r.ApplyViewport();
    // Text is laid out on the picture at its own size and scaled with the
    // play area, so it keeps its place and proportion in any window.
    r.text.SetPicture(r.shapeWidth, r.shapeHeight,
                      static_cast<float>(r.area.height) / static_cast<float>(r.shapeHeight));
}

bool Renderer::SetLegend(const std::vector<std::string>& lines) {
    std::vector<TextLine>& legend = m_impl->legend;
    const bool same = lines.size() == legend.size() &&
                      std::equal(lines.begin(), lines.end(), legend.begin(),
                                 [](const std::string& line, const TextLine& shown) { return line == shown.text; });
    if (same) return false;
    legend.clear();
    for (const std::string& line : lines) legend.push_back(TextLine{line, vector3(1.0f)});
    return true;
}

PlayArea Renderer::GetPlayArea() const { return m_impl->area; }

void Renderer::SetSplit(FrameSplit* split) { m_impl->split = split; }

bool Renderer::TakeNewPicture() {
    const bool fresh = m_impl->newPicture;
    m_impl->newPicture = false;
    return fresh;
}

void Renderer::Draw(const RenderQueue& queue, const std::vector<Model>& models, const SceneView& view) {
    Impl& r = *m_impl;
    if (!r.platform.MakeCurrent()) return;

    r.newPicture = true;
    if (r.split != nullptr) {
        r.split->CountFrame();
        r.split->Mark();
    }
    r.platform.BeginPicture();
    r.EndPass(FrameSplit::Clear);  // the clear asked for before this draw, or the platform's

    r.ApplyViewport();
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glDepthMask(GL_TRUE);
    glDisable(GL_CULL_FACE);
    glDisable(GL_BLEND);
    glLineWidth(1.0f);
    // Without both programs (the reason is on stderr) only the text is drawn.
    if (r.painter.IsReady()) r.DrawScene(queue, models, view);

    r.DrawText(queue);
    const unsigned draws = r.painter.TakeDraws() + r.text.TakeDraws();
    if (r.split != nullptr) r.split->CountDraws(draws);
}

}  // namespace ReEng
