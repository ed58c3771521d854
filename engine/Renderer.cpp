// epoxy must come before anything that could pull in the system GL headers.
#include <epoxy/gl.h>

#include "engine/Renderer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

#include <glm/gtc/matrix_inverse.hpp>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>
#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Text.hpp>
#include <SFML/Graphics/View.hpp>
#include <SFML/System/Err.hpp>

#include "engine/CameraManagerSingleton.h"

namespace ReEng {
namespace {

const char* const kVertexShader = R"(#version 120
attribute vec3 a_position;
attribute vec3 a_normal;
uniform mat4 u_mvp;
uniform mat3 u_normalMatrix;
varying vec3 v_normal;
void main() {
    v_normal = u_normalMatrix * a_normal;
    gl_Position = u_mvp * vec4(a_position, 1.0);
}
)";

const char* const kFragmentShader = R"(#version 120
uniform vec3 u_colour;
uniform vec3 u_lightDir;
varying vec3 v_normal;
void main() {
    float len = length(v_normal);
    // A degenerate normal is shown flat rather than black.
    float diffuse = len > 1e-6 ? max(dot(v_normal / len, u_lightDir), 0.0) : 1.0;
    gl_FragColor = vec4(u_colour * (0.4 + 0.6 * diffuse), 1.0);
}
)";

// Lines and wireframes: one colour, nothing to light. In Mesa's software
// rasterizer a 1-pixel line shades whole 4x4 blocks along its length, so the
// grid costs as much as a large filled area and a lean shader pays off.
const char* const kFlatVertexShader = R"(#version 120
attribute vec3 a_position;
uniform mat4 u_mvp;
void main() {
    gl_Position = u_mvp * vec4(a_position, 1.0);
}
)";

const char* const kFlatFragmentShader = R"(#version 120
uniform vec3 u_colour;
void main() {
    gl_FragColor = vec4(u_colour, 1.0);
}
)";

constexpr GLuint kPositionAttrib = 0;  // generic 0 must be an enabled array in a compatibility context
constexpr GLuint kNormalAttrib = 1;

// Lines of a grid per direction at most, so a tiny cell size stays cheap.
constexpr int kMaxGridLines = 401;
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

// Every solid shape gets a rim of the opposite lightness, this many pixels
// wide, so it stands out from the clear colour and the grid alike.
constexpr float kRimPixels = 2.0f;
// Fills brighter than this (relative luminance) get a dark rim.
constexpr float kLightFill = 0.18f;

const vector3 kDefaultColour(0.6f, 0.6f, 0.6f);

vector3 OrDefault(const vector3& colour) {
    if (colour.r < 0.0f || colour.g < 0.0f || colour.b < 0.0f) return kDefaultColour;
    return colour;
}

struct Mesh {
    GLuint positions = 0;
    GLuint normals = 0;  // 0: unlit lines
    GLsizei count = 0;
    vector3 centre{0.0f};  // of its bounding box, for the rim
    vector3 half{0.0f};    // the box's half sizes
};

float Luminance(const vector3& srgb) {
    auto linear = [](float c) { return c <= 0.04045f ? c / 12.92f : std::pow((c + 0.055f) / 1.055f, 2.4f); };
    return 0.2126f * linear(srgb.r) + 0.7152f * linear(srgb.g) + 0.0722f * linear(srgb.b);
}

// Light shapes get a near-black rim; dark ones a rim of their own hue at
// full strength, light enough to stand out from the grid. Black has no hue:
// its rim is a tracer yellow, which no part of the scene uses.
vector3 RimColour(const vector3& fill) {
    if (Luminance(fill) > kLightFill) return fill * 0.1f;
    const float strongest = std::max({fill.r, fill.g, fill.b});
    return strongest > 0.05f ? fill / strongest : vector3(1.0f, 0.85f, 0.2f);
}

// The shape placed by `matrix`, grown about its box's centre by `world`
// units on every side.
matrix4 Grown(const matrix4& matrix, const vector3& centre, const vector3& half, float world) {
    vector3 scale(1.0f);
    for (int axis = 0; axis < 3; ++axis) {
        const float extent = half[axis] * glm::length(vector3(matrix[axis]));
        if (extent > 1e-6f) scale[axis] = 1.0f + world / extent;
    }
    return matrix * glm::translate(matrix4(1.0f), centre) * glm::scale(matrix4(1.0f), scale) *
           glm::translate(matrix4(1.0f), -centre);
}

void Upload(Mesh& mesh, const std::vector<vector3>& positions, const std::vector<vector3>* normals) {
    mesh.count = static_cast<GLsizei>(positions.size());
    if (positions.empty()) return;
    vector3 low = positions.front(), high = positions.front();
    for (const vector3& p : positions) {
        low = glm::min(low, p);
        high = glm::max(high, p);
    }
    mesh.centre = (low + high) * 0.5f;
    mesh.half = (high - low) * 0.5f;
    glGenBuffers(1, &mesh.positions);
    glBindBuffer(GL_ARRAY_BUFFER, mesh.positions);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(positions.size() * sizeof(vector3)), positions.data(),
                 GL_STATIC_DRAW);
    if (normals != nullptr && normals->size() == positions.size()) {
        glGenBuffers(1, &mesh.normals);
        glBindBuffer(GL_ARRAY_BUFFER, mesh.normals);
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(normals->size() * sizeof(vector3)), normals->data(),
                     GL_STATIC_DRAW);
    }
}

void Delete(Mesh& mesh) {
    if (mesh.positions != 0) glDeleteBuffers(1, &mesh.positions);
    if (mesh.normals != 0) glDeleteBuffers(1, &mesh.normals);
    mesh = Mesh();
}

// The queue's UV sphere (RenderQueue::Sphere::kRadius), as triangles with their normals.
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

// The edges of the cube -1..1, as line pairs.
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

// Three great circles of radius 1, as line pairs.
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

GLuint Compile(GLenum type, const char* source);

// 0 when the program does not link (the reason goes to stderr).
GLuint Link(const char* vertexSource, const char* fragmentSource, bool withNormals) {
    const GLuint vs = Compile(GL_VERTEX_SHADER, vertexSource);
    const GLuint fs = Compile(GL_FRAGMENT_SHADER, fragmentSource);
    GLuint program = glCreateProgram();
    glAttachShader(program, vs);
    glAttachShader(program, fs);
    glBindAttribLocation(program, kPositionAttrib, "a_position");
    if (withNormals) glBindAttribLocation(program, kNormalAttrib, "a_normal");
    glLinkProgram(program);
    glDeleteShader(vs);
    glDeleteShader(fs);
    GLint linked = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (linked != GL_TRUE) {
        char log[512] = {};
        glGetProgramInfoLog(program, sizeof log, nullptr, log);
        std::fprintf(stderr, "renderer: shader program does not link: %s\n", log);
        glDeleteProgram(program);
        program = 0;
    }
    return program;
}

GLuint Compile(GLenum type, const char* source) {
    const GLuint shader = glCreateShader(type);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok != GL_TRUE) {
        char log[512] = {};
        glGetShaderInfoLog(shader, sizeof log, nullptr, log);
        std::fprintf(stderr, "renderer: shader does not compile: %s\n", log);
    }
    return shader;
}

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

    GLuint program = 0;  // lit triangles
    GLint uMvp = -1, uNormalMatrix = -1, uColour = -1, uLightDir = -1;
    GLuint flatProgram = 0;  // lines and anything without normals
    GLint fMvp = -1, fColour = -1;
    GLuint current = 0;  // the program in use, to switch only when needed

    void Use(GLuint p) {
        if (p != current) glUseProgram(p);
        current = p;
    }

    // Every instance of a model in one colour in one draw: their triangles placed in the
    // world once and kept, rebuilt only when an instance comes, goes or moves.
    // A software rasterizer pays per draw; the platforms and obstacles of a
    // section are some thirty draws of a dozen triangles each otherwise.
    struct Batch {
        int model = -1;
        vector3 colour{0.0f};  // as queued; negative: the default
        Mesh fill, rim;
        std::vector<matrix4> matrices;  // what the meshes hold, in order
        std::vector<matrix4> frame;     // this frame's
        float rimWidth = -1.0f;
    };
    std::vector<Batch> batches;  // one per model and colour, in the order first seen
    std::vector<vector3> scratchPositions, scratchNormals;

    Batch& BatchFor(int model, const vector3& colour) {
        for (Batch& batch : batches)
            if (batch.model == model && batch.colour == colour) return batch;
        batches.emplace_back();
        batches.back().model = model;
        batches.back().colour = colour;
        return batches.back();
    }

    // Brings each batch up to this frame's instances.
    void PrepareModels(const RenderQueue& queue, const std::vector<Model>& models, float rimWidth) {
        for (Batch& batch : batches) batch.frame.clear();
        for (const RenderQueue::Instance& instance : queue.instances) {
            if (instance.model < 0 || static_cast<std::size_t>(instance.model) >= models.size()) continue;
            BatchFor(instance.model, instance.colour).frame.push_back(instance.matrix);
        }
        for (Batch& batch : batches) {
            if (batch.frame.empty()) continue;
            if (batch.matrices != batch.frame || batch.rimWidth != rimWidth) {
                const Model& model = models[static_cast<std::size_t>(batch.model)];
                batch.matrices = batch.frame;
                batch.rimWidth = rimWidth;
                Rebuild(batch.fill, model, batch.matrices, -1.0f);
                Rebuild(batch.rim, model, batch.matrices, rimWidth);
            }
        }
    }

    // The fills, lit, or the rims, flat.
    void DrawModels(const matrix4& viewProjection, bool rims) {
        for (const Batch& batch : batches) {
            if (batch.frame.empty()) continue;
            const vector3 colour = OrDefault(batch.colour);
            if (rims)
                DrawMesh(batch.rim, GL_TRIANGLES, viewProjection, matrix4(1.0f), RimColour(colour), false);
            else
                DrawMesh(batch.fill, GL_TRIANGLES, viewProjection, matrix4(1.0f), colour, true);
        }
    }

    // The model's triangles placed by every matrix (grown by rimWidth on
    // every side when it is not negative; a rim needs no normals).
    void Rebuild(Mesh& mesh, const Model& model, const std::vector<matrix4>& matrices, float rimWidth) {
        scratchPositions.clear();
        scratchNormals.clear();
        vector3 low(0.0f), high(0.0f);
        if (!model.positions.empty()) low = high = model.positions.front();
        for (const vector3& p : model.positions) {
            low = glm::min(low, p);
            high = glm::max(high, p);
        }
        const bool lit = rimWidth < 0.0f && model.normals.size() == model.positions.size();
        for (const matrix4& placed : matrices) {
            const matrix4 m =
                rimWidth < 0.0f ? placed : Grown(placed, (low + high) * 0.5f, (high - low) * 0.5f, rimWidth);
            const glm::mat3 normalMatrix = glm::inverseTranspose(glm::mat3(m));
            for (std::size_t i = 0; i < model.positions.size(); ++i) {
                scratchPositions.push_back(vector3(m * glm::vec4(model.positions[i], 1.0f)));
                if (lit) scratchNormals.push_back(normalMatrix * model.normals[i]);
            }
        }
        mesh.count = static_cast<GLsizei>(scratchPositions.size());
        Fill(mesh.positions, scratchPositions);
        if (lit) Fill(mesh.normals, scratchNormals);
    }

    static void Fill(GLuint& buffer, const std::vector<vector3>& data) {
        if (buffer == 0) glGenBuffers(1, &buffer);
        glBindBuffer(GL_ARRAY_BUFFER, buffer);
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(data.size() * sizeof(vector3)), data.data(),
                     GL_DYNAMIC_DRAW);
    }

    Mesh sphere, wireBox, wireSphere;
    struct GridCache {
        Mesh mesh;
        float size = 0.0f;
        int half = 0;
    };
    GridCache gridCache[3];          // one per plane
    std::vector<vector3> gridLines;  // reserved once

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

    void DrawMesh(const Mesh& mesh, GLenum mode, const matrix4& viewProjection, const matrix4& model,
                  const vector3& colour, bool lit) {
        if (mesh.count == 0) return;
        const matrix4 mvp = viewProjection * model;
        const bool shaded = lit && mesh.normals != 0;
        Use(shaded ? program : flatProgram);
        glUniformMatrix4fv(shaded ? uMvp : fMvp, 1, GL_FALSE, glm::value_ptr(mvp));
        glUniform3f(shaded ? uColour : fColour, colour.r, colour.g, colour.b);
        glBindBuffer(GL_ARRAY_BUFFER, mesh.positions);
        glVertexAttribPointer(kPositionAttrib, 3, GL_FLOAT, GL_FALSE, 0, nullptr);
        if (shaded) {
            const glm::mat3 normalMatrix = glm::inverseTranspose(glm::mat3(model));
            glUniformMatrix3fv(uNormalMatrix, 1, GL_FALSE, glm::value_ptr(normalMatrix));
            glEnableVertexAttribArray(kNormalAttrib);
            glBindBuffer(GL_ARRAY_BUFFER, mesh.normals);
            glVertexAttribPointer(kNormalAttrib, 3, GL_FLOAT, GL_FALSE, 0, nullptr);
        } else {
            glDisableVertexAttribArray(kNormalAttrib);
        }
        glDrawArrays(mode, 0, mesh.count);
    }

    void DrawGrid(const RenderQueue::Grid& g, const vector3& eye, const matrix4& viewProjection) {
        if (!(g.size > 0.0f) || !std::isfinite(g.size)) return;
        static const int kPlanes[3][4] = {// orientation bit, first axis, second axis, normal axis
                                          {1, 0, 1, 2},
                                          {2, 0, 2, 1},
                                          {4, 1, 2, 0}};
        for (const auto& plane : kPlanes) {
            if ((g.orientation & plane[0]) == 0) continue;
            const int u = plane[1], v = plane[2], w = plane[3];
            // Enough lines to cover the view: the orthographic views span
            // about 30 units, a perspective view more as the eye moves away.
            const float extent = 40.0f + 2.0f * std::fabs(eye[w]);
            const int half = std::min(kMaxGridLines / 2, static_cast<int>(std::ceil(extent / g.size)));
            const float reach = static_cast<float>(half) * g.size;
            // Built around the origin once per cell size and moved with the
            // eye in whole cells: the lines fall where they always did.
            GridCache& cache = gridCache[&plane - kPlanes];
            if (cache.size != g.size || cache.half != half) {
                cache.size = g.size;
                cache.half = half;
                gridLines.clear();
                for (int i = -half; i <= half; ++i) {
                    const float offset = static_cast<float>(i) * g.size;
                    vector3 a(0.0f), b(0.0f);
                    a[u] = b[u] = offset;
                    a[v] = -reach;
                    b[v] = reach;
                    gridLines.push_back(a);
                    gridLines.push_back(b);
                    a[v] = b[v] = offset;
                    a[u] = -reach;
                    b[u] = reach;
                    gridLines.push_back(a);
                    gridLines.push_back(b);
                }
                Fill(cache.mesh.positions, gridLines);
                cache.mesh.count = static_cast<GLsizei>(gridLines.size());
            }
            vector3 centre(0.0f);
            centre[u] = std::round(eye[u] / g.size) * g.size;
            centre[v] = std::round(eye[v] / g.size) * g.size;
            DrawMesh(cache.mesh, GL_LINES, viewProjection, glm::translate(matrix4(1.0f), centre), OrDefault(g.colour),
                     false);
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

    r.program = Link(kVertexShader, kFragmentShader, true);
    if (r.program != 0) {
        r.uMvp = glGetUniformLocation(r.program, "u_mvp");
        r.uNormalMatrix = glGetUniformLocation(r.program, "u_normalMatrix");
        r.uColour = glGetUniformLocation(r.program, "u_colour");
        r.uLightDir = glGetUniformLocation(r.program, "u_lightDir");
    }
    r.flatProgram = Link(kFlatVertexShader, kFlatFragmentShader, false);
    if (r.flatProgram != 0) {
        r.fMvp = glGetUniformLocation(r.flatProgram, "u_mvp");
        r.fColour = glGetUniformLocation(r.flatProgram, "u_colour");
    }

    // The fixed shapes are built and uploaded once, here.
    std::vector<vector3> positions, normals;
    BuildSphere(positions, normals);
    Upload(r.sphere, positions, &normals);
    positions.clear();
    BuildWireBox(positions);
    Upload(r.wireBox, positions, nullptr);
    positions.clear();
    BuildWireSphere(positions);
    Upload(r.wireSphere, positions, nullptr);

    r.gridLines.reserve(kMaxGridLines * 4);

    SetViewport(r.width, r.height);
}

Renderer::~Renderer() {
    Impl& r = *m_impl;
    // GL objects belong to the window's context, which must be current.
    if (r.window.setActive(true)) {
        for (Impl::Batch& batch : r.batches) {
            Delete(batch.fill);
            Delete(batch.rim);
        }
        Delete(r.sphere);
        Delete(r.wireBox);
        Delete(r.wireSphere);
        for (Impl::GridCache& cache : r.gridCache) Delete(cache.mesh);
        if (r.program != 0) glDeleteProgram(r.program);
        if (r.flatProgram != 0) glDeleteProgram(r.flatProgram);
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
    const float aspect = static_cast<float>(r.area.width) / static_cast<float>(r.area.height);
    const matrix4 viewProjection = camera.GetProjectionMatrix(aspect) * camera.GetViewMatrix();
    const vector3 eye = camera.GetPosition();

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
    if (r.program != 0 && r.flatProgram != 0) {
        r.current = 0;  // SFML may have changed it since the last frame
        r.Use(r.program);
        const vector3 light = glm::normalize(vector3(0.35f, 0.55f, 0.75f));
        glUniform3f(r.uLightDir, light.x, light.y, light.z);
        glEnableVertexAttribArray(kPositionAttrib);

        for (const RenderQueue::Grid& g : queue.grids) r.DrawGrid(g, eye, viewProjection);
        r.EndPass(FrameSplit::Grid);

        // Rims first, under every shape and over the grid: flat, and leaving
        // the depth buffer alone so no shape is hidden by another's rim.
        // The orthographic view spans twice its half width across the play area.
        const float rim = kRimPixels * 2.0f * CameraManagerSingleton::kHalfWidth / static_cast<float>(r.area.width);
        r.PrepareModels(queue, models, rim);
        // Shapes are closed: their back faces are always hidden, rims' too.
        glEnable(GL_CULL_FACE);
        glCullFace(GL_BACK);
        glDisable(GL_DEPTH_TEST);
        r.DrawModels(viewProjection, true);
        for (const RenderQueue::Sphere& s : queue.spheres)
            r.DrawMesh(r.sphere, GL_TRIANGLES, viewProjection, Grown(s.matrix, r.sphere.centre, r.sphere.half, rim),
                       RimColour(OrDefault(s.colour)), false);
        glEnable(GL_DEPTH_TEST);
        r.DrawModels(viewProjection, false);

        r.EndPass(FrameSplit::Models);
        for (const RenderQueue::Sphere& s : queue.spheres)
            r.DrawMesh(r.sphere, GL_TRIANGLES, viewProjection, s.matrix, OrDefault(s.colour), true);
        r.EndPass(FrameSplit::Spheres);
        glDisable(GL_CULL_FACE);

        for (const RenderQueue::Wire& w : queue.wires) {
            const Mesh& mesh = w.shape == RenderQueue::Shape::Box ? r.wireBox : r.wireSphere;
            r.DrawMesh(mesh, GL_LINES, viewProjection, w.matrix, OrDefault(w.colour), false);
        }
        r.EndPass(FrameSplit::Wires);

        // Hand SFML a clean state: its text drawing uses client-side arrays.
        glDisableVertexAttribArray(kNormalAttrib);
        glDisableVertexAttribArray(kPositionAttrib);
        glBindBuffer(GL_ARRAY_BUFFER, 0);
        glUseProgram(0);
        r.current = 0;
    }

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
