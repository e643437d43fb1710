// The cipher of the data file, checked against values worked out by hand from its rules.
#include <gtest/gtest.h>

#include <set>

#include "files/CipherFile.h"
#include "tests/files/DataFileTestSupport.h"

namespace veldrin {
namespace {

TEST(DataFileCipher, KeyFromSeedsUsesIntegerDivisionAndWrapsAt256) {
    // 10 × 20 ÷ 3 = 66 (not 66.67), + 4 × 5 = 86.
    EXPECT_EQ(KeyFromSeeds({10, 20, 3, 4, 5}), 86);
    // 255 × 255 ÷ 1 + 255 × 255 = 130050 = 508 × 256 + 2.
    EXPECT_EQ(KeyFromSeeds({255, 255, 1, 255, 255}), 2);
    EXPECT_EQ(KeyFromSeeds({7, 9, 0, 1, 1}), std::nullopt);
}

// Key 86 enciphering "16 12.5" from offset 111. For the first byte: the position mix is 111
// (0b1101111); each of the seven flips lands on bit 0 after the remaining rotations, so six set
// bits leave '1' (0x31) as it is; chaining from 0x2F with key 0x56 gives 0x79, and
// 0x31 XOR 0x79 = 0x48.
TEST(DataFileCipher, EnciphersAKnownTextByteForByteAndBack) {
    CCipherFile cipher("", 0);
    cipher.key = 86;
    cipher.position = 111;
    std::string stored = cipher.EncipherText("16 12.5", CCipherFile::kChainStart);
    EXPECT_EQ(stored, std::string("\x48\x50\x40\x47\x54\x4a\x4c"));
    EXPECT_EQ(cipher.position, 118U);

    // The same text far into a record area, where the position's high byte takes part.
    cipher.position = 70223;
    EXPECT_EQ(cipher.EncipherText("25.30  ", CCipherFile::kChainStart),
              std::string("\x4a\x51\x4c\x4a\x55\x47\x56"));

    cipher.position = 111;
    EXPECT_EQ(cipher.DecipherText(stored.data(), stored.size(), CCipherFile::kChainStart), "16 12.5");
    EXPECT_EQ(cipher.position, 118U);
}

TEST(DataFileCipher, AByteThatEnciphersTo26IsStoredAs154AndDeciphersBack) {
    // With key 4, '1' at offset 111 after 0x2F: 0x31 XOR (0x2F XOR 0x04) = 0x1A = 26.
    EXPECT_EQ(EncipherByte('1', 111, 0x2F, 4), 154);
    EXPECT_EQ(DecipherByte(154, 111, 0x2F, 4), '1');

    CCipherFile cipher("", 0);
    cipher.key = 4;
    cipher.position = 111;
    std::string stored = cipher.EncipherText("1", CCipherFile::kChainStart);
    ASSERT_EQ(stored.size(), 1U);
    EXPECT_EQ(static_cast<unsigned char>(stored[0]), 154);
    cipher.position = 111;
    EXPECT_EQ(cipher.DecipherText(stored.data(), 1, CCipherFile::kChainStart), "1");
}

TEST(DataFileCipher, EveryCharacterSurvivesAtEveryPositionMixAndChain) {
    for (std::uint32_t position : {0U, 111U, 255U, 256U, 257U, 70222U, 140223U, 0x00FFFF00U}) {
        for (int key : {0, 86, 200}) {
            for (int previous : {0x2F, 0x39, 0x20}) {
                for (int plain = 0; plain < 128; ++plain) {
                    auto p = static_cast<std::uint8_t>(plain);
                    auto k = static_cast<std::uint8_t>(key);
                    auto q = static_cast<std::uint8_t>(previous);
                    std::uint8_t stored = EncipherByte(p, position, q, k);
                    ASSERT_NE(stored, 26);
                    ASSERT_EQ(DecipherByte(stored, position, q, k), p)
                        << position << " " << key << " " << plain;
                }
            }
        }
    }
}

TEST(DataFileCipher, DecipheringStopsAtTheFirstCharacterOutsideTheNumericSet) {
    CCipherFile cipher("", 0);
    cipher.key = 123;
    cipher.position = 223;
    std::string numeric = cipher.EncipherText("0123456789-. ", CCipherFile::kChainStart);
    cipher.position = 223;
    EXPECT_EQ(cipher.DecipherText(numeric.data(), numeric.size(), CCipherFile::kChainStart), "0123456789-. ");

    for (std::string plain : {"12a4", "1+5", "x"}) {
        cipher.position = 500;
        std::string stored = cipher.EncipherText(plain, CCipherFile::kChainStart);
        cipher.position = 500;
        EXPECT_EQ(cipher.DecipherText(stored.data(), stored.size(), CCipherFile::kChainStart), "") << plain;
    }
    // A wrong chaining start garbles the text the same way a wrong key does.
    cipher.position = 223;
    EXPECT_NE(cipher.DecipherText(numeric.data(), numeric.size(), 0x30), "0123456789-. ");
}

TEST(DataFileCipher, MakeKeyNeverDrawsAThirdSeedOfZeroAndFollowsTheLocalTime) {
    std::set<int> keys;
    std::time_t base = test::LocalTime(2024, 3, 7, 0, 0, 0);
    for (int second = 0; second < 86400; second += 7) {
        CCipherFile cipher("", 0);
        std::uint8_t key = cipher.MakeKey(base + second);
        ASSERT_NE(cipher.seeds[2], 0) << second;
        ASSERT_EQ(KeyFromSeeds(cipher.seeds), key);
        keys.insert(key);
    }
    EXPECT_GT(keys.size(), 200U);
    // Month × day + hour × minute × second is the generator's seed: 3 × 7 + 2 × 3 × 4 = 45 both
    // times, so the seeds repeat.
    CCipherFile a("", 0);
    CCipherFile b("", 0);
    a.MakeKey(test::LocalTime(2024, 3, 7, 2, 3, 4));
    b.MakeKey(test::LocalTime(2024, 7, 3, 4, 3, 2));
    EXPECT_EQ(a.seeds, b.seeds);
}

TEST(DataFileCipher, OpensForReadingOrWritingAndReportsWhyNot) {
    test::TempFolder folder;
    CCipherFile missing(folder.File("missing.Vdr"), CCipherFile::kRead);
    EXPECT_FALSE(missing.IsReading());
    EXPECT_NE(missing.OpenError().find("missing.Vdr"), std::string::npos);

    CCipherFile writer(folder.File("a.Vdr"), CCipherFile::kWrite);
    ASSERT_TRUE(writer.IsWriting());
    EXPECT_TRUE(writer.Write("abc"));
    EXPECT_TRUE(writer.Commit().ok);
    EXPECT_EQ(test::ReadBytes(folder.File("a.Vdr")), "abc");

    CCipherFile reader(folder.File("a.Vdr"), CCipherFile::kRead);
    ASSERT_TRUE(reader.IsReading());
    EXPECT_EQ(reader.Length(), 3);
    EXPECT_EQ(reader.Read(10), "abc");
    reader.Close();
    EXPECT_FALSE(reader.IsReading());

    CCipherFile neither(folder.File("a.Vdr"), 7);
    EXPECT_FALSE(neither.IsReading());
    EXPECT_FALSE(neither.IsWriting());
}

}  // namespace
}  // namespace veldrin
