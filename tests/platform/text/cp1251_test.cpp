#include "platform/text/cp1251.h"

#include <gtest/gtest.h>

#include "platform/text/unicode.h"

namespace tarvel::text {
namespace {

std::string AllBytes() {
    std::string bytes;
    for (int b = 0; b < 256; ++b) {
        bytes.push_back(static_cast<char>(b));
    }
    return bytes;
}

TEST(Cp1251, EveryByteRoundTripsThroughUtf8) {
    const std::string bytes = AllBytes();
    const std::string utf8 = Cp1251ToUtf8(bytes);
    EXPECT_EQ(Utf8ToCp1251(utf8), bytes);
    EXPECT_TRUE(FitsWindows1251(utf8));
    // Distinct bytes decode to distinct characters.
    EXPECT_EQ(ToQString(utf8).size(), 256);
}

TEST(Cp1251, KnownCharactersOfTheCodePage) {
    struct Case {
        unsigned char byte;
        char32_t code;
    };
    for (const Case c : {Case{'A', U'A'}, Case{0xC0, U'А'}, Case{0xFF, U'я'}, Case{0xA8, U'Ё'},
                         Case{0xB8, U'ё'}, Case{0x88, U'€'}, Case{0xB9, U'№'}, Case{0x99, U'™'},
                         Case{0x98, char32_t{0x98}}, Case{0xA1, U'Ў'}, Case{0xA5, U'Ґ'}}) {
        EXPECT_EQ(DecodeByte(c.byte), c.code) << int(c.byte);
        EXPECT_EQ(EncodeChar(c.code), c.byte) << int(c.byte);
    }
}

TEST(Cp1251, CharactersOutsideTheCodePageBecomeQuestionMarksOnly) {
    const std::string utf8 = "Привет, мир: €5 ™ 日本 😀 é!";
    const std::string expected = Utf8ToCp1251("Привет, мир: €5 ™ ?? ? ?!");
    EXPECT_EQ(Utf8ToCp1251(utf8), expected);
    EXPECT_FALSE(FitsWindows1251(utf8));
    EXPECT_TRUE(FitsWindows1251("Привет, мир: €5 ™ !"));
    EXPECT_EQ(Cp1251ToUtf8(expected), "Привет, мир: €5 ™ ?? ? ?!");
}

TEST(Cp1251, MalformedUtf8BecomesQuestionMarks) {
    EXPECT_EQ(Utf8ToCp1251("a\xFF"
                           "b"),
              "a?b");
    EXPECT_EQ(Utf8ToCp1251("ab\xD0"), "ab?");        // cut in the middle of a character
    EXPECT_EQ(Utf8ToCp1251("\xC0\xAF"), "??");       // overlong form of '/'
    EXPECT_EQ(Utf8ToCp1251("\xED\xA0\x80"), "???");  // a lone surrogate
    EXPECT_FALSE(FitsWindows1251("ab\xD0"));
}

TEST(Utf8, BytesThatAreNotUtf8ReadAsCharactersOfTheirOwnAndComeBack) {
    const std::string text = "a\xFF\xD0\x9A\xF0\x9F\x98\x80\xE0\x80z\xC3";
    std::string rebuilt;
    size_t count = 0;
    for (size_t at = 0; at < text.size(); ++count) {
        AppendUtf8(rebuilt, NextChar(text, at));
    }
    EXPECT_EQ(rebuilt, text);
    EXPECT_EQ(count, 8u);  // a, FF, К, 😀, E0, 80, z, C3
    EXPECT_EQ(CharCount(text), count);
    EXPECT_EQ(FirstChars("Кино 가나", 6), "Кино 가");
    EXPECT_EQ(FirstChars("ab", 5), "ab");
}

}  // namespace
}  // namespace tarvel::text
