#include "engine/render/text/GlyphAtlas.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "engine/io/RegularFile.h"

#define STB_TRUETYPE_IMPLEMENTATION
#include <stb/stb_truetype.h>

namespace ReEng {

struct GlyphAtlas::Face {
    Face() = default;
    Face(const Face&) = delete;  // info points into bytes
    Face& operator=(const Face&) = delete;
    std::vector<unsigned char> bytes;
    stbtt_fontinfo info{};
};

namespace {

constexpr std::size_t kMaxFontBytes = 32 * 1024 * 1024;

std::uint32_t Big16(const std::vector<unsigned char>& b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at] << 8 | b[at + 1]);
}
std::uint32_t Big32(const std::vector<unsigned char>& b, std::size_t at) {
    return Big16(b, at) << 16 | Big16(b, at + 2);
}

// stb_truetype trusts the file: it reads wherever the table directory
// points. A directory and tables that lie within the bytes keep a cut-short
// or garbage file from sending it past the end.
bool TablesWithin(const std::vector<unsigned char>& bytes, int offset) {
    const std::size_t size = bytes.size();
    if (offset < 0 || static_cast<std::size_t>(offset) + 12 > size) return false;
    const std::size_t start = static_cast<std::size_t>(offset);
    const std::size_t tables = Big16(bytes, start + 4);
    if (start + 12 + 16 * tables > size) return false;
    for (std::size_t i = 0; i < tables; ++i) {
        const std::size_t entry = start + 12 + 16 * i;
        const std::uint64_t at = Big32(bytes, entry + 8), length = Big32(bytes, entry + 12);
        if (at + length > size) return false;
    }
    return true;
}

// Where the outline reaches from a pixel of fill. The fill's pixel is a
// square, so the grown shape ends half a pixel plus the thickness from its
// centre: a pixel whose centre is d away is covered by about
// thickness + 1 - d of its width, which softens the edge as the fill's is.
struct Reach {
    int dx, dy;
    float weight;
};

std::vector<Reach> OutlineReach(float outline) {
    std::vector<Reach> reach;
    const int r = static_cast<int>(std::ceil(outline));
    for (int dy = -r; dy <= r; ++dy)
        for (int dx = -r; dx <= r; ++dx) {
            const float d = std::sqrt(static_cast<float>(dx * dx + dy * dy));
            const float weight = d == 0.0f ? 1.0f : std::clamp(outline + 1.0f - d, 0.0f, 1.0f);
            if (weight > 0.0f) reach.push_back({dx, dy, weight});
        }
    return reach;
}

// A glyph's fill and outline, side by side in cells of their own size.
struct Cell {
    int x0 = 0, y0 = 0, width = 0, height = 0;  // box from the pen, outline included
    int atX = 0, atY = 0;                       // its place in the picture
};

// A glyph's fill into red, green and blue, its outline into alpha, at its
// cell in a picture `width` wide.
void Copy(const Cell& cell, const std::vector<std::uint8_t>& fill, const std::vector<std::uint8_t>& edge,
          std::uint8_t* picture, int width) {
    for (int py = 0; py < cell.height; ++py) {
        std::uint8_t* out = picture + (static_cast<std::size_t>(cell.atY + py) * width + cell.atX) * 4;
        for (int px = 0; px < cell.width; ++px, out += 4) {
            const std::size_t at = static_cast<std::size_t>(py * cell.width + px);
            out[0] = out[1] = out[2] = fill[at];
            out[3] = edge[at];
        }
    }
}

// Places the cells on shelves across a picture `width` wide, left to right
// and top to bottom; returns the picture's height.
int Shelve(Cell* cells, std::size_t count, int width) {
    int x = 1, y = 1, shelf = 0;
    for (Cell* cell = cells; cell != cells + count; ++cell) {
        if (cell->width == 0) continue;
        if (x + cell->width + 1 > width) {
            x = 1;
            y += shelf + 1;
            shelf = 0;
        }
        cell->atX = x;
        cell->atY = y;
        x += cell->width + 1;
        shelf = std::max(shelf, cell->height);
    }
    return y + shelf + 1;
}

// The outline of a w x h glyph's fill: each filled pixel spreads its
// coverage to the pixels within reach, weighted by their distance.
void Outline(const std::vector<std::uint8_t>& fill, int w, int h, const std::vector<Reach>& reach,
             std::vector<std::uint8_t>& edge) {
    edge.assign(fill.size(), 0);
    for (int py = 0; py < h; ++py)
        for (int px = 0; px < w; ++px) {
            const std::uint8_t f = fill[static_cast<std::size_t>(py * w + px)];
            if (f == 0) continue;
            for (const Reach& r : reach) {
                const int qx = px + r.dx, qy = py + r.dy;
                if (qx < 0 || qy < 0 || qx >= w || qy >= h) continue;
                std::uint8_t& e = edge[static_cast<std::size_t>(qy * w + qx)];
                e = std::max(e, static_cast<std::uint8_t>(std::lround(f * r.weight)));
            }
        }
}

}  // namespace

bool GlyphAtlas::Load(const std::string& file, std::string& error) {
    std::string bytes, why;
    if (ReadRegularFile(file, kMaxFontBytes, bytes, why) != FileReadResult::Ok) {
        error = "cannot read the font " + file;
        return false;
    }
    auto face = std::make_shared<Face>();
    face->bytes.assign(bytes.begin(), bytes.end());
    // The offset table alone is 12 bytes, a collection's header 16.
    const int offset = face->bytes.size() < 16 ? -1 : stbtt_GetFontOffsetForIndex(face->bytes.data(), 0);
    if (!TablesWithin(face->bytes, offset) || stbtt_InitFont(&face->info, face->bytes.data(), offset) == 0 ||
        static_cast<std::size_t>(face->info.head) + 20 > face->bytes.size() ||
        Big16(face->bytes, static_cast<std::size_t>(face->info.head) + 18) == 0) {  // units per EM
        error = "cannot read the font " + file + ": not a font";
        return false;
    }
    m_face = std::move(face);
    m_pixels = 0;  // the next Bake draws the new font
    return true;
}

float GlyphAtlas::Advance(unsigned pixels) const {
    if (!m_face) return 0.0f;
    int advance = 0, bearing = 0;
    stbtt_GetCodepointHMetrics(&m_face->info, '0', &advance, &bearing);
    // Whole pixels, as hinting has them: each glyph then starts on the grid.
    return std::round(static_cast<float>(advance) *
                      stbtt_ScaleForMappingEmToPixels(&m_face->info, static_cast<float>(pixels)));
}

const GlyphAtlas::Glyph& GlyphAtlas::Get(char32_t c) const {
    if (c < kFirst || c > kLast) c = U'?';
    return m_glyphs[c - kFirst];
}

void GlyphAtlas::Bake(unsigned pixels, float outline) {
    if (!(outline > 0.0f)) outline = 0.0f;  // NaN too
    if (!m_face || (pixels == m_pixels && outline == m_outline)) return;
    m_pixels = pixels;
    m_outline = outline;
    ++m_generation;

    const stbtt_fontinfo& info = m_face->info;
    const float scale = stbtt_ScaleForMappingEmToPixels(&info, static_cast<float>(pixels));
    int ascent = 0, descent = 0, gap = 0;
    stbtt_GetFontVMetrics(&info, &ascent, &descent, &gap);
    m_lineSpacing = static_cast<float>(ascent - descent + gap) * scale;

    // Cells on shelves, a pixel of nothing between them so that filtering
    // never reaches a neighbour.
    const int pad = static_cast<int>(std::ceil(outline));
    std::array<Cell, kLast - kFirst + 1> cells{};
    long area = 0;
    int widest = 0;
    for (char32_t c = kFirst; c <= kLast; ++c) {
        Cell& cell = cells[c - kFirst];
        int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        stbtt_GetCodepointBitmapBox(&info, static_cast<int>(c), scale, scale, &x0, &y0, &x1, &y1);
        if (x1 > x0 && y1 > y0) cell = {x0 - pad, y0 - pad, x1 - x0 + 2 * pad, y1 - y0 + 2 * pad, 0, 0};
        area += static_cast<long>(cell.width + 1) * (cell.height + 1);
        widest = std::max(widest, cell.width + 2);
    }
    int width = 64;
    while (static_cast<long>(width) * width < area || width < widest) width *= 2;
    const int height = Shelve(cells.data(), cells.size(), width);
    m_picture.Create(width, height);

    const std::vector<Reach> reach = OutlineReach(outline);
    std::vector<std::uint8_t> fill, edge;
    for (char32_t c = kFirst; c <= kLast; ++c) {
        const Cell& cell = cells[c - kFirst];
        Glyph& glyph = m_glyphs[c - kFirst];
        int advance = 0, bearing = 0;
        stbtt_GetCodepointHMetrics(&info, static_cast<int>(c), &advance, &bearing);
        glyph = Glyph{};
        glyph.advance = std::round(static_cast<float>(advance) * scale);
        if (cell.width == 0) continue;

        const int w = cell.width, h = cell.height;
        fill.assign(static_cast<std::size_t>(w * h), 0);
        stbtt_MakeCodepointBitmap(&info, fill.data() + pad * w + pad, w - 2 * pad, h - 2 * pad, w, scale, scale,
                                  static_cast<int>(c));
        Outline(fill, w, h, reach, edge);
        Copy(cell, fill, edge, m_picture.Pixels(), width);
        glyph.left = static_cast<float>(cell.x0);
        glyph.top = static_cast<float>(cell.y0);
        glyph.right = static_cast<float>(cell.x0 + w);
        glyph.bottom = static_cast<float>(cell.y0 + h);
        glyph.u0 = static_cast<float>(cell.atX) / static_cast<float>(width);
        glyph.v0 = static_cast<float>(cell.atY) / static_cast<float>(height);
        glyph.u1 = static_cast<float>(cell.atX + w) / static_cast<float>(width);
        glyph.v1 = static_cast<float>(cell.atY + h) / static_cast<float>(height);
    }
}

}  // namespace ReEng
