// Checks the committed pictures byte by byte: the game and the desktop only
// load them if the headers are exactly what the readers expect, and a few
// pixels matter to how the game looks (the sky colour the sprites sit on).
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes read_asset(const std::string& name) {
    std::ifstream file(std::string(KESTRUNE_ASSETS_DIR) + "/" + name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::uint32_t u16(const Bytes& b, std::size_t at) {
    return b.at(at) | (std::uint32_t{b.at(at + 1)} << 8);
}
std::uint32_t u32(const Bytes& b, std::size_t at) {
    return u16(b, at) | (u16(b, at + 2) << 16);
}
std::int32_t i32(const Bytes& b, std::size_t at) {
    return static_cast<std::int32_t>(u32(b, at));
}

std::string test_name(const std::string& file) {
    std::string name = file;
    for (char& c : name) {
        if (c == '.') {
            c = '_';
        }
    }
    return name;
}

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb&) const = default;
};
constexpr Rgb sky_blue{138, 197, 255};

// The pixel at (x, y) counted from the top-left, reading the header for the
// layout so a wrong header shows up as wrong colours too.
Rgb bmp_pixel(const Bytes& b, int x, int y) {
    const int width = i32(b, 18);
    const int height = i32(b, 22);
    const std::size_t row = static_cast<std::size_t>((width * 3 + 3) / 4 * 4);
    const std::size_t at = u32(b, 10) + static_cast<std::size_t>(height - 1 - y) * row +
                           static_cast<std::size_t>(x) * 3;
    return {b.at(at + 2), b.at(at + 1), b.at(at)};
}

struct Point {
    int x, y;
};

struct BmpFacts {
    std::string file;
    int width;
    int height;
    std::size_t size;
};

const BmpFacts bmp_facts[] = {
    {"hero.bmp", 77, 76, 17686}, {"title.bmp", 1023, 587, 1803318}, {"ring.bmp", 40, 40, 4854},
    {"block.bmp", 30, 30, 2814}, {"sky.bmp", 34, 40, 4214},
};

// Failing cases name their file instead of dumping the table row's bytes.
void PrintTo(const BmpFacts& f, std::ostream* out) {
    *out << f.file;
}

class BmpFile : public testing::TestWithParam<BmpFacts> {};

TEST_P(BmpFile, HeadersDescribeAnUncompressedBottomUp24BitPicture) {
    // Each BMP has the size, layout and resolution the game's loader was built around.
    const BmpFacts& want = GetParam();
    const Bytes b = read_asset(want.file);
    ASSERT_EQ(b.size(), want.size);
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(u32(b, 2), want.size);
    EXPECT_EQ(u32(b, 10), 54u);
    EXPECT_EQ(u32(b, 14), 40u);
    EXPECT_EQ(i32(b, 18), want.width);
    EXPECT_EQ(i32(b, 22), want.height);  // positive: rows stored bottom-up
    EXPECT_EQ(u16(b, 26), 1u);
    EXPECT_EQ(u16(b, 28), 24u);
    EXPECT_EQ(u32(b, 30), 0u);
    const std::uint32_t row = static_cast<std::uint32_t>((want.width * 3 + 3) / 4 * 4);
    EXPECT_EQ(u32(b, 34), row * static_cast<std::uint32_t>(want.height));
    EXPECT_EQ(u32(b, 38), 3780u);
    EXPECT_EQ(u32(b, 42), 3780u);
}

INSTANTIATE_TEST_SUITE_P(Pictures, BmpFile, testing::ValuesIn(bmp_facts),
                         [](const testing::TestParamInfo<BmpFacts>& info) {
                             return test_name(info.param.file);
                         });

TEST(BmpPixels, SkyIsOneFlatSkyBlue) {
    // The sky tile is repeated behind everything, so any other colour would show as a seam.
    const Bytes b = read_asset("sky.bmp");
    ASSERT_EQ(b.size(), 4214u);
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 34; ++x) {
            ASSERT_EQ(bmp_pixel(b, x, y), sky_blue) << "at " << x << "," << y;
        }
    }
}

TEST(BmpPixels, BlockIsSolidToItsEdges) {
    // Blocks fill their whole square; a sky-blue pixel would read as a hole.
    const Bytes b = read_asset("block.bmp");
    ASSERT_EQ(b.size(), 2814u);
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 30; ++x) {
            ASSERT_NE(bmp_pixel(b, x, y), sky_blue) << "at " << x << "," << y;
        }
    }
}

TEST(BmpPixels, SpritesSitOnSkyBlue) {
    // Sprites are drawn over the sky without a mask, so their corners must match it exactly.
    for (const std::string file : {"hero.bmp", "ring.bmp"}) {
        SCOPED_TRACE(file);
        const Bytes b = read_asset(file);
        ASSERT_GE(b.size(), 54u);
        const int right = i32(b, 18) - 1;
        const int bottom = i32(b, 22) - 1;
        ASSERT_GT(right, 0);
        ASSERT_GT(bottom, 0);
        for (const Point p :
             {Point{0, 0}, Point{right, 0}, Point{0, bottom}, Point{right, bottom}}) {
            EXPECT_EQ(bmp_pixel(b, p.x, p.y), sky_blue) << "at " << p.x << "," << p.y;
        }
    }
}

struct IconFacts {
    std::string file;
    unsigned type;  // 1 = icon, 2 = cursor
    int size;       // width and height
    unsigned bits;
    unsigned palette;
    std::size_t file_size;
    unsigned field1;  // icon: planes; cursor: hot spot x
    unsigned field2;  // icon: bits per pixel; cursor: hot spot y
    Point opaque;     // a pixel that must show
    Point clear;      // a pixel that must be see-through
};

// The pointer's hot spot (0, 0) is its fingertip, so that pixel must show.
const IconFacts cursor_facts{"hand.cur", 2, 32, 1, 2, 326, 0, 0, {0, 0}, {31, 31}};
const IconFacts icon_facts[] = {
    {"kestrune.ico", 1, 48, 8, 256, 3774, 1, 8, {24, 24}, {0, 0}},
    cursor_facts,
};

// Where the pieces of the single image sit inside an ICO or CUR file.
struct IconLayout {
    std::size_t image;
    std::size_t xor_rows;
    std::size_t and_rows;
    std::size_t xor_row;
    std::size_t and_row;
};

IconLayout layout_of(const IconFacts& f) {
    const std::size_t image = 6 + 16;
    const std::size_t xor_rows = image + 40 + f.palette * 4;
    const std::size_t xor_row = (static_cast<std::size_t>(f.size) * f.bits + 31) / 32 * 4;
    const std::size_t and_row = (static_cast<std::size_t>(f.size) + 31) / 32 * 4;
    return {image, xor_rows, xor_rows + xor_row * static_cast<std::size_t>(f.size), xor_row,
            and_row};
}

bool see_through(const Bytes& b, const IconFacts& f, int x, int y) {
    const IconLayout l = layout_of(f);
    const std::size_t at = l.and_rows + static_cast<std::size_t>(f.size - 1 - y) * l.and_row +
                           static_cast<std::size_t>(x / 8);
    return (b.at(at) >> (7 - x % 8)) & 1;
}

unsigned colour_index(const Bytes& b, const IconFacts& f, int x, int y) {
    const IconLayout l = layout_of(f);
    const std::size_t bit = static_cast<std::size_t>(x) * f.bits;
    const std::size_t at =
        l.xor_rows + static_cast<std::size_t>(f.size - 1 - y) * l.xor_row + bit / 8;
    return (b.at(at) >> (8 - f.bits - bit % 8)) & ((1u << f.bits) - 1);
}

void PrintTo(const IconFacts& f, std::ostream* out) {
    *out << f.file;
}

class IconFile : public testing::TestWithParam<IconFacts> {};

TEST_P(IconFile, DirectoryAndBitmapHeaderDescribeOneMaskedImage) {
    // The desktop and the toolkit only take the icon and pointer if directory and bitmap header
    // agree.
    const IconFacts& want = GetParam();
    const Bytes b = read_asset(want.file);
    ASSERT_EQ(b.size(), want.file_size);
    EXPECT_EQ(u16(b, 0), 0u);
    EXPECT_EQ(u16(b, 2), want.type);
    EXPECT_EQ(u16(b, 4), 1u);

    EXPECT_EQ(int{b[6]}, want.size);
    EXPECT_EQ(int{b[7]}, want.size);
    EXPECT_EQ(unsigned{b[8]}, want.palette >= 256 ? 0u : want.palette);  // 0 means 256
    EXPECT_EQ(u16(b, 10), want.field1);
    EXPECT_EQ(u16(b, 12), want.field2);
    const IconLayout l = layout_of(want);
    EXPECT_EQ(u32(b, 18), l.image);
    EXPECT_EQ(u32(b, 14) + u32(b, 18), want.file_size);

    const std::size_t dib = l.image;
    EXPECT_EQ(u32(b, dib), 40u);
    EXPECT_EQ(i32(b, dib + 4), want.size);
    EXPECT_EQ(i32(b, dib + 8), 2 * want.size);  // colour rows plus mask rows, bottom-up
    EXPECT_EQ(u16(b, dib + 12), 1u);
    EXPECT_EQ(u16(b, dib + 14), want.bits);
    EXPECT_EQ(u32(b, dib + 16), 0u);
    const std::uint32_t used = u32(b, dib + 32);
    EXPECT_TRUE(used == 0 || used == want.palette) << used;
    // With the palette size above, the mask must end exactly at the end of the file.
    EXPECT_EQ(l.and_rows + l.and_row * static_cast<std::size_t>(want.size), want.file_size);
}

TEST_P(IconFile, MaskShowsThePictureAndHidesTheBackground) {
    // Opaque where the picture is, see-through around it, and black under the
    // see-through parts so nothing behind the icon gets inverted.
    const IconFacts& want = GetParam();
    const Bytes b = read_asset(want.file);
    ASSERT_EQ(b.size(), want.file_size);
    EXPECT_FALSE(see_through(b, want, want.opaque.x, want.opaque.y));
    EXPECT_TRUE(see_through(b, want, want.clear.x, want.clear.y));
    const std::size_t palette = layout_of(want).image + 40;
    for (int y = 0; y < want.size; ++y) {
        for (int x = 0; x < want.size; ++x) {
            if (see_through(b, want, x, y)) {
                const std::size_t entry = palette + colour_index(b, want, x, y) * 4;
                ASSERT_EQ(b.at(entry) | b.at(entry + 1) | b.at(entry + 2), 0)
                    << "at " << x << "," << y;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Pictures, IconFile, testing::ValuesIn(icon_facts),
                         [](const testing::TestParamInfo<IconFacts>& info) {
                             return test_name(info.param.file);
                         });

TEST(CursorPicture, GloveIsWhiteWithABlackOutline) {
    // The 1-bit pointer only reads as a white glove if entry 0 is black and entry 1 white.
    const Bytes b = read_asset("hand.cur");
    ASSERT_EQ(b.size(), 326u);
    const std::size_t palette = 6 + 16 + 40;
    EXPECT_EQ(u32(b, palette), 0x00000000u);
    EXPECT_EQ(u32(b, palette + 4), 0x00ffffffu);
    // The hot spot is on the glove's outline.
    EXPECT_EQ(colour_index(b, cursor_facts, 0, 0), 0u);
}

}  // namespace
