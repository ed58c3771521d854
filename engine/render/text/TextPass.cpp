#include "engine/platform/GL.h"

#include "engine/render/text/TextPass.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "engine/render/RenderShapes.h"

namespace ReEng {

namespace {

const char* const kVertexBody = R"(
IN vec2 a_position;
IN vec2 a_texCoord;
IN vec3 a_colour;
uniform vec4 u_toClip;  // picture pixels to clip space: scale, then offset
OUT vec2 v_texCoord;
OUT vec3 v_colour;
void main() {
    v_texCoord = a_texCoord;
    v_colour = a_colour;
    gl_Position = vec4(a_position * u_toClip.xy + u_toClip.zw, 0.0, 1.0);
}
)";

// The fill over its black outline, premultiplied: red is the fill's
// coverage, alpha the outline's, which always covers the fill.
const char* const kFragmentBody = R"(
uniform sampler2D u_atlas;
VARYING vec2 v_texCoord;
VARYING vec3 v_colour;
void main() {
    vec4 texel = TEXTURE(u_atlas, v_texCoord);
    FRAG_COLOUR = vec4(v_colour * texel.r, max(texel.r, texel.a));
}
)";

constexpr GLuint kPositionAttrib = 0, kTexCoordAttrib = 1, kColourAttrib = 2;
constexpr int kFloatsPerVertex = 7;  // x, y, u, v, r, g, b

constexpr float kTextMargin = 8.0f;
// A dark outline this wide (of the size, and never under two screen pixels,
// or its soft edge lets the glyph touch the scene) keeps light text readable
// on any background.
constexpr float kOutlinePerSize = 1.0f / 12.0f;
constexpr float kMinOutline = 2.0f;

// The next character of UTF-8 text; anything past ASCII comes back as one
// character the atlas shows as '?'.
char32_t NextCharacter(const std::string& text, std::size_t& at) {
    const unsigned char first = static_cast<unsigned char>(text[at++]);
    if (first < 0x80) return first;
    while (at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80) ++at;
    return U'\uFFFD';
}

void Quad(std::vector<float>& v, float x0, float y0, float x1, float y1, const GlyphAtlas::Glyph& g, const vector3& c) {
    // Counter-clockwise on screen, whichever way culling is set.
    const float corners[6][4] = {{x0, y0, g.u0, g.v0}, {x0, y1, g.u0, g.v1}, {x1, y1, g.u1, g.v1},
                                 {x0, y0, g.u0, g.v0}, {x1, y1, g.u1, g.v1}, {x1, y0, g.u1, g.v0}};
    for (const auto& p : corners) v.insert(v.end(), {p[0], p[1], p[2], p[3], c.r, c.g, c.b});
}

}  // namespace

TextPass::Cache::~Cache() {
    if (buffer != 0) glDeleteBuffers(1, &buffer);
    if (texture != 0) glDeleteTextures(1, &texture);
}

bool TextPass::Load(const std::string& fontFile, std::string& error) {
    if (!m_font.Load(fontFile, error)) return false;
    ++m_fontSerial;
    return true;
}

void TextPass::SetPicture(int shapeWidth, int shapeHeight, float textScale) {
    m_shapeWidth = std::max(1, shapeWidth);
    m_shapeHeight = std::max(1, shapeHeight);
    m_textScale = textScale > 0.0f && std::isfinite(textScale) ? textScale : 1.0f;
}

bool TextPass::Prepare() {
    if (m_prepared) return static_cast<bool>(m_program);
    m_prepared = true;
    if (!m_program.Build(
            kVertexBody, kFragmentBody,
            {{kPositionAttrib, "a_position"}, {kTexCoordAttrib, "a_texCoord"}, {kColourAttrib, "a_colour"}}))
        return false;  // the reason is on stderr; no text is drawn
    m_toClip = m_program.Uniform("u_toClip");
    m_atlasUnit = m_program.Uniform("u_atlas");
    return true;
}

void TextPass::Layout(Cache& cache, const std::vector<TextLine>& lines, float size, bool fromBottom) {
    const float scale = m_textScale;
    const unsigned pixels = std::max(1u, static_cast<unsigned>(std::lround(size * scale)));
    const float toPicture = size / static_cast<float>(pixels);
    GlyphAtlas& atlas = cache.atlas;
    atlas.Bake(pixels, std::max(kMinOutline, static_cast<float>(pixels) * kOutlinePerSize));
    // Advances are whole pixels at each size: stretch the line a little so
    // it is exactly as wide, in proportion, as at the picture's own size.
    const float advance = atlas.Advance(pixels);
    const float ownAdvance = atlas.Advance(static_cast<unsigned>(size));
    const float widen = advance > 0.0f && ownAdvance > 0.0f ? ownAdvance / (advance * toPicture) : 1.0f;
    const float spacing = atlas.LineSpacing() * toPicture;
    const float top = fromBottom
                          ? static_cast<float>(m_shapeHeight) - kTextMargin - spacing * static_cast<float>(lines.size())
                          : kTextMargin;
    // Screen pixels per picture pixel across and down (the play area's width
    // is the picture's, rounded to whole pixels).
    const float across = std::round(static_cast<float>(m_shapeWidth) * scale) / static_cast<float>(m_shapeWidth);
    const float down = scale;

    cache.vertices.clear();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        // The baseline is a character size below the line's top, as SFML's text had it.
        const float baseline = top + spacing * static_cast<float>(i) + static_cast<float>(pixels) * toPicture;
        float pen = 0.0f;  // glyph pixels from the margin
        for (std::size_t at = 0; at < lines[i].text.size();) {
            const GlyphAtlas::Glyph& g = atlas.Get(NextCharacter(lines[i].text, at));
            if (g.right > g.left) {
                // Each quad starts on a whole screen pixel and covers one
                // per texel: the glyph as it was drawn, unblurred.
                const float x = std::round((kTextMargin + (pen + g.left) * toPicture * widen) * across);
                const float y = std::round((baseline + g.top * toPicture) * down);
                Quad(cache.vertices, x / across, y / down, (x + g.right - g.left) / across,
                     (y + g.bottom - g.top) / down, g, glm::clamp(OrDefault(lines[i].colour), 0.0f, 1.0f));
            }
            pen += g.advance;
        }
    }
    cache.count = static_cast<int>(cache.vertices.size() / kFloatsPerVertex);
    if (cache.buffer == 0) glGenBuffers(1, &cache.buffer);
    glBindBuffer(GL_ARRAY_BUFFER, cache.buffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(cache.vertices.size() * sizeof(float)), cache.vertices.data(),
                 GL_DYNAMIC_DRAW);

    cache.shown = lines;
    cache.size = size;
    cache.scale = scale;
    cache.shapeWidth = m_shapeWidth;
    cache.shapeHeight = m_shapeHeight;
    cache.fromBottom = fromBottom;
}

void TextPass::DrawLines(Cache& cache, const std::vector<TextLine>& lines, float size, bool fromBottom) {
    if (!m_font.Loaded() || !(size > 0.0f) || !Prepare()) return;
    if (cache.font != m_fontSerial) {
        cache.font = m_fontSerial;
        cache.atlas = m_font;
        cache.uploaded = 0;  // a fresh copy's first bake is generation 1
        cache.size = 0.0f;   // lay out again
    }
    glDisable(GL_DEPTH_TEST);
    glUseProgram(m_program.Id());
    if (cache.shown != lines || cache.size != size || cache.scale != m_textScale || cache.shapeWidth != m_shapeWidth ||
        cache.shapeHeight != m_shapeHeight || cache.fromBottom != fromBottom)
        Layout(cache, lines, size, fromBottom);
    else
        glBindBuffer(GL_ARRAY_BUFFER, cache.buffer);

    glActiveTexture(GL_TEXTURE0);
    if (cache.texture == 0) glGenTextures(1, &cache.texture);
    glBindTexture(GL_TEXTURE_2D, cache.texture);
    const Image& picture = cache.atlas.Picture();
    if (cache.uploaded != cache.atlas.Generation() && !picture.Empty()) {
        cache.uploaded = cache.atlas.Generation();
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, picture.Width(), picture.Height(), 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     picture.Pixels());
    }

    if (cache.count > 0) {
        glUniform4f(m_toClip, 2.0f / static_cast<float>(m_shapeWidth), -2.0f / static_cast<float>(m_shapeHeight), -1.0f,
                    1.0f);
        glUniform1i(m_atlasUnit, 0);
        const auto stride = static_cast<GLsizei>(kFloatsPerVertex * sizeof(float));
        const auto offset = [](int floats) { return reinterpret_cast<const void*>(floats * sizeof(float)); };
        for (GLuint attrib : {kPositionAttrib, kTexCoordAttrib, kColourAttrib}) glEnableVertexAttribArray(attrib);
        glVertexAttribPointer(kPositionAttrib, 2, GL_FLOAT, GL_FALSE, stride, offset(0));
        glVertexAttribPointer(kTexCoordAttrib, 2, GL_FLOAT, GL_FALSE, stride, offset(2));
        glVertexAttribPointer(kColourAttrib, 3, GL_FLOAT, GL_FALSE, stride, offset(4));
        glEnable(GL_BLEND);
        // Premultiplied colour; the picture's own alpha is left as it was.
        glBlendFuncSeparate(GL_ONE, GL_ONE_MINUS_SRC_ALPHA, GL_ZERO, GL_ONE);
        glDrawArrays(GL_TRIANGLES, 0, cache.count);
        ++m_draws;
        glDisable(GL_BLEND);
        for (GLuint attrib : {kPositionAttrib, kTexCoordAttrib, kColourAttrib}) glDisableVertexAttribArray(attrib);
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glUseProgram(0);
}

}  // namespace ReEng
