#pragma once
// Lines of text drawn over the 3D picture with the engine's own glyphs. They
// are laid out on the picture's pixels (1080 x 720) as SFML's text was, so
// they keep their place in any window, and drawn at the screen's own
// resolution, one texel per pixel, so they stay sharp.
//
// GL state: DrawLines needs a current context and the viewport set to the
// play area. It turns the depth test off and leaves it off (text is the last
// thing drawn; the renderer turns it on again before the next picture),
// leaves blending off, texture unit 0 active, and no program, buffer or
// texture bound. Where the context needs a vertex array, the caller binds one. Its triangles face the front, so culling
// does no harm.
#include <string>
#include <utility>
#include <vector>

#include "engine/render/GLProgram.h"
#include "engine/render/text/GlyphAtlas.h"
#include "engine/render/text/TextLine.h"

namespace ReEng {

class TextPass {
public:
    // What one group of lines (the queue's, the legend) was drawn with: its
    // glyphs at its size, its texture and its vertices, made again only when
    // a line's text or colour, the size or the scale changes. Its GL names
    // are freed with it, so it must go while the context is current.
    class Cache {
    public:
        Cache() = default;
        ~Cache();
        Cache(const Cache&) = delete;
        Cache& operator=(const Cache&) = delete;

    private:
        friend class TextPass;
        unsigned font = 0;  // the TextPass's font it holds a copy of
        GlyphAtlas atlas;
        unsigned texture = 0, uploaded = 0;  // uploaded: the atlas's generation in the texture
        unsigned buffer = 0;
        int count = 0;  // vertices in the buffer
        std::vector<TextLine> shown;
        float size = 0.0f, scale = 0.0f;
        int shapeWidth = 0, shapeHeight = 0;
        bool fromBottom = false;
        std::vector<float> vertices;  // kept, so making them again allocates nothing
    };

    TextPass() = default;
    TextPass(const TextPass&) = delete;
    TextPass& operator=(const TextPass&) = delete;

    // Reads the font (no context needed). On failure error is one line and
    // the font already loaded, if any, stays.
    bool Load(const std::string& fontFile, std::string& error);
    bool Loaded() const { return m_font.Loaded(); }

    // The picture's own size, and screen pixels per pixel of it.
    void SetPicture(int shapeWidth, int shapeHeight, float textScale);

    // The lines, `size` picture pixels tall, from the top left corner or
    // ending at the bottom left one.
    void DrawLines(Cache& cache, const std::vector<TextLine>& lines, float size, bool fromBottom);
    // Draw calls made since the last look.
    unsigned TakeDraws() { return std::exchange(m_draws, 0u); }

private:
    bool Prepare();
    void Layout(Cache& cache, const std::vector<TextLine>& lines, float size, bool fromBottom);

    GlyphAtlas m_font;
    unsigned m_fontSerial = 0;  // which Load it came from, so caches copy a new font
    int m_shapeWidth = 1080, m_shapeHeight = 720;
    float m_textScale = 1.0f;

    GLProgram m_program;
    int m_toClip = -1, m_atlasUnit = -1;
    bool m_prepared = false;  // tried: a program that failed is not tried each frame
    unsigned m_draws = 0;
};

}  // namespace ReEng
