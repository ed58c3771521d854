// The glyph atlas, with the game's own DejaVu Sans Mono: sizes as SFML means
// them, the outline drawn around the fill, and fonts that cannot be read.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <vector>

#include "engine/render/text/GlyphAtlas.h"
#include "engine/io/ResourcePath.h"
#include "tests/engine/TempFolder.h"

using namespace ReEng;

namespace {

std::string FontFile() { return FindResource("assets/fonts/DejaVuSansMono.ttf"); }

GlyphAtlas LoadedAtlas() {
    GlyphAtlas atlas;
    std::string error;
    EXPECT_TRUE(atlas.Load(FontFile(), error)) << error;
    return atlas;
}

// A glyph's texels, by pixel of its quad.
struct Texels {
    const GlyphAtlas& atlas;
    const GlyphAtlas::Glyph& glyph;
    int Width() const { return static_cast<int>(glyph.right - glyph.left); }
    int Height() const { return static_cast<int>(glyph.bottom - glyph.top); }
    const std::uint8_t* At(int x, int y) const {
        const Image& picture = atlas.Picture();
        const int atX = static_cast<int>(std::lround(glyph.u0 * static_cast<float>(picture.Width()))) + x;
        const int atY = static_cast<int>(std::lround(glyph.v0 * static_cast<float>(picture.Height()))) + y;
        return picture.Pixels() + (static_cast<std::size_t>(atY) * static_cast<std::size_t>(picture.Width()) +
                                   static_cast<std::size_t>(atX)) *
                                      4;
    }
    int Fill(int x, int y) const { return At(x, y)[0]; }
    int Outline(int x, int y) const { return At(x, y)[3]; }
};

// DejaVu Sans Mono's digits are 1233 units of its 2048-unit EM.
constexpr float kDigitPerEm = 1233.0f / 2048.0f;

}  // namespace

// The fonts that cannot be read are written to a folder of the test's own.
class GlyphAtlasTest : public TempFolder {};

TEST_F(GlyphAtlasTest, MonospacedGlyphsShareAnAdvanceThatGrowsWithTheSize) {
    GlyphAtlas atlas = LoadedAtlas();
    for (unsigned pixels : {7u, 15u, 24u, 37u, 48u, 100u}) {
        const float advance = atlas.Advance(pixels);
        EXPECT_NEAR(advance, kDigitPerEm * static_cast<float>(pixels), 0.5f) << pixels;
        EXPECT_EQ(advance, std::round(advance)) << "whole pixels, as hinting has them: " << pixels;
        atlas.Bake(pixels, 2.0f);
        for (char32_t c = 32; c <= 126; ++c)
            EXPECT_EQ(atlas.Get(c).advance, advance) << pixels << " '" << static_cast<char>(c) << "'";
    }
}

TEST_F(GlyphAtlasTest, TheCharacterSizeIsTheHeightOfTheEmSquare) {
    // Not the font's ascent to descent, which would make every glyph smaller.
    GlyphAtlas atlas = LoadedAtlas();
    EXPECT_EQ(atlas.Advance(2048), 1233.0f);
    atlas.Bake(64, 0.0f);
    EXPECT_NEAR(atlas.LineSpacing(), 64.0f * (1901.0f + 483.0f) / 2048.0f, 0.01f);  // hhea: ascent, descent, no gap
    // 'H' stands on the baseline, its top at the font's cap height.
    const GlyphAtlas::Glyph& h = atlas.Get(U'H');
    EXPECT_NEAR(h.bottom, 0.0f, 1.0f);
    EXPECT_NEAR(-h.top, 64.0f * 1493.0f / 2048.0f, 1.0f);
}

TEST_F(GlyphAtlasTest, TheOutlineGrowsEachGlyphByItsThicknessAndCoversAroundTheFill) {
    GlyphAtlas atlas = LoadedAtlas();
    atlas.Bake(30, 0.0f);
    const GlyphAtlas::Glyph bare = atlas.Get(U'A');
    for (float outline : {1.0f, 3.0f, 4.5f}) {
        atlas.Bake(30, outline);
        const GlyphAtlas::Glyph& a = atlas.Get(U'A');
        const float grown = std::ceil(outline);  // whole pixels, at least the thickness
        EXPECT_EQ(a.left, bare.left - grown) << outline;
        EXPECT_EQ(a.top, bare.top - grown) << outline;
        EXPECT_EQ(a.right, bare.right + grown) << outline;
        EXPECT_EQ(a.bottom, bare.bottom + grown) << outline;
        EXPECT_EQ(a.advance, bare.advance) << "the outline does not move the pen: " << outline;

        const Texels t{atlas, a};
        int outlineOnly = 0;
        for (int y = 0; y < t.Height(); ++y)
            for (int x = 0; x < t.Width(); ++x) {
                ASSERT_GE(t.Outline(x, y), t.Fill(x, y)) << "the fill is never uncovered: " << x << "," << y;
                if (t.Fill(x, y) == 0 && t.Outline(x, y) == 255) ++outlineOnly;
                // The grown glyph is the fill's border moved out by the thickness,
                // so a pixel that close to a wholly covered one is wholly covered,
                // and one farther than a pixel beyond it from all fill is clear.
                float nearest = 1e9f, nearestFull = 1e9f;
                for (int qy = 0; qy < t.Height(); ++qy)
                    for (int qx = 0; qx < t.Width(); ++qx) {
                        if (t.Fill(qx, qy) == 0) continue;
                        const float d = std::hypot(static_cast<float>(qx - x), static_cast<float>(qy - y));
                        nearest = std::min(nearest, d);
                        if (t.Fill(qx, qy) == 255) nearestFull = std::min(nearestFull, d);
                    }
                if (nearestFull <= outline) {
                    ASSERT_EQ(t.Outline(x, y), 255) << outline << " at " << x << "," << y;
                }
                if (nearest >= outline + 1.0f) {
                    ASSERT_EQ(t.Outline(x, y), 0) << outline << " at " << x << "," << y;
                }
            }
        EXPECT_GT(outlineOnly, 0) << outline;
        // The fill itself stays inside its own box.
        for (int x = 0; x < t.Width(); ++x) EXPECT_EQ(t.Fill(x, 0), 0) << outline;
    }
}

TEST_F(GlyphAtlasTest, GlyphsHaveCellsOfTheirOwnOneTexelPerPixel) {
    GlyphAtlas atlas = LoadedAtlas();
    atlas.Bake(24, 2.0f);
    const float w = static_cast<float>(atlas.Picture().Width()), h = static_cast<float>(atlas.Picture().Height());
    struct Box {
        float x0, y0, x1, y1;
    };
    std::vector<Box> boxes;
    for (char32_t c = 33; c <= 126; ++c) {
        const GlyphAtlas::Glyph& g = atlas.Get(c);
        ASSERT_LT(g.left, g.right) << static_cast<char>(c);
        EXPECT_NEAR((g.u1 - g.u0) * w, g.right - g.left, 1e-3f) << static_cast<char>(c);
        EXPECT_NEAR((g.v1 - g.v0) * h, g.bottom - g.top, 1e-3f) << static_cast<char>(c);
        EXPECT_GE(g.u0, 0.0f);
        EXPECT_GE(g.v0, 0.0f);
        EXPECT_LE(g.u1, 1.0f);
        EXPECT_LE(g.v1, 1.0f);
        // A texel of nothing between cells, so filtering never borrows.
        const Box b{std::round(g.u0 * w), std::round(g.v0 * h), std::round(g.u1 * w), std::round(g.v1 * h)};
        EXPECT_GE(b.x0, 1.0f);
        EXPECT_GE(b.y0, 1.0f);
        EXPECT_LE(b.x1, w - 1);
        EXPECT_LE(b.y1, h - 1);
        for (const Box& o : boxes)
            EXPECT_FALSE(b.x0 < o.x1 + 1 && o.x0 < b.x1 + 1 && b.y0 < o.y1 + 1 && o.y0 < b.y1 + 1)
                << "'" << static_cast<char>(c) << "' touches another glyph";
        boxes.push_back(b);
    }
    const GlyphAtlas::Glyph& space = atlas.Get(U' ');
    EXPECT_EQ(space.left, space.right);
    EXPECT_GT(space.advance, 0.0f);
}

TEST_F(GlyphAtlasTest, WhatIsNotPrintableAsciiDrawsAsAQuestionMark) {
    GlyphAtlas atlas = LoadedAtlas();
    atlas.Bake(20, 2.0f);
    const GlyphAtlas::Glyph* question = &atlas.Get(U'?');
    for (char32_t c : {U'\0', U'\t', U'\n', char32_t{31}, char32_t{127}, U'\u00e9', U'\u2603', char32_t{0x10FFFF}})
        EXPECT_EQ(&atlas.Get(c), question) << static_cast<unsigned long>(c);
    EXPECT_NE(&atlas.Get(U'~'), question);
    EXPECT_NE(&atlas.Get(U' '), question);
}

TEST_F(GlyphAtlasTest, OnlyANewSizeOutlineOrFontBakesAgain) {
    GlyphAtlas atlas = LoadedAtlas();
    atlas.Bake(20, 2.0f);
    const unsigned first = atlas.Generation();
    atlas.Bake(20, 2.0f);
    EXPECT_EQ(atlas.Generation(), first);
    atlas.Bake(21, 2.0f);
    EXPECT_EQ(atlas.Generation(), first + 1);
    atlas.Bake(21, 2.5f);
    EXPECT_EQ(atlas.Generation(), first + 2);
    EXPECT_GT(atlas.Get(U'0').right - atlas.Get(U'0').left, 0.0f);

    std::string error;
    ASSERT_TRUE(atlas.Load(FontFile(), error)) << error;
    atlas.Bake(21, 2.5f);
    EXPECT_EQ(atlas.Generation(), first + 3) << "a font loaded again is drawn again";
}

TEST_F(GlyphAtlasTest, AFontThatCannotBeReadGivesOneLineAndKeepsTheOldOne) {
    std::ifstream in(FontFile(), std::ios::binary);
    const std::string font((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(font.size(), 100000u);
    auto write = [&](const std::string& name, const std::string& bytes) {
        std::ofstream(Path(name), std::ios::binary) << bytes;
        return Path(name);
    };
    std::string tables = font.substr(0, 12 + 16 * 18);  // the table directory, none of the tables
    std::string noUnits = font;
    const std::size_t head = font.find("head");
    ASSERT_NE(head, std::string::npos);
    const std::size_t headAt =
        static_cast<unsigned char>(font[head + 8]) << 24 | static_cast<unsigned char>(font[head + 9]) << 16 |
        static_cast<unsigned char>(font[head + 10]) << 8 | static_cast<unsigned char>(font[head + 11]);
    noUnits[headAt + 18] = noUnits[headAt + 19] = '\0';
    const std::string notFonts[] = {
        write("empty.ttf", ""),
        write("text.ttf", "this is not a font, only some text\n"),
        write("tag.ttf", font.substr(0, 4)),
        write("half.ttf", font.substr(0, font.size() / 2)),
        write("tables.ttf", tables),
        write("units.ttf", noUnits),
        write("zeros.ttf", std::string(4096, '\0')),
    };

    GlyphAtlas atlas = LoadedAtlas();
    atlas.Bake(20, 2.0f);
    const float advance = atlas.Advance(20);
    std::string error;
    for (const std::string& file : notFonts) {
        EXPECT_FALSE(atlas.Load(file, error)) << file;
        EXPECT_EQ(error, "cannot read the font " + file + ": not a font");
    }
    for (const std::string& file : {Path("missing.ttf"), dir.string()}) {
        EXPECT_FALSE(atlas.Load(file, error)) << file;
        EXPECT_EQ(error, "cannot read the font " + file);
    }
    EXPECT_TRUE(atlas.Loaded());
    EXPECT_EQ(atlas.Advance(20), advance);
    GlyphAtlas none;
    EXPECT_FALSE(none.Loaded());
    EXPECT_EQ(none.Advance(20), 0.0f);
}
