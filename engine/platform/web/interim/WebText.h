#pragma once
// The browser build's text: a glyph atlas baked from the TTF with
// stb_truetype, drawn as outlined quads over the picture. It stands in for
// SFML's text until the engine draws its own on every platform.
#include <string>
#include <vector>

#include "engine/platform/GL.h"

#include "engine/Definitions.h"

namespace ReEng {

class WebText {
public:
    WebText() = default;
    ~WebText();
    WebText(const WebText&) = delete;
    WebText& operator=(const WebText&) = delete;

    // False with a one-line error when the file is not a font.
    bool Load(const std::string& file, std::string& error);
    bool IsLoaded() const { return m_texture != 0; }
    // Lines of `size` picture pixels from the top (or up from the bottom) of
    // a picture shapeWidth x shapeHeight, drawn into the current viewport.
    struct Line {
        std::string text;
        vector3 colour;
    };
    void Draw(const std::vector<Line>& lines, float size, bool fromBottom, int shapeWidth, int shapeHeight,
              float screenScale);

private:
    bool Build();
    void Quad(std::vector<float>& out, float x, float y, int glyph, float scale) const;

    std::vector<unsigned char> m_chars;  // stbtt_bakedchar for ' ' to '~'
    float m_bakeSize = 0.0f;
    float m_lineSpacing = 0.0f;  // at the bake size
    GLuint m_texture = 0;
    GLuint m_program = 0;
    GLuint m_buffer = 0;
    GLuint m_vertexArray = 0;
    GLint m_colourAt = -1, m_offsetAt = -1, m_shapeAt = -1;
};

}  // namespace ReEng
