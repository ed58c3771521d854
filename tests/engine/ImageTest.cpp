// PNG files in and out: what is written reads back the same, and a file
// that is not a PNG leaves an empty image rather than garbage.
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <vector>

#include "engine/io/Image.h"
#include "tests/engine/TempFolder.h"

using namespace ReEng;
namespace fs = std::filesystem;

class ImageTest : public TempFolder {
protected:
    // 3 x 2 pixels, every byte different, alpha included, so a swapped
    // channel, a lost row or a dropped alpha all show.
    static Image Sample() {
        std::vector<std::uint8_t> pixels(3 * 2 * 4);
        for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<std::uint8_t>(10 * i + 5);
        Image image;
        image.Create(3, 2, pixels.data());
        return image;
    }
    static std::vector<std::uint8_t> Bytes(const Image& image) {
        return std::vector<std::uint8_t>(image.Pixels(),
                                         image.Pixels() + static_cast<std::size_t>(image.Width() * image.Height() * 4));
    }
};

TEST_F(ImageTest, APngRoundTripKeepsEveryChannelOfEveryPixel) {
    const Image written = Sample();
    ASSERT_TRUE(written.SavePng(Path("sample.png")));
    Image read;
    ASSERT_TRUE(read.LoadFile(Path("sample.png")));
    EXPECT_EQ(read.Width(), 3);
    EXPECT_EQ(read.Height(), 2);
    EXPECT_EQ(Bytes(read), Bytes(written));
}

TEST_F(ImageTest, FlippingSwapsRowsAndTwiceRestores) {
    Image image = Sample();
    const std::vector<std::uint8_t> before = Bytes(image);
    image.FlipVertically();
    const std::vector<std::uint8_t> flipped = Bytes(image);
    EXPECT_TRUE(std::equal(flipped.begin(), flipped.begin() + 12, before.begin() + 12));
    EXPECT_TRUE(std::equal(flipped.begin() + 12, flipped.end(), before.begin()));
    image.FlipVertically();
    EXPECT_EQ(Bytes(image), before);

    // An odd number of rows keeps its middle one.
    Image three;
    const std::uint8_t rows[] = {1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3};
    three.Create(1, 3, rows);
    three.FlipVertically();
    EXPECT_EQ(Bytes(three), (std::vector<std::uint8_t>{3, 3, 3, 3, 2, 2, 2, 2, 1, 1, 1, 1}));
}

TEST_F(ImageTest, WhatIsNotAPngFailsAndLeavesTheImageEmpty) {
    std::ofstream(Path("text.png")) << "not a picture at all\n";
    // A real PNG cut short in its pixel data.
    ASSERT_TRUE(Sample().SavePng(Path("whole.png")));
    fs::copy_file(Path("whole.png"), Path("cut.png"));
    fs::resize_file(Path("cut.png"), fs::file_size(Path("whole.png")) / 2);
    std::ofstream(Path("empty.png")).close();

    for (const std::string& file :
         {Path("missing.png"), Path("text.png"), Path("cut.png"), Path("empty.png"), dir.string()}) {
        Image image = Sample();  // whatever was there before goes
        EXPECT_FALSE(image.LoadFile(file)) << file;
        EXPECT_TRUE(image.Empty()) << file;
        EXPECT_EQ(image.Width(), 0) << file;
        EXPECT_EQ(image.Height(), 0) << file;
    }
}

TEST_F(ImageTest, EmptyImagesAndUnwritablePlacesAreNotSaved) {
    EXPECT_FALSE(Image().SavePng(Path("empty.png")));
    EXPECT_FALSE(fs::exists(Path("empty.png")));
    std::string why;
    EXPECT_FALSE(Sample().SavePng(Path("no/such/folder/x.png"), &why));
    EXPECT_EQ(why, std::strerror(ENOENT));
    // A full disk: the file opens, the bytes go nowhere.
    if (fs::exists("/dev/full")) {
        why.clear();
        EXPECT_FALSE(Sample().SavePng("/dev/full", &why));
        EXPECT_EQ(why, std::strerror(ENOSPC));
    }

    Image negative;
    negative.Create(-3, 4);
    EXPECT_TRUE(negative.Empty());
    EXPECT_EQ(negative.Width(), 0);
    EXPECT_EQ(negative.Height(), 0);
}
