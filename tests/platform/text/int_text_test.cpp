#include <gtest/gtest.h>

#include "platform/error/app_error.h"
#include "platform/text/int_text.h"

namespace tarvel::text {
namespace {

TEST(StrToInt, ReadsWhatTheConversionRoutineReads) {
    struct Case {
        const char* text;
        std::int32_t value;
    };
    for (const Case& c :
         {Case{"07", 7}, Case{"  12", 12}, Case{"-5", -5}, Case{"+3", 3}, Case{"$1F", 31},
          Case{"0x10", 16}, Case{"2147483647", 2147483647}, Case{"-2147483648", INT32_MIN}}) {
        EXPECT_EQ(StrToInt(c.text), c.value) << c.text;
    }
}

TEST(StrToInt, RejectsWithTheRoutinesMessage) {
    for (const char* text : {"", "ab", "7 ", "1.5", "-", "2147483648", "$", "12x"}) {
        try {
            StrToInt(text);
            ADD_FAILURE() << text;
        } catch (const AppError& e) {
            EXPECT_EQ(std::string(e.what()),
                      std::string("'") + text + "' is not a valid integer value");
        }
    }
}

}  // namespace
}  // namespace tarvel::text
