#pragma once
// A picture in memory: 8-bit RGBA, rows from the top. Read from and written
// to PNG files, for the window's icon, screenshots and the glyph atlas.
#include <cstdint>
#include <string>
#include <vector>

namespace ReEng {

class Image {
public:
    // Reads a PNG (any colour type, given 4 channels). On failure the image
    // is left empty and false is returned.
    bool LoadFile(const std::string& file);
    // Writes the image as a PNG; an empty image is not written. False when
    // any byte could not be written (a full disk), with the system's reason
    // in `why` when given.
    bool SavePng(const std::string& file, std::string* why = nullptr) const;

    // width x height pixels copied from `pixels`, or transparent black when
    // it is null. A negative size gives an empty image.
    void Create(int width, int height, const std::uint8_t* pixels = nullptr);
    // Swaps the rows end for end: GL reads pictures bottom-up.
    void FlipVertically();

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    bool Empty() const { return m_pixels.empty(); }
    // width * height * 4 bytes, row after row.
    const std::uint8_t* Pixels() const { return m_pixels.data(); }
    std::uint8_t* Pixels() { return m_pixels.data(); }

private:
    int m_width = 0, m_height = 0;
    std::vector<std::uint8_t> m_pixels;
};

}  // namespace ReEng
