#pragma once
// A font's printable ASCII (32..126) drawn at one size into one RGBA
// picture: red (and green and blue) hold each glyph's fill, alpha its
// outline, the fill grown by the outline's thickness with a soft edge. One
// texture then draws both, the outline under the fill. Any other character
// draws as '?'.
#include <array>
#include <memory>
#include <string>

#include "engine/io/Image.h"

namespace ReEng {

class GlyphAtlas {
public:
    struct Glyph {
        // The quad, in pixels from the pen on the baseline, y down, outline
        // included. All zero for a glyph with nothing to draw (a space).
        float left = 0.0f, top = 0.0f, right = 0.0f, bottom = 0.0f;
        // Its place in the picture, 0..1, one texel per pixel of the quad.
        float u0 = 0.0f, v0 = 0.0f, u1 = 0.0f, v1 = 0.0f;
        float advance = 0.0f;  // to the next glyph's pen, whole pixels
    };

    // Reads a TrueType font. On failure error is one line ("cannot read the
    // font FILE", with ": not a font" when its bytes are not one) and the
    // atlas keeps the font it had.
    bool Load(const std::string& file, std::string& error);
    bool Loaded() const { return m_face != nullptr; }

    // Draws the glyphs with an EM square `pixels` tall (the character size
    // as SFML and FreeType mean it) and an outline `outline` pixels thick.
    // Nothing is done when that is what the picture already holds.
    void Bake(unsigned pixels, float outline);

    const Glyph& Get(char32_t c) const;
    // Baseline to baseline at the baked size: ascent - descent + line gap.
    float LineSpacing() const { return m_lineSpacing; }
    // The advance of '0' at any size, without baking: in a monospaced font
    // every glyph's.
    float Advance(unsigned pixels) const;

    const Image& Picture() const { return m_picture; }
    // Goes up whenever the picture changes, so a texture knows to follow.
    unsigned Generation() const { return m_generation; }

private:
    static constexpr char32_t kFirst = 32, kLast = 126;
    struct Face;  // the font's bytes and stb's view of them, shared by copies

    std::shared_ptr<const Face> m_face;
    unsigned m_pixels = 0;
    float m_outline = -1.0f;
    unsigned m_generation = 0;
    float m_lineSpacing = 0.0f;
    std::array<Glyph, kLast - kFirst + 1> m_glyphs{};
    Image m_picture;
};

}  // namespace ReEng
