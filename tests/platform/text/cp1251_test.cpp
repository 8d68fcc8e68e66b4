#include "platform/text/cp1251.h"

#include <gtest/gtest.h>

namespace tarvel::text {
namespace {

std::string AllBytes() {
    std::string bytes;
    for (int b = 0; b < 256; ++b) {
        bytes.push_back(static_cast<char>(b));
    }
    return bytes;
}

TEST(Cp1251, EveryByteRoundTripsThroughUtf8AndQString) {
    const std::string bytes = AllBytes();
    EXPECT_EQ(Utf8ToCp1251(Cp1251ToUtf8(bytes)), bytes);
    EXPECT_EQ(QStringToCp1251(Cp1251ToQString(bytes)), bytes);
    // Distinct bytes decode to distinct characters.
    EXPECT_EQ(Cp1251ToQString(bytes).size(), 256);
}

TEST(Cp1251, KnownCharactersOfTheCodePage) {
    struct Case {
        unsigned char byte;
        char32_t code;
    };
    for (const Case c :
         {Case{'A', U'A'}, Case{0xC0, U'А'}, Case{0xFF, U'я'}, Case{0xA8, U'Ё'}, Case{0xB8, U'ё'},
          Case{0x88, U'€'}, Case{0xB9, U'№'}, Case{0x99, U'™'}, Case{0x98, char32_t{0x98}}}) {
        EXPECT_EQ(DecodeByte(c.byte), c.code) << int(c.byte);
        EXPECT_EQ(EncodeChar(c.code), c.byte) << int(c.byte);
    }
}

TEST(Cp1251, CharactersOutsideTheCodePageBecomeQuestionMarksOnly) {
    const std::string utf8 = "Привет, мир: €5 ™ 日本 😀 é!";
    const std::string expected = Utf8ToCp1251("Привет, мир: €5 ™ ?? ? ?!");
    EXPECT_EQ(Utf8ToCp1251(utf8), expected);
    EXPECT_EQ(QStringToCp1251(QString::fromUtf8(utf8.c_str())), expected);
    EXPECT_EQ(Cp1251ToUtf8(expected), "Привет, мир: €5 ™ ?? ? ?!");
}

TEST(Cp1251, MalformedUtf8BecomesQuestionMarks) {
    EXPECT_EQ(Utf8ToCp1251("a\xFF"
                           "b"),
              "a?b");
    EXPECT_EQ(Utf8ToCp1251("ab\xD0"), "ab?");        // cut in the middle of a character
    EXPECT_EQ(Utf8ToCp1251("\xC0\xAF"), "??");       // overlong form of '/'
    EXPECT_EQ(Utf8ToCp1251("\xED\xA0\x80"), "???");  // a lone surrogate
}

}  // namespace
}  // namespace tarvel::text
