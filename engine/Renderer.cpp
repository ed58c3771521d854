#include "engine/platform/GL.h"

#include "engine/Renderer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Text.hpp>
#include <SFML/Graphics/View.hpp>
#include <SFML/System/Err.hpp>

#include "engine/CameraManagerSingleton.h"
#include "engine/GridPass.h"
#include "engine/MeshPainter.h"
#include "engine/ModelPass.h"
#include "engine/RenderShapes.h"
#include "engine/ShaderDialect.h"

namespace ReEng {
namespace {

// Text sizes are in the picture's own pixels (1080 x 720) and scale with it.
constexpr float kTextSize = 24.0f;
constexpr float kLegendSize = 15.0f;
constexpr float kTextMargin = 8.0f;
// A dark outline this wide (of the size, and never under two screen pixels,
// or its soft edge lets the glyph touch the scene) keeps light text readable
// on any background: it is what every glyph's edge meets.
constexpr float kOutlinePerSize = 1.0f / 12.0f;
constexpr float kMinOutline = 2.0f;
const sf::Color kOutlineColour(0, 0, 0);

// Core and ES contexts draw only with a vertex array bound. A compatibility
// context has its default one, and keeps working when fullscreen makes the
// context anew: a vertex array, unlike buffers, is not shared with the new one.
bool NeedsVertexArray() { return CurrentShaderDialect() != ShaderDialect::Glsl120; }

}  // namespace

struct Renderer::Impl {
    explicit Impl(sf::RenderWindow& w) : window(w) {}

    sf::RenderWindow& window;
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
            std::fprintf(stderr, "renderer: GL error 0x%04x in the %s pass\n", error, FrameSplit::NameOf(pass));
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
    void DrawScene(const RenderQueue& queue, const std::vector<Model>& modelList,
                   const CameraManagerSingleton& camera) {
        const float aspect = static_cast<float>(area.width) / static_cast<float>(area.height);
        const matrix4 viewProjection = camera.GetProjectionMatrix(aspect) * camera.GetViewMatrix();
        const vector3 eye = camera.GetPosition();
        if (vertexArray != 0) glBindVertexArray(vertexArray);
        painter.Begin(glm::normalize(vector3(0.35f, 0.55f, 0.75f)));

        for (const RenderQueue::Grid& g : queue.grids) grid->Draw(painter, g, eye, viewProjection);
        EndPass(FrameSplit::Grid);

        // The orthographic view spans twice its half width across the play area.
        const float rim = kRimPixels * 2.0f * CameraManagerSingleton::kHalfWidth / static_cast<float>(area.width);
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

    sf::Font font;
    bool fontLoaded = false;
    // One text per line, kept between frames, with what each holds to skip
    // unchanged lines: the queue's lines and the legend's.
    struct Lines {
        std::vector<sf::Text> texts;
        std::vector<std::string> shown;
    };
    Lines queueLines, legendLines;
    std::vector<std::string> legend;
    float textScale = 1.0f;  // screen pixels per pixel of the picture

    // Lines of `size` (picture pixels) from the top, or up from the bottom.
    // Glyphs are rendered at the size they appear on the screen, then laid
    // out in the picture's pixels, so text is crisp and in proportion in any
    // window.
    template <class Line, class TextOf, class ColourOf>
    void DrawLines(Lines& cache, const std::vector<Line>& lines, float size, bool fromBottom, TextOf textOf,
                   ColourOf colourOf) {
        const unsigned pixels = std::max(1u, static_cast<unsigned>(std::lround(size * textScale)));
        const float toPicture = size / static_cast<float>(pixels);
        // Hinting rounds each size's advance on its own: stretch the line a
        // little so it is exactly as wide, in proportion, as at the picture's
        // own size (the font is monospaced).
        const float advance = font.getGlyph(U'0', pixels, false).advance;
        const float ownAdvance = font.getGlyph(U'0', static_cast<unsigned>(size), false).advance;
        const float widen = advance > 0.0f && ownAdvance > 0.0f ? ownAdvance / (advance * toPicture) : 1.0f;
        const float spacing = font.getLineSpacing(pixels) * toPicture;
        const float top =
            fromBottom ? static_cast<float>(shapeHeight) - kTextMargin - spacing * static_cast<float>(lines.size())
                       : kTextMargin;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (i == cache.texts.size()) {
                cache.texts.emplace_back();
                cache.texts.back().setFont(font);
                cache.texts.back().setOutlineColor(kOutlineColour);
                cache.shown.emplace_back();
            }
            sf::Text& text = cache.texts[i];
            const std::string& string = textOf(lines[i]);
            if (cache.shown[i] != string) {
                cache.shown[i] = string;
                text.setString(sf::String::fromUtf8(string.begin(), string.end()));
            }
            if (text.getCharacterSize() != pixels) text.setCharacterSize(pixels);
            text.setOutlineThickness(std::max(kMinOutline, static_cast<float>(pixels) * kOutlinePerSize));
            text.setScale(toPicture * widen, toPicture);
            text.setFillColor(colourOf(lines[i]));
            text.setPosition(kTextMargin, top + spacing * static_cast<float>(i));
            window.draw(text);
        }
    }
};

Renderer::Renderer(sf::RenderWindow& window) : m_impl(std::make_unique<Impl>(window)) {
    Impl& r = *m_impl;
    window.setActive(true);
    const sf::Vector2u size = window.getSize();
    r.width = static_cast<int>(std::max(1u, size.x));
    r.height = static_cast<int>(std::max(1u, size.y));
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
    Impl& r = *m_impl;
    // GL objects belong to the window's context, which must be current;
    // without it they are left to go with the context.
    if (r.window.setActive(true)) {
        r.models.reset();
        r.grid.reset();
        if (r.vertexArray != 0) glDeleteVertexArrays(1, &r.vertexArray);
    } else {
        r.models.release();
        r.grid.release();
    }
}

bool Renderer::LoadFont(const std::string& file, std::string& error) {
    Impl& r = *m_impl;
    if (!std::ifstream(file, std::ios::binary).good()) {
        error = "cannot read the font " + file;
        return false;
    }
    // SFML reports its own failures on sf::err(); keep them to one line of ours.
    std::ostringstream discard;
    std::streambuf* previous = sf::err().rdbuf(discard.rdbuf());
    const bool ok = r.font.loadFromFile(file);
    sf::err().rdbuf(previous);
    if (!ok) {
        error = "cannot read the font " + file + ": not a font";
        return false;
    }
    r.fontLoaded = true;
    for (Impl::Lines* lines : {&r.queueLines, &r.legendLines})
        for (sf::Text& text : lines->texts) text.setFont(r.font);
    return true;
}

void Renderer::SetViewport(int width, int height) {
    Impl& r = *m_impl;
    r.width = std::max(1, width);
    r.height = std::max(1, height);
    r.area = PlayArea::Fit(r.width, r.height, r.shapeWidth, r.shapeHeight);
    r.window.setActive(true);
    r.ApplyViewport();
    // Text is laid out on the picture at its own size and scaled with the
    // play area, so it keeps its place and proportion in any window.
    sf::View view(sf::FloatRect(0.0f, 0.0f, static_cast<float>(r.shapeWidth), static_cast<float>(r.shapeHeight)));
    const float w = static_cast<float>(r.width), h = static_cast<float>(r.height);
    view.setViewport(sf::FloatRect(static_cast<float>(r.area.x) / w, static_cast<float>(r.area.y) / h,
                                   static_cast<float>(r.area.width) / w, static_cast<float>(r.area.height) / h));
    r.window.setView(view);
    r.textScale = static_cast<float>(r.area.height) / static_cast<float>(r.shapeHeight);
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
    if (!r.window.setActive(true)) return;

    r.newPicture = true;
    if (r.split != nullptr) {
        r.split->CountFrame();
        r.split->Mark();
    }
    r.EndPass(FrameSplit::Clear);  // the clear asked for before this draw

    r.ApplyViewport();
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glDepthMask(GL_TRUE);
    glDisable(GL_CULL_FACE);
    glDisable(GL_BLEND);
    glLineWidth(1.0f);
    // SFML leaves client arrays enabled that point at its own memory.
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    // Without both programs (the reason is on stderr) only the text is drawn.
    if (r.painter.IsReady()) r.DrawScene(queue, models, camera);

    if (!r.fontLoaded || (queue.lines.empty() && r.legend.empty())) return;
    r.window.pushGLStates();
    r.DrawLines(
        r.queueLines, queue.lines, kTextSize, false,
        [](const RenderQueue::Text& line) -> const std::string& { return line.text; },
        [](const RenderQueue::Text& line) {
            const vector3 c = glm::clamp(OrDefault(line.colour), 0.0f, 1.0f);
            return sf::Color(static_cast<sf::Uint8>(c.r * 255.0f + 0.5f), static_cast<sf::Uint8>(c.g * 255.0f + 0.5f),
                             static_cast<sf::Uint8>(c.b * 255.0f + 0.5f));
        });
    r.DrawLines(
        r.legendLines, r.legend, kLegendSize, true, [](const std::string& line) -> const std::string& { return line; },
        [](const std::string&) { return sf::Color::White; });
    r.window.popGLStates();
    r.EndPass(FrameSplit::Text);
}

}  // namespace ReEng
