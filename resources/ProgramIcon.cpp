// The program's icon: a line display on its stand showing two rows of green
// segments, with a download arrow. Drawn from a character map so it stays editable.

#include "resources/ResourceIds.h"
#include "resources/VeltranResources.h"

#include <array>
#include <string_view>

namespace {

// One character per pixel: '.' background, 'K' frame, 'B' screen, 'G' lit
// segment, 'g' dim segment, 'S' stand, 'A' arrow, 'W' highlight.
// clang-format off
constexpr std::array<std::string_view, 32> kPixels{
    "................................",
    "................................",
    "..............AAAA..............",
    "..............AAAA..............",
    "..............AAAA..............",
    "..........AAAAAAAAAAAA..........",
    "...........AAAAAAAAAA...........",
    "............AAAAAAAA............",
    ".............AAAAAA.............",
    "..............AAAA..............",
    "..KKKKKKKKKKKKKKKKKKKKKKKKKKKK..",
    "..KWWWWWWWWWWWWWWWWWWWWWWWWWWK..",
    "..KWBBBBBBBBBBBBBBBBBBBBBBBBWK..",
    "..KWBGGBGGBGGBGGBgGBgGBgGBBBWK..",
    "..KWBGBBGBBGBBGBBgBBgBBgBBBBWK..",
    "..KWBGGBGGBGGBGGBgGBgGBgGBBBWK..",
    "..KWBBBBBBBBBBBBBBBBBBBBBBBBWK..",
    "..KWBGGBGGBGGBgGBgGBgGBgGBBBWK..",
    "..KWBGBBGBBGBBgBBgBBgBBgBBBBWK..",
    "..KWBGGBGGBGGBgGBgGBgGBgGBBBWK..",
    "..KWBBBBBBBBBBBBBBBBBBBBBBBBWK..",
    "..KWWWWWWWWWWWWWWWWWWWWWWWWWWK..",
    "..KKKKKKKKKKKKKKKKKKKKKKKKKKKK..",
    "..............SSSS..............",
    "..............SSSS..............",
    "..............SSSS..............",
    "..............SSSS..............",
    "..........SSSSSSSSSSSS..........",
    ".........SSSSSSSSSSSSSS.........",
    "................................",
    "................................",
    "................................",
};
// clang-format on

std::uint32_t colourOf(char c) {
    switch (c) {
    case 'K':
        return 0xFF1B2430;
    case 'W':
        return 0xFF55606E;
    case 'B':
        return 0xFF0B1F12;
    case 'G':
        return 0xFF3DFF6E;
    case 'g':
        return 0xFF1F7A3A;
    case 'S':
        return 0xFF6B7380;
    case 'A':
        return 0xFFF2A516;
    default:
        return 0x00000000;
    }
}

platform::Icon drawIcon() {
    platform::Icon icon{IDR_MAINFRAME, 32, 32, {}};
    icon.argb.reserve(32 * 32);
    for (std::string_view row : kPixels) {
        for (char c : row)
            icon.argb.push_back(colourOf(c));
    }
    return icon;
}

} // namespace

const platform::Icon programIcon = drawIcon();
