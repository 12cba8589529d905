#include "picture_files.hpp"

#include <algorithm>
#include <fstream>
#include <stdexcept>

namespace pictures {

namespace {

void put16(std::vector<std::uint8_t>& out, unsigned v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xff));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xff));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v & 0xffff);
    put16(out, v >> 16);
}

std::uint32_t padded_row(int width, int bits) {
    return static_cast<std::uint32_t>((width * bits + 31) / 32 * 4);
}

void put_info_header(std::vector<std::uint8_t>& out, int width, int stored_height, int bits,
                     std::uint32_t image_size, std::uint32_t pixels_per_metre,
                     std::uint32_t colours) {
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(width));
    put32(out, static_cast<std::uint32_t>(stored_height));  // positive: rows run bottom-up
    put16(out, 1);                                          // planes
    put16(out, static_cast<unsigned>(bits));
    put32(out, 0);  // no compression
    put32(out, image_size);
    put32(out, pixels_per_metre);
    put32(out, pixels_per_metre);
    put32(out, colours);
    put32(out, 0);  // every colour matters
}

std::uint32_t packed(Pixel8 p) {
    return (std::uint32_t{p.r} << 16) | (std::uint32_t{p.g} << 8) | p.b;
}

int channel(Pixel8 p, int which) {
    return which == 0 ? p.r : which == 1 ? p.g : p.b;
}

// Median cut: keep splitting the colour box with the widest spread at its
// median until there are enough boxes, then use each box's average.
std::vector<Pixel8> median_cut(std::vector<Pixel8> colours, std::size_t wanted) {
    struct Span {
        std::size_t begin;
        std::size_t end;
    };
    auto spread = [&](Span s, int& widest) {
        int best = -1;
        for (int c = 0; c < 3; ++c) {
            int lo = 255;
            int hi = 0;
            for (std::size_t i = s.begin; i < s.end; ++i) {
                lo = std::min(lo, channel(colours[i], c));
                hi = std::max(hi, channel(colours[i], c));
            }
            if (hi - lo > best) {
                best = hi - lo;
                widest = c;
            }
        }
        return best;
    };

    std::vector<Span> spans{{0, colours.size()}};
    while (spans.size() < wanted) {
        int best = 0;
        int best_channel = 0;
        std::size_t chosen = spans.size();
        for (std::size_t i = 0; i < spans.size(); ++i) {
            int c = 0;
            const int s = spread(spans[i], c);
            if (s > best) {
                best = s;
                best_channel = c;
                chosen = i;
            }
        }
        if (chosen == spans.size()) {
            break;  // every box holds a single colour
        }
        const Span s = spans[chosen];
        const auto first = colours.begin() + static_cast<std::ptrdiff_t>(s.begin);
        const auto last = colours.begin() + static_cast<std::ptrdiff_t>(s.end);
        std::sort(first, last, [&](Pixel8 a, Pixel8 b) {
            const int ca = channel(a, best_channel);
            const int cb = channel(b, best_channel);
            return ca != cb ? ca < cb : packed(a) < packed(b);
        });
        std::size_t middle = s.begin + (s.end - s.begin) / 2;
        // Never split a run of one colour across two boxes.
        const int pivot = channel(colours[middle], best_channel);
        while (middle > s.begin && channel(colours[middle - 1], best_channel) == pivot) {
            --middle;
        }
        if (middle == s.begin) {
            middle = s.begin + 1;
            while (middle < s.end && channel(colours[middle], best_channel) ==
                                         channel(colours[s.begin], best_channel)) {
                ++middle;
            }
        }
        spans[chosen] = {s.begin, middle};
        spans.push_back({middle, s.end});
    }

    std::vector<Pixel8> palette;
    for (Span s : spans) {
        long sum[3] = {0, 0, 0};
        for (std::size_t i = s.begin; i < s.end; ++i) {
            for (int c = 0; c < 3; ++c) {
                sum[c] += channel(colours[i], c);
            }
        }
        const long n = static_cast<long>(s.end - s.begin);
        palette.push_back({static_cast<std::uint8_t>((sum[0] + n / 2) / n),
                           static_cast<std::uint8_t>((sum[1] + n / 2) / n),
                           static_cast<std::uint8_t>((sum[2] + n / 2) / n)});
    }
    return palette;
}

std::uint8_t nearest(const std::vector<Pixel8>& palette, Pixel8 p) {
    std::size_t best = 0;
    long best_d = -1;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const long dr = long{p.r} - palette[i].r;
        const long dg = long{p.g} - palette[i].g;
        const long db = long{p.b} - palette[i].b;
        const long d = dr * dr + dg * dg + db * db;
        if (best_d < 0 || d < best_d) {
            best_d = d;
            best = i;
        }
    }
    return static_cast<std::uint8_t>(best);
}

std::vector<std::uint8_t> icon_file(const IndexedPicture& pic, unsigned type, unsigned field1,
                                    unsigned field2) {
    const std::uint32_t colours = 1u << pic.bits;
    const std::uint32_t xor_row = padded_row(pic.width, pic.bits);
    const std::uint32_t and_row = padded_row(pic.width, 1);
    const std::uint32_t h = static_cast<std::uint32_t>(pic.height);
    const std::uint32_t image = 40 + colours * 4 + (xor_row + and_row) * h;

    std::vector<std::uint8_t> out;
    put16(out, 0);
    put16(out, type);
    put16(out, 1);  // one picture
    out.push_back(static_cast<std::uint8_t>(pic.width));
    out.push_back(static_cast<std::uint8_t>(pic.height));
    out.push_back(static_cast<std::uint8_t>(colours >= 256 ? 0 : colours));
    out.push_back(0);
    put16(out, field1);  // ICO: planes; CUR: hot spot x
    put16(out, field2);  // ICO: bits per pixel; CUR: hot spot y
    put32(out, image);
    put32(out, 6 + 16);

    // The stored height counts both the colour rows and the mask rows.
    put_info_header(out, pic.width, pic.height * 2, pic.bits, (xor_row + and_row) * h, 0, colours);
    for (std::uint32_t i = 0; i < colours; ++i) {
        const Pixel8 c = i < pic.palette.size() ? pic.palette[i] : Pixel8{};
        out.push_back(c.b);
        out.push_back(c.g);
        out.push_back(c.r);
        out.push_back(0);
    }

    auto put_rows = [&](int bits, std::uint32_t row_bytes, auto value_at) {
        for (int y = pic.height - 1; y >= 0; --y) {
            std::vector<std::uint8_t> row(row_bytes, 0);
            for (int x = 0; x < pic.width; ++x) {
                const unsigned v = value_at(static_cast<std::size_t>(y * pic.width + x));
                const int bit = x * bits;
                row[static_cast<std::size_t>(bit / 8)] |=
                    static_cast<std::uint8_t>(v << (8 - bits - bit % 8));
            }
            out.insert(out.end(), row.begin(), row.end());
        }
    };
    // Under a transparent mask bit the colour must be black (index 0), or
    // the pixel would invert what is behind it instead of vanishing.
    put_rows(pic.bits, xor_row,
             [&](std::size_t i) { return pic.see_through[i] ? 0u : unsigned{pic.index[i]}; });
    put_rows(1, and_row, [&](std::size_t i) { return pic.see_through[i] ? 1u : 0u; });
    return out;
}

}  // namespace

std::vector<std::uint8_t> bmp_bytes(const Canvas& canvas) {
    const std::uint32_t row = padded_row(canvas.width(), 24);
    const std::uint32_t image = row * static_cast<std::uint32_t>(canvas.height());
    std::vector<std::uint8_t> out{'B', 'M'};
    put32(out, 54 + image);
    put32(out, 0);
    put32(out, 54);
    put_info_header(out, canvas.width(), canvas.height(), 24, image, 3780,
                    0);  // 3780 px/m = 96 dpi
    for (int y = canvas.height() - 1; y >= 0; --y) {
        for (int x = 0; x < canvas.width(); ++x) {
            const Pixel8 p = canvas.pixel(x, y);
            out.push_back(p.b);
            out.push_back(p.g);
            out.push_back(p.r);
        }
        out.resize(out.size() + row - static_cast<std::uint32_t>(canvas.width()) * 3, 0);
    }
    return out;
}

IndexedPicture to_palette(const Canvas& canvas) {
    IndexedPicture pic;
    pic.width = canvas.width();
    pic.height = canvas.height();
    pic.bits = 8;
    std::vector<Pixel8> used;
    for (int y = 0; y < pic.height; ++y) {
        for (int x = 0; x < pic.width; ++x) {
            const bool clear = canvas.alpha(x, y) < 0.5;
            pic.see_through.push_back(clear);
            if (!clear) {
                used.push_back(canvas.pixel(x, y));
            }
        }
    }
    std::vector<Pixel8> distinct = used;
    std::sort(distinct.begin(), distinct.end(),
              [](Pixel8 a, Pixel8 b) { return packed(a) < packed(b); });
    distinct.erase(std::unique(distinct.begin(), distinct.end(),
                               [](Pixel8 a, Pixel8 b) { return packed(a) == packed(b); }),
                   distinct.end());

    pic.palette = {Pixel8{0, 0, 0}};
    const std::vector<Pixel8> chosen = distinct.size() <= 255 ? distinct : median_cut(used, 255);
    pic.palette.insert(pic.palette.end(), chosen.begin(), chosen.end());
    for (int y = 0; y < pic.height; ++y) {
        for (int x = 0; x < pic.width; ++x) {
            pic.index.push_back(nearest(pic.palette, canvas.pixel(x, y)));
        }
    }
    return pic;
}

std::vector<std::uint8_t> ico_bytes(const IndexedPicture& picture) {
    return icon_file(picture, 1, 1, static_cast<unsigned>(picture.bits));
}

std::vector<std::uint8_t> cur_bytes(const IndexedPicture& picture, HotSpot hot) {
    return icon_file(picture, 2, static_cast<unsigned>(hot.x), static_cast<unsigned>(hot.y));
}

void save(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    if (!file) {
        throw std::runtime_error("cannot write " + path);
    }
}

}  // namespace pictures
