#include <gtest/gtest.h>

#include <string>

#include "logger/TextFormat.h"

namespace veldrin {
namespace {

TEST(TextFormat, KeepsTextsLongerThanAnyFixedBufferWhole) {
    const std::string word(300, 'x');
    const std::string text = Printf("<%s|%d>", word.c_str(), 42);
    EXPECT_EQ(text.size(), 305U);
    EXPECT_EQ(text, "<" + word + "|42>");
}

TEST(TextFormat, FormatsNumbersAndGbkOrUtf8TextsAsPrintfDoes) {
    EXPECT_EQ(Printf("%1d|%4.2f|%.2f%%", 2, 3.14159, 66.915), "2|3.14|66.92%");
    EXPECT_EQ(Printf("最小值：%.2f°C", -8.345), "最小值：-8.35°C");
    EXPECT_EQ(Printf("%s", ""), "");
}

}  // namespace
}  // namespace veldrin
