#include "common/text_convert.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

// "录屏" in code page 936 and in UTF-8.
const std::string kChsBytes = "\xC2\xBC\xC6\xC1";
const std::string kUtf8Bytes = "\xE5\xBD\x95\xE5\xB1\x8F";

TEST(TextConvert, ChineseRoundTripsThroughTheChsCodePage) {
    EXPECT_EQ(WideToChs(L"录屏"), kChsBytes);
    EXPECT_EQ(ChsToWide(kChsBytes), L"录屏");
    EXPECT_EQ(ChsToWide(WideToChs(L"D:\\视频\\a b.mp4")), L"D:\\视频\\a b.mp4");
    EXPECT_EQ(WideToChs(L""), "");
    EXPECT_EQ(ChsToWide(""), L"");
}

TEST(TextConvert, CharactersOutsideTheCodePageBecomeItsDefaultCharacter) {
    EXPECT_EQ(WideToChs(L"a\u0E01b"), "a?b");  // a Thai letter has no GBK code
    EXPECT_EQ(ChsToWide("\x81"), L"");         // a lone lead byte is not text
}

TEST(TextConvert, AnsiFollowsTheSystemCodePage) {
    // The test environment runs Wine with code page 936, like a Chinese Windows.
    ASSERT_EQ(GetACP(), 936u);
    EXPECT_EQ(WideToAnsi(L"录屏"), kChsBytes);
    EXPECT_EQ(AnsiToWide(kChsBytes), L"录屏");
}

TEST(TextConvert, AnsiToUtf8GoesThroughUtf16) {
    EXPECT_EQ(AnsiToUtf8(kChsBytes), kUtf8Bytes);
    EXPECT_EQ(AnsiToUtf8("virtual-audio-capturer"), "virtual-audio-capturer");
    EXPECT_EQ(AnsiToUtf8("\x81"), "");  // fails in the first step
    EXPECT_EQ(AnsiToUtf8(""), "");
    EXPECT_EQ(WideToUtf8(L"录屏"), kUtf8Bytes);
    EXPECT_EQ(Utf8ToWide(kUtf8Bytes), L"录屏");
    EXPECT_EQ(Utf8ToWide("\xE5\xBD"), L"");  // cut in the middle of a character
}

}  // namespace
