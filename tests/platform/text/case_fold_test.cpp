#include "platform/text/case_fold.h"

#include <gtest/gtest.h>

#include "platform/text/cp1251.h"

namespace tarvel::text {
namespace {

std::string W(const char* utf8) {
    return Utf8ToCp1251(utf8);
}

TEST(CaseFold, LatinAndCyrillicLettersFold) {
    EXPECT_EQ(Lower(W("ABCDEFGHIJKLMNOPQRSTUVWXYZ")), W("abcdefghijklmnopqrstuvwxyz"));
    EXPECT_EQ(Lower(W("АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯЁ")),
              W("абвгдежзийклмнопрстуфхцчшщъыьэюяё"));
    EXPECT_EQ(Upper(W("abcxyz абвгдеёжзийклмнопрстуфхцчшщъыьэюя")),
              W("ABCXYZ АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ"));
    EXPECT_EQ(Lower(W("ЄЇІЎҐ")), W("єїіўґ"));
}

TEST(CaseFold, OtherBytesAreLeftAlone) {
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        const bool letter = (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || b >= 0xC0;
        if (!letter && LowerByte(byte) == byte && UpperByte(byte) == byte) {
            continue;
        }
        // Every changed byte changes to a letter that changes back.
        EXPECT_EQ(UpperByte(LowerByte(byte)), UpperByte(byte)) << b;
        EXPECT_EQ(LowerByte(UpperByte(byte)), LowerByte(byte)) << b;
    }
    EXPECT_EQ(Lower("0123 !?-_[]"), "0123 !?-_[]");
    EXPECT_EQ(Lower(W("№€«»")), W("№€«»"));
}

TEST(CaseFold, EqualityIgnoresCaseOrderingComparesUnsignedBytes) {
    EXPECT_TRUE(EqualNoCase(W("ЁЛКА Metal"), W("ёлка METAL")));
    EXPECT_FALSE(EqualNoCase(W("ёлка"), W("елка")));
    EXPECT_FALSE(EqualNoCase("abc", "abcd"));
    EXPECT_GT(CompareBytes(W("я"), "z"), 0);  // 0xFF after 0x7A
    EXPECT_LT(CompareBytes("Z", "a"), 0);
    EXPECT_LT(CompareBytes("ab", "abc"), 0);
    EXPECT_EQ(CompareBytes(W("ё"), W("ё")), 0);
    EXPECT_TRUE(LessBytes("\x7F", "\x80"));
}

}  // namespace
}  // namespace tarvel::text
