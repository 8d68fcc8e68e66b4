#include "platform/text/search_fold.h"

#include <gtest/gtest.h>

namespace tarvel::text {
namespace {

TEST(SearchFold, CaseAndAccentsFoldAsAReaderExpects) {
    struct Case {
        const char* text;
        const char* folded;
    };
    const Case cases[] = {
        {"Björk", "bjork"},
        {"BJÖRK", "bjork"},
        {"Ёлка", "елка"},
        {"ЁЛКА", "елка"},
        {"Sigur Rós", "sigur ros"},
        {"Straße", "strasse"},  // full case folding
        {"ΣΟΦΊΑ", "σοφια"},
        {"ﬁne", "fine"},               // compatibility forms
        {"Йошкар-Ола", "йошкар-ола"},  // й stays a letter of its own
        {"Ўладзімір", "ўладзімір"},
        {"소녀시대", "소녀시대"},  // Hangul syllables stay whole
        {"日本", "日本"},
        {"a\xFF"
         "b",
         "a\xFF"
         "b"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FoldForSearch(c.text), c.folded) << c.text;
    }
}

}  // namespace
}  // namespace tarvel::text
