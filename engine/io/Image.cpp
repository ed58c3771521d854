#include "engine/io/Image.h"

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstring>

#include "engine/io/RegularFile.h"

// Only PNG is read: fewer decoders, less to trust with a user's file. The
// dimension cap keeps a lying header from asking for gigabytes.
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#define STBI_MAX_DIMENSIONS 8192
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

namespace ReEng {

namespace {

constexpr std::size_t kMaxFileBytes = 64 * 1024 * 1024;

// Frees what stb_image allocated, on every path out.
class StbPixels {
public:
    explicit StbPixels(stbi_uc* pixels) : m_pixels(pixels) {}
    ~StbPixels() { stbi_image_free(m_pixels); }
    StbPixels(const StbPixels&) = delete;
    StbPixels& operator=(const StbPixels&) = delete;
    const stbi_uc* Get() const { return m_pixels; }

private:
    stbi_uc* m_pixels;
};

// Where stb's encoder sends the PNG: a file, and the first error writing it.
struct PngSink {
    std::FILE* file;
    int error;
};

void WritePng(void* context, void* data, int size) {
    auto* sink = static_cast<PngSink*>(context);
    if (sink->error != 0 || size <= 0) return;
    const auto bytes = static_cast<std::size_t>(size);
    if (std::fwrite(data, 1, bytes, sink->file) != bytes) sink->error = errno != 0 ? errno : EIO;
}

}  // namespace

bool Image::LoadFile(const std::string& file) {
    Create(0, 0);
    std::string bytes, error;
    if (ReadRegularFile(file, kMaxFileBytes, bytes, error) != FileReadResult::Ok) return false;
    int width = 0, height = 0, channels = 0;
    const StbPixels pixels(stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(bytes.data()),
                                                 static_cast<int>(bytes.size()), &width, &height, &channels, 4));
    if (pixels.Get() == nullptr) return false;
    Create(width, height, pixels.Get());
    return true;
}

bool Image::SavePng(const std::string& file, std::string* why) const {
    const auto fail = [why](const char* reason) {
        if (why != nullptr) *why = reason;
        return false;
    };
    if (Empty()) return fail("the picture is empty");
    // stbi_write_png ignores what fwrite and fclose say: a full disk would
    // leave a truncated file and report success. Every step is checked here.
    errno = 0;
    PngSink sink{std::fopen(file.c_str(), "wb"), 0};
    if (sink.file == nullptr) return fail(std::strerror(errno));
    const bool encoded =
        stbi_write_png_to_func(&WritePng, &sink, m_width, m_height, 4, m_pixels.data(), m_width * 4) != 0;
    if (std::fflush(sink.file) != 0 && sink.error == 0) sink.error = errno;
    if (std::fclose(sink.file) != 0 && sink.error == 0) sink.error = errno;
    if (sink.error != 0) return fail(std::strerror(sink.error));
    if (!encoded) return fail("the picture could not be encoded");
    return true;
}

void Image::Create(int width, int height, const std::uint8_t* pixels) {
    if (width <= 0 || height <= 0) width = height = 0;
    m_width = width;
    m_height = height;
    const std::size_t bytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4;
    if (pixels != nullptr)
        m_pixels.assign(pixels, pixels + bytes);
    else
        m_pixels.assign(bytes, 0);
}

void Image::FlipVertically() {
    const std::size_t row = static_cast<std::size_t>(m_width) * 4;
    for (int top = 0, bottom = m_height - 1; top < bottom; ++top, --bottom)
        std::swap_ranges(m_pixels.begin() + static_cast<std::ptrdiff_t>(row * static_cast<std::size_t>(top)),
                         m_pixels.begin() + static_cast<std::ptrdiff_t>(row * static_cast<std::size_t>(top + 1)),
                         m_pixels.begin() + static_cast<std::ptrdiff_t>(row * static_cast<std::size_t>(bottom)));
}

}  // namespace ReEng
