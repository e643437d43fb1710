// Number fields: written as the C library's printf writes them and read as atoi/atof read them,
// so files move between installations unchanged.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "files/DataFileFields.h"

namespace veldrin {
namespace {

std::string Printf2(float value, const char* format = "%.2f") {
    char text[64];
    std::snprintf(text, sizeof text, format, static_cast<double>(value));
    return text;
}

TEST(DataFileFields, FixedTwoDecimalsMatchPrintfIncludingTiesAndNegativeZero) {
    std::vector<float> values = {0.0F,     -0.0F,   0.125F,  0.375F,  0.625F,  -0.125F, 2.675F, 1.005F,
                                 -0.001F,  -0.004F, 127.99F, -126.0F, 127.0F,  25.3F,   60.5F,  1e7F,
                                 -1.5e12F, 3e38F,   -3e38F,  1e-30F,  99.995F, 0.005F,  0.015F, -0.005F};
    std::mt19937 random(42);
    std::uniform_real_distribution<float> wide(-200.0F, 200.0F);
    for (int i = 0; i < 200000; ++i)
        values.push_back(wide(random));
    // Quarters of hundredths: exact ties in binary.
    for (int i = -4000; i < 4000; ++i)
        values.push_back(static_cast<float>(i) / 800.0F);
    for (float value : values)
        ASSERT_EQ(FormatFixed2(value), Printf2(value)) << value;
}

TEST(DataFileFields, NumberFieldIsSevenCharactersCutFromTheLeftOrPaddedRight) {
    auto field = [](float value) {
        std::string out;
        AppendNumberField(out, value);
        return out;
    };
    EXPECT_EQ(field(-126.0F), "-126.00");
    EXPECT_EQ(field(127.0F), "127.00 ");
    EXPECT_EQ(field(25.3F), "25.30  ");
    EXPECT_EQ(field(0.0F), "0.00   ");
    EXPECT_EQ(field(-0.001F), "-0.00  ");
    // "%4.2f" of 12345.67 is 8 characters; its last 7 remain.
    EXPECT_EQ(field(12345.67F), "2345.67");

    std::string padded;
    AppendFixed2Padded(padded, -1.5F, 10);
    EXPECT_EQ(padded, Printf2(-1.5F, "%10.2f"));
    padded.clear();
    AppendFixed2Padded(padded, 1234567936.0F, 10);
    EXPECT_EQ(padded, Printf2(1234567936.0F, "%10.2f"));
}

TEST(DataFileFields, FieldsParseAsAtoiAndAtofWould) {
    std::vector<std::string> fields = {"25.30  ", "-126.00", "127.00 ", "   5   ", "  -0.5 ",
                                       "-      ", ".      ", "-.5    ", "1-2    ", "1 2    ",
                                       "--1    ", "0000000", "  2010 ", "-0.00  ", "       ",
                                       "1.2.3  ", "0.005  ", "9999999", "12.3456"};
    std::mt19937 random(7);
    const std::string alphabet = "0123456789-. ";
    for (int i = 0; i < 100000; ++i) {
        std::string field(7, ' ');
        for (char& c : field)
            c = alphabet[random() % alphabet.size()];
        fields.push_back(field);
    }
    for (const auto& field : fields) {
        double expected = std::strtod(field.c_str(), nullptr);
        double parsed = ParseDecimalField(field);
        ASSERT_EQ(parsed, expected) << "\"" << field << "\"";
        ASSERT_EQ(std::signbit(parsed), std::signbit(expected)) << "\"" << field << "\"";
        ASSERT_EQ(ParseIntField(field), std::atoi(field.c_str())) << "\"" << field << "\"";
    }
    // Fields are taken by length, never up to a terminating zero.
    EXPECT_EQ(ParseIntField(std::string_view("1234", 2)), 12);
    EXPECT_EQ(ParseDecimalField(std::string_view("1.25", 3)), 1.2);
}

TEST(DataFileFields, DescriptionLosesOnlyItsFirstCarriageReturnAndLineFeed) {
    EXPECT_EQ(DescriptionForSaving("a\r\nb\r\nc\n"), "a  b\r\nc\n");
    EXPECT_EQ(DescriptionForSaving("a\nb\rc"), "a b c");
    EXPECT_EQ(DescriptionForSaving("冷库"), "冷库");
}

}  // namespace
}  // namespace veldrin
