#include "platform/text/case_fold.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/text/cp1251.h"

namespace tarvel::text {
namespace {

TEST(CaseFold, LettersOfEveryScriptFoldOtherCharactersStay) {
    EXPECT_EQ(Lower("ABCDEFGHIJKLMNOPQRSTUVWXYZ"), "abcdefghijklmnopqrstuvwxyz");
    EXPECT_EQ(Lower("АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯЁ"), "абвгдежзийклмнопрстуфхцчшщъыьэюяё");
    EXPECT_EQ(Lower("ЄЇІЎҐЂ"), "єїіўґђ");
    EXPECT_EQ(Lower("ΑΒΓ Björk ÉCOLE"), "αβγ björk école");
    EXPECT_EQ(Lower("0123 !?-_[] №€«» 가나 日本"), "0123 !?-_[] №€«» 가나 日本");
    EXPECT_EQ(Lower("A\xFF\xD0Z"), "a\xFF\xD0z");  // bytes that are not UTF-8 stay
}

TEST(CaseFold, EqualityIgnoresCase) {
    EXPECT_TRUE(EqualNoCase("ЁЛКА Metal", "ёлка METAL"));
    EXPECT_TRUE(EqualNoCase("ΣΟΦΙΑ", "σοφια"));
    EXPECT_FALSE(EqualNoCase("ёлка", "елка"));
    EXPECT_FALSE(EqualNoCase("abc", "abcd"));
}

// Text that Windows-1251 holds sorts as its bytes did; other characters come after all of it.
TEST(CaseFold, TextOrderKeepsTheWindows1251ByteOrder) {
    std::vector<std::string> names = {"я", "z", "Ё", "а", "Z", "a", "€", "ab", "abc", "\x7F"};
    std::vector<std::string> by_bytes;
    for (const std::string& name : names) {
        by_bytes.push_back(Utf8ToCp1251(name));
    }
    std::sort(by_bytes.begin(), by_bytes.end(), LessBytes);
    std::sort(names.begin(), names.end(), LessText);
    for (size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(Utf8ToCp1251(names[i]), by_bytes[i]) << i;
    }
    EXPECT_LT(CompareText("я", "é"), 0);   // é has no Windows-1251 byte: after я (0xFF)
    EXPECT_LT(CompareText("é", "가"), 0);  // then by code point
    EXPECT_LT(CompareText("Ω", "가"), 0);
    EXPECT_EQ(CompareText("가나", "가나"), 0);
    EXPECT_GT(CompareText("ab", "a"), 0);
}

}  // namespace
}  // namespace tarvel::text
