// The dialog's arithmetic and link colours: centring and control placement on screen-sized
// numbers, and registry colour values; expected results worked out by hand.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "jre/LayoutArithmetic.h"
#include "jre/LinkColor.h"

namespace tarn {
namespace {

LayoutRect Sized(int32_t width, int32_t height) { return {10, 10, 10 + width, 10 + height}; }

// A dialog without owner, centred on the work area, is checked on the real exception report.
TEST(CenteredPosition, OwnerOrWorkAreaThenKeptInside) {
    const LayoutRect screen{0, 0, 1920, 1040};
    const LayoutRect ownerRect{100, 100, 700, 500};
    const LayoutRect leftMonitor{-1280, 0, 0, 1024};
    const struct {
        const char* name;
        LayoutRect dialog;
        OwnerWindow owner;
        LayoutRect workArea;
        LayoutPoint expected;
    } cases[] = {
        {"visible owner", Sized(400, 300), {true, true, false, ownerRect}, screen, {200, 150}},
        {"minimised owner: work area", Sized(400, 300), {true, true, true, ownerRect}, screen, {760, 370}},
        {"hidden owner: work area", Sized(400, 300), {true, false, false, ownerRect}, screen, {760, 370}},
        {"owner in a corner: right and top edges", Sized(400, 300), {true, true, false, {1700, 0, 1920, 200}}, screen,
         {1520, 0}},
        {"owner past the bottom left", Sized(400, 300), {true, true, false, {-50, 900, 150, 1100}}, screen, {0, 740}},
        {"larger than the work area: left and top win", Sized(2000, 1200), {}, screen, {0, 0}},
        {"monitor above and left, odd sizes", Sized(401, 301), {}, {-1600, -900, 0, -40}, {-1000, -620}},
        {"wider than a negative monitor", Sized(1400, 300), {}, leftMonitor, {-1280, 362}},
    };
    for (const auto& c : cases) EXPECT_EQ(CenteredPosition(c.dialog, c.owner, c.workArea), c.expected) << c.name;
}

// The combinations the exception report's controls use, grown twice, are checked on the real dialog;
// these are the rules its controls cannot show.
TEST(PlaceControl, EachFlagCombination) {
    const LayoutRect button{153, 210, 203, 224};
    const struct {
        const char* name;
        uint32_t flags;
        LayoutRect initial, current;
        int32_t dW, dH;
        LayoutRect expected;
    } cases[] = {
        {"size and move X: moves", kLayoutSizeX | kLayoutMoveX, button, button, 100, 0, {253, 210, 303, 224}},
        {"no flags keep the current edges", kLayoutRepaint, button, {5, 6, 25, 26}, 100, 40, {5, 6, 25, 26}},
        {"size X keeps the current left", kLayoutSizeX, {10, 0, 110, 20}, {12, 3, 130, 23}, 50, 0, {12, 3, 160, 23}},
    };
    for (const auto& c : cases) EXPECT_EQ(PlaceControl(c.flags, c.initial, c.current, c.dW, c.dH), c.expected) << c.name;
}

// The validation rules of a link colour value that the dialog's colours cannot show on their own
// (a valid one, a component past 255, too few components, too long a text: through the real launcher).
TEST(LinkColor, RegistryValues) {
    const struct {
        uint32_t type;
        std::u16string data;  // the value's units, terminator included when it has one
        std::optional<uint32_t> expected;
    } rows[] = {
        {kRegistryExpandText, std::u16string(u" 12,34x,-2", 11), 0xFE220C},  // as the C reader reads numbers
        {kRegistryText, std::u16string(u"0,-1,0", 7), std::nullopt},          // -1 is no number
        {kRegistryText, std::u16string(u"0,0,", 5), std::nullopt},            // no third component
        {kRegistryText, std::u16string(u"1,2,3", 5), std::nullopt},           // not terminated
        {4 /* REG_DWORD */, std::u16string(u"1,2,3", 6), std::nullopt},
    };
    for (const auto& row : rows) {
        const auto bytes = static_cast<uint32_t>(row.data.size() * sizeof(char16_t));
        EXPECT_EQ(ColorFromRegistryValue(row.type, row.data.data(), bytes), row.expected)
            << std::string(row.data.begin(), row.data.end());
    }
}

}  // namespace
}  // namespace tarn
