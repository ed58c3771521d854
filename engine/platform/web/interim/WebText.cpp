#include "engine/platform/web/interim/WebText.h"

#define STB_TRUETYPE_IMPLEMENTATION
#include <stb/stb_truetype.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "engine/ShaderDialect.h"

namespace ReEng {

namespace {

constexpr int kAtlas = 512;
constexpr float kBakeSize = 40.0f;  // large enough that no size on screen is blurred much
constexpr int kFirst = 32, kCount = 95;
// The outline: the glyph drawn dark around itself, a twelfth of its size.
constexpr float kOutlinePerSize = 1.0f / 12.0f;

const char* const kVertex =
    "IN vec2 position;\nIN vec2 uv;\nOUT vec2 vUv;\nuniform vec2 offset;\nuniform vec2 shape;\n"
    "void main() {\n  vUv = uv;\n  vec2 p = (position + offset) / shape;\n"
    "  gl_Position = vec4(p.x * 2.0 - 1.0, 1.0 - p.y * 2.0, 0.0, 1.0);\n}\n";
const char* const kFragment =
    "uniform sampler2D atlas;\nuniform vec3 colour;\nVARYING vec2 vUv;\n"
    "void main() { FRAG_COLOUR = vec4(colour, TEXTURE(atlas, vUv).r); }\n";

GLuint Compile(GLenum type, const std::string& source) {
    const GLuint shader = glCreateShader(type);
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    return shader;
}

const stbtt_bakedchar* Chars(const std::vector<unsigned char>& bytes) {
    return reinterpret_cast<const stbtt_bakedchar*>(bytes.data());
}

}  // namespace

WebText::~WebText() {
    if (m_texture != 0) glDeleteTextures(1, &m_texture);
    if (m_buffer != 0) glDeleteBuffers(1, &m_buffer);
    if (m_vertexArray != 0) glDeleteVertexArrays(1, &m_vertexArray);
    if (m_program != 0) glDeleteProgram(m_program);
}

bool WebText::Load(const std::string& file, std::string& error) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        error = "cannot read the font " + file;
        return false;
    }
    const std::vector<unsigned char> ttf((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    stbtt_fontinfo info;
    if (ttf.empty() || !stbtt_InitFont(&info, ttf.data(), stbtt_GetFontOffsetForIndex(ttf.data(), 0))) {
        error = "cannot read the font " + file + ": not a font";
        return false;
    }
    int ascent = 0, descent = 0, gap = 0;
    stbtt_GetFontVMetrics(&info, &ascent, &descent, &gap);
    m_bakeSize = kBakeSize;
    m_lineSpacing = static_cast<float>(ascent - descent + gap) * stbtt_ScaleForPixelHeight(&info, kBakeSize);
    std::vector<unsigned char> pixels(kAtlas * kAtlas);
    m_chars.assign(sizeof(stbtt_bakedchar) * kCount, 0);
    stbtt_BakeFontBitmap(ttf.data(), 0, kBakeSize, pixels.data(), kAtlas, kAtlas, kFirst, kCount,
                         reinterpret_cast<stbtt_bakedchar*>(m_chars.data()));
    glGenTextures(1, &m_texture);
    glBindTexture(GL_TEXTURE_2D, m_texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_R8, kAtlas, kAtlas, 0, GL_RED, GL_UNSIGNED_BYTE, pixels.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    return Build();
}

bool WebText::Build() {
    const ShaderDialect dialect = CurrentShaderDialect();
    const GLuint vs = Compile(GL_VERTEX_SHADER, ShaderSource(dialect, ShaderStage::Vertex, kVertex));
    const GLuint fs = Compile(GL_FRAGMENT_SHADER, ShaderSource(dialect, ShaderStage::Fragment, kFragment));
    m_program = glCreateProgram();
    glAttachShader(m_program, vs);
    glAttachShader(m_program, fs);
    glBindAttribLocation(m_program, 0, "position");
    glBindAttribLocation(m_program, 1, "uv");
    glLinkProgram(m_program);
    glDeleteShader(vs);
    glDeleteShader(fs);
    GLint linked = 0;
    glGetProgramiv(m_program, GL_LINK_STATUS, &linked);
    if (!linked) {
        char log[512] = {};
        glGetProgramInfoLog(m_program, sizeof(log), nullptr, log);
        std::fprintf(stderr, "text: the program did not link: %s\n", log);
    }
    m_colourAt = glGetUniformLocation(m_program, "colour");
    m_offsetAt = glGetUniformLocation(m_program, "offset");
    m_shapeAt = glGetUniformLocation(m_program, "shape");
    glGenBuffers(1, &m_buffer);
    glGenVertexArrays(1, &m_vertexArray);
    return linked != 0;
}

void WebText::Quad(std::vector<float>& out, float x, float y, int glyph, float scale) const {
    const stbtt_bakedchar& c = Chars(m_chars)[glyph];
    const float x0 = x + c.xoff * scale, y0 = y + c.yoff * scale;
    const float x1 = x0 + static_cast<float>(c.x1 - c.x0) * scale, y1 = y0 + static_cast<float>(c.y1 - c.y0) * scale;
    const float u0 = c.x0 / static_cast<float>(kAtlas), v0 = c.y0 / static_cast<float>(kAtlas);
    const float u1 = c.x1 / static_cast<float>(kAtlas), v1 = c.y1 / static_cast<float>(kAtlas);
    const float quad[] = {x0, y0, u0, v0, x1, y0, u1, v0, x1, y1, u1, v1,
                          x0, y0, u0, v0, x1, y1, u1, v1, x0, y1, u0, v1};
    out.insert(out.end(), std::begin(quad), std::end(quad));
}

void WebText::Draw(const std::vector<Line>& lines, float size, bool fromBottom, int shapeWidth, int shapeHeight,
                   float screenScale) {
    if (!IsLoaded() || lines.empty()) return;
    const float scale = size / m_bakeSize, spacing = m_lineSpacing * scale, margin = 8.0f;
    const float ascent = size * 0.76f;  // DejaVu's ascender: the first baseline sits below the margin
    const float top = fromBottom ? static_cast<float>(shapeHeight) - margin - spacing * lines.size() : margin;
    glUseProgram(m_program);
    glBindVertexArray(m_vertexArray);
    glBindTexture(GL_TEXTURE_2D, m_texture);
    glBindBuffer(GL_ARRAY_BUFFER, m_buffer);
    glEnableVertexAttribArray(0);
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, 4 * sizeof(float), nullptr);
    glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, 4 * sizeof(float), reinterpret_cast<void*>(2 * sizeof(float)));
    glUniform2f(m_shapeAt, static_cast<float>(shapeWidth), static_cast<float>(shapeHeight));
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    // Never under two screen pixels, or its soft edge lets the glyph touch the scene.
    const float outline = std::max(size * kOutlinePerSize, 2.0f / std::max(screenScale, 0.01f));
    const float offsets[][2] = {{-1, -1}, {0, -1}, {1, -1}, {-1, 0}, {1, 0}, {-1, 1}, {0, 1}, {1, 1}};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::vector<float> vertices;
        float x = margin;
        for (const unsigned char ch : lines[i].text) {
            const int glyph = ch >= kFirst && ch < kFirst + kCount ? ch - kFirst : '?' - kFirst;
            Quad(vertices, x, top + spacing * static_cast<float>(i) + ascent, glyph, scale);
            x += Chars(m_chars)[glyph].xadvance * scale;
        }
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(float)), vertices.data(),
                     GL_STREAM_DRAW);
        const GLsizei count = static_cast<GLsizei>(vertices.size() / 4);
        glUniform3f(m_colourAt, 0.0f, 0.0f, 0.0f);
        for (const auto& o : offsets) {
            glUniform2f(m_offsetAt, o[0] * outline, o[1] * outline);
            glDrawArrays(GL_TRIANGLES, 0, count);
        }
        const vector3& c = lines[i].colour;
        glUniform3f(m_colourAt, c.r, c.g, c.b);
        glUniform2f(m_offsetAt, 0.0f, 0.0f);
        glDrawArrays(GL_TRIANGLES, 0, count);
    }
    glDisable(GL_BLEND);
    glBindVertexArray(0);
    glUseProgram(0);
}

}  // namespace ReEng
