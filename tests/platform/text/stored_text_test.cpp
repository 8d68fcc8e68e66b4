#include "platform/text/stored_text.h"

#include <gtest/gtest.h>

#include "platform/text/cp1251.h"

namespace tarvel::text {
namespace {

TEST(StoredText, TextPartsTakeTheFormPathsStayTheFileSystemsBytes) {
    const std::string path = "/m/\xD0\x9A\xD0\xB8\xD0\xBD\xD0\xBE.mp3";  // UTF-8 on the disk
    const std::string line = "Кино endart " + path;
    const size_t text_end = line.size() - path.size();

    std::string stored;
    AppendEncodedLine(stored, line, text_end, StoredForm::Windows1251);
    EXPECT_EQ(stored, Utf8ToCp1251("Кино endart ") + path);
    std::string back;
    AppendDecodedLine(back, stored, stored.size() - path.size(), StoredForm::Windows1251);
    EXPECT_EQ(back, line);

    stored.clear();
    AppendEncodedLine(stored, line, text_end, StoredForm::Utf8);
    EXPECT_EQ(stored, line);

    EXPECT_EQ(FormFor(line, text_end), StoredForm::Windows1251);
    EXPECT_EQ(FormFor("소녀 endart " + path, 13), StoredForm::Utf8);
    EXPECT_EQ(FormOf("\xEF\xBB\xBFx"), StoredForm::Utf8);
    EXPECT_EQ(FormOf("x"), StoredForm::Windows1251);
    EXPECT_EQ(WithoutMark("\xEF\xBB\xBFx"), "x");
}

}  // namespace
}  // namespace tarvel::text
