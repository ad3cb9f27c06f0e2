// Centring and control placement, worked out by hand on screen-sized numbers.
#include <gtest/gtest.h>

#include "jre/LayoutArithmetic.h"

namespace tarn {
namespace {

LayoutRect Sized(int32_t width, int32_t height) { return {10, 10, 10 + width, 10 + height}; }

struct CentreCase {
    const char* name;
    LayoutRect dialog;
    OwnerWindow owner;
    LayoutRect workArea;
    LayoutPoint expected;
};

TEST(CenteredPosition, OwnerOrWorkAreaThenKeptInside) {
    const LayoutRect screen{0, 0, 1920, 1040};
    const LayoutRect ownerRect{100, 100, 700, 500};
    const LayoutRect leftMonitor{-1280, 0, 0, 1024};
    const CentreCase cases[] = {
        {"no owner: work area", Sized(400, 300), {}, screen, {760, 370}},
        {"visible owner", Sized(400, 300), {true, true, false, ownerRect}, screen, {200, 150}},
        {"minimised owner: work area", Sized(400, 300), {true, true, true, ownerRect}, screen, {760, 370}},
        {"hidden owner: work area", Sized(400, 300), {true, false, false, ownerRect}, screen, {760, 370}},
        {"owner in a corner: right and top edges", Sized(400, 300), {true, true, false, {1700, 0, 1920, 200}}, screen,
         {1520, 0}},
        {"owner past the bottom left", Sized(400, 300), {true, true, false, {-50, 900, 150, 1100}}, screen, {0, 740}},
        {"larger than the work area: left and top win", Sized(2000, 1200), {}, screen, {0, 0}},
        {"monitor left of the primary", Sized(400, 300), {}, leftMonitor, {-840, 362}},
        {"monitor above and left, odd sizes", Sized(401, 301), {}, {-1600, -900, 0, -40}, {-1000, -620}},
        {"wider than a negative monitor", Sized(1400, 300), {}, leftMonitor, {-1280, 362}},
        {"owner on a negative monitor", Sized(200, 100), {true, true, false, {-1000, 100, -600, 300}}, leftMonitor,
         {-900, 150}},
    };
    for (const CentreCase& c : cases) {
        EXPECT_EQ(CenteredPosition(c.dialog, c.owner, c.workArea), c.expected) << c.name;
    }
}

struct PlaceCase {
    const char* name;
    uint32_t flags;
    LayoutRect initial;
    LayoutRect current;
    int32_t dW, dH;
    LayoutRect expected;
};

TEST(PlaceControl, EachFlagCombination) {
    const LayoutRect button{153, 210, 203, 224};
    const LayoutRect field{16, 54, 259, 156};
    const PlaceCase cases[] = {
        {"size X", kLayoutSizeX, field, field, 100, 40, {16, 54, 359, 156}},
        {"size Y", kLayoutSizeY, field, field, 100, 40, {16, 54, 259, 196}},
        {"size X and Y", kLayoutSizeX | kLayoutSizeY, field, field, 100, 40, {16, 54, 359, 196}},
        {"move X", kLayoutMoveX, button, button, 100, 40, {253, 210, 303, 224}},
        {"move Y", kLayoutMoveY, button, button, 100, 40, {153, 250, 203, 264}},
        {"move X and Y", kLayoutMoveX | kLayoutMoveY, button, button, 100, 40, {253, 250, 303, 264}},
        {"size X, move Y", kLayoutSizeX | kLayoutMoveY, field, field, 100, 40, {16, 94, 359, 196}},
        {"size and move X: moves", kLayoutSizeX | kLayoutMoveX, button, button, 100, 0, {253, 210, 303, 224}},
        {"no flags keep the current edges", kLayoutRepaint, button, {5, 6, 25, 26}, 100, 40, {5, 6, 25, 26}},
        {"size X keeps the current left", kLayoutSizeX, {10, 0, 110, 20}, {12, 3, 130, 23}, 50, 0, {12, 3, 160, 23}},
        {"from the initial state, not the last", kLayoutMoveX | kLayoutMoveY, button, {253, 250, 303, 264}, 50, 10,
         {203, 220, 253, 234}},
        {"shrinking", kLayoutSizeX | kLayoutMoveY, field, field, -6, -4, {16, 50, 253, 152}},
        {"grip entry", kLayoutMoveX | kLayoutMoveY | kLayoutRepaint | kLayoutSizeGrip, {533, 456, 550, 473},
         {533, 456, 550, 473}, 100, 40, {633, 496, 650, 513}},
    };
    for (const PlaceCase& c : cases) {
        EXPECT_EQ(PlaceControl(c.flags, c.initial, c.current, c.dW, c.dH), c.expected) << c.name;
    }
    EXPECT_FALSE(LayoutMovesControl(kLayoutRepaint | kLayoutSizeGrip));
    EXPECT_TRUE(LayoutMovesControl(kLayoutMoveY));
}

}  // namespace
}  // namespace tarn
