// The area menu's preset table by desktop width, size texts, centring and the
// item the current size marks.
#include <gtest/gtest.h>

#include <string>

#include "app/area/area_presets.h"

namespace {

std::string Narrow(const wchar_t* text) { return text ? std::string(text, text + wcslen(text)) : "(none)"; }

}  // namespace

TEST(AreaPresets, TheColumnFollowsTheDesktopWidthAtItsEdges) {
    const struct {
        int width;
        const wchar_t* first;  // label of "menu_sel_hd"
        const wchar_t* last;   // size of "menu_sel_t3"
    } cases[] = {
        {2560, L"1280x720 HD (720P)", L"480x360"},
        {1920, L"1280x720 HD (720P)", L"480x360"},
        {1919, L"854x480 SD (480P)", L"480x270"},
        {1366, L"854x480 SD (480P)", L"480x270"},
        {1025, L"854x480 SD (480P)", L"480x270"},
        {1024, L"854x480 SD (480P)", L"480x240"},
        {855, L"854x480 SD (480P)", L"480x240"},
        {854, L"640x480", L"320x240"},
        {640, L"640x480", L"320x240"},
    };
    for (const auto& c : cases) {
        const AreaPresets& presets = PresetsForDesktopWidth(c.width);
        EXPECT_STREQ(presets[0].label, c.first) << c.width;
        EXPECT_STREQ(presets[4].size, c.last) << c.width;
        EXPECT_STREQ(presets[0].item, L"menu_sel_hd");
        EXPECT_STREQ(presets[4].item, L"menu_sel_t3");
    }
    EXPECT_STREQ(PresetsForDesktopWidth(1366)[1].size, L"1024x768");
}

TEST(AreaPresets, SizeTextsGiveTheirNumbersAndNothingWithoutAnX) {
    const struct {
        const wchar_t* text;
        LONG w, h;
    } cases[] = {{L"1280x720", 1280, 720}, {L"854x480 SD", 854, 480}, {L"1280*720", 0, 0}, {L"x", 0, 0}, {L"", 0, 0}};
    for (const auto& c : cases) {
        const SIZE size = ParsePresetSize(c.text);
        EXPECT_EQ(size.cx, c.w) << Narrow(c.text);
        EXPECT_EQ(size.cy, c.h) << Narrow(c.text);
    }
}

TEST(AreaPresets, ANewAreaIsCentredOnTheMonitorWhenTheRememberedSizeFitsIt) {
    const RECT desktop = {0, 0, 3840, 1080};
    const RECT right = {1920, 0, 3840, 1080};
    const RECT onMonitor = CentreAreaSize({1280, 720}, desktop, right, {900, 600});
    EXPECT_EQ(onMonitor.left, 1920 + 960 - 640);
    EXPECT_EQ(onMonitor.top, 540 - 360);
    EXPECT_EQ(onMonitor.right - onMonitor.left, 1280);
    const RECT onDesktop = CentreAreaSize({1280, 720}, desktop, right, {2000, 600});
    EXPECT_EQ(onDesktop.left, 1920 - 640) << "too large for the monitor: the whole desktop";
    const RECT odd = CentreAreaSize({481, 271}, {0, 0, 1366, 768}, {0, 0, 0, 0}, {900, 600});
    EXPECT_EQ(odd.left, 683 - 240);
    EXPECT_EQ(odd.top, 384 - 135);
}

TEST(AreaPresets, OnlyAnEqualSizeMarksAnItem) {
    const AreaPresets& wide = PresetsForDesktopWidth(1920);
    const SIZE desktop = {1920, 1080};
    EXPECT_STREQ(MarkedAreaItem({480, 360}, desktop, wide), L"menu_sel_t3");
    EXPECT_STREQ(MarkedAreaItem({1280, 720}, desktop, wide), L"menu_sel_hd");
    EXPECT_STREQ(MarkedAreaItem({1920, 1080}, desktop, wide), L"menu_sel_full");
    EXPECT_EQ(MarkedAreaItem({280, 720}, desktop, wide), nullptr) << "not the item whose text merely holds it";
    EXPECT_EQ(MarkedAreaItem({920, 1080}, desktop, wide), nullptr) << "nor the desktop's";
    EXPECT_EQ(MarkedAreaItem({500, 300}, desktop, wide), nullptr);
}
