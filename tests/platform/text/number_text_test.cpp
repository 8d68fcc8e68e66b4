#include "platform/text/number_text.h"

#include <gtest/gtest.h>

namespace tarvel::text {
namespace {

TEST(NumberText, Int32AcceptsOnlyPlainDecimalInRange) {
    struct Case {
        const char* text;
        std::optional<std::int32_t> value;
    };
    const Case cases[] = {
        {"0", 0},
        {"578", 578},
        {"-35", -35},
        {"+7", 7},
        {"007", 7},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"99999999999999999999", std::nullopt},
        {"", std::nullopt},
        {"-", std::nullopt},
        {" 5", std::nullopt},
        {"5 ", std::nullopt},
        {"5x", std::nullopt},
        {"1.0", std::nullopt},
        {"0x10", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseInt32(c.text), c.value) << c.text;
    }
}

TEST(NumberText, DecimalAcceptsFiniteDecimalNumbersOnly) {
    struct Case {
        const char* text;
        std::optional<double> value;
    };
    const Case cases[] = {
        {"2500000", 2500000.0},
        {"1250000", 1250000.0},
        {"12.5", 12.5},
        {"-0.5", -0.5},
        {"+3", 3.0},
        {".5", 0.5},
        {"5.", 5.0},
        {"1E5", 100000.0},
        {"2.5e-3", 0.0025},
        {"", std::nullopt},
        {".", std::nullopt},
        {"1e", std::nullopt},
        {"e5", std::nullopt},
        {"1,5", std::nullopt},
        {" 1", std::nullopt},
        {"inf", std::nullopt},
        {"nan", std::nullopt},
        {"0x1p3", std::nullopt},
        {"1e999", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseDecimal(c.text), c.value) << c.text;
    }
}

TEST(NumberText, DecimalsTakeAPointOrAComma) {
    struct Case {
        const char* text;
        std::optional<double> value;
    };
    const Case cases[] = {
        {"12,5", 12.5},
        {"12.5", 12.5},
        {"-0,25", -0.25},
        {",5", 0.5},
        {"2,5e-3", 0.0025},
        {"1250000", 1250000.0},
        {"1,234.5", std::nullopt},
        {"1.234,5", std::nullopt},
        {"1,2,3", std::nullopt},
        {",", std::nullopt},
        {"1,5 ", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseDecimalPointOrComma(c.text), c.value) << c.text;
    }
}

TEST(NumberText, GeneralFormIsShortestWithFifteenDigits) {
    EXPECT_EQ(FormatGeneral(0.0), "0");
    EXPECT_EQ(FormatGeneral(25.0), "25");
    EXPECT_EQ(FormatGeneral(12.5), "12.5");
    EXPECT_EQ(FormatGeneral(12.5 * 100000.0), "1250000");
    // 0.007 x 100000 is 700.0000000000001 in binary; the file and the caption show 700.
    EXPECT_EQ(FormatGeneral(0.007 * 100000.0), "700");
    EXPECT_EQ(FormatGeneral(0.001), "0.001");
    EXPECT_EQ(FormatGeneral(-3.25), "-3.25");
}

}  // namespace
}  // namespace tarvel::text
