#include "text/Encoding.h"

#include <gtest/gtest.h>

#include <string>

namespace brelker {
namespace {

std::string Bytes(std::initializer_list<unsigned char> values) {
    std::string out;
    for (const unsigned char value : values) {
        out += static_cast<char>(value);
    }
    return out;
}

TEST(EncodingTest, AsciiIsTheSameInBothPages) {
    const std::string ascii = "copy/b \"Setup.exe.Brelked_1\" + \"x\" C:\\TEMP ~";
    EXPECT_EQ(EncodeText(ascii, CodePage::Windows1252), ascii);
    EXPECT_EQ(EncodeText(ascii, CodePage::Oem850), ascii);
}

TEST(EncodingTest, SwedishAndGermanLettersTakeTheirPlaceInEachPage) {
    const std::string letters = "åäöÅÄÖüÜßé";
    EXPECT_EQ(EncodeText(letters, CodePage::Windows1252),
              Bytes({0xE5, 0xE4, 0xF6, 0xC5, 0xC4, 0xD6, 0xFC, 0xDC, 0xDF, 0xE9}));
    EXPECT_EQ(EncodeText(letters, CodePage::Oem850),
              Bytes({0x86, 0x84, 0x94, 0x8F, 0x8E, 0x99, 0x81, 0x9A, 0xE1, 0x82}));
}

TEST(EncodingTest, CharactersThatAPageLacksAreRefused) {
    // Euro sign and ellipsis exist only in Windows-1252, a box-drawing shade only in 850.
    EXPECT_EQ(EncodeText("€", CodePage::Windows1252), Bytes({0x80}));
    EXPECT_EQ(EncodeText("€", CodePage::Oem850), std::nullopt);
    EXPECT_EQ(EncodeText("a…", CodePage::Windows1252), Bytes({'a', 0x85}));
    EXPECT_EQ(EncodeText("a…", CodePage::Oem850), std::nullopt);
    EXPECT_EQ(EncodeText("░", CodePage::Oem850), Bytes({0xB0}));
    EXPECT_EQ(EncodeText("░", CodePage::Windows1252), std::nullopt);
    EXPECT_EQ(EncodeText("漢", CodePage::Windows1252), std::nullopt);
    EXPECT_EQ(EncodeText("\xF0\x9F\x98\x80", CodePage::Oem850), std::nullopt);  // an emoji
}

TEST(EncodingTest, MalformedUtf8IsRefused) {
    for (const std::string& bad :
         {Bytes({0xC3}), Bytes({'a', 0xE2, 0x82}), Bytes({0xC0, 0xAF}), Bytes({0xED, 0xA0, 0x80}),
          Bytes({0x80}), Bytes({0xFF}), Bytes({0xC3, 'a'})}) {
        EXPECT_EQ(EncodeText(bad, CodePage::Windows1252), std::nullopt);
        EXPECT_EQ(EncodeText(bad, CodePage::Oem850), std::nullopt);
    }
}

TEST(EncodingTest, EveryDefinedByteSurvivesARoundTrip) {
    for (const CodePage page : {CodePage::Windows1252, CodePage::Oem850}) {
        for (int value = 0; value < 256; ++value) {
            const std::string byte(1, static_cast<char>(value));
            const std::optional<std::string> text = DecodeText(byte, page);
            if (!text) {
                // Windows-1252 leaves five bytes undefined; 850 defines all.
                EXPECT_EQ(page, CodePage::Windows1252) << value;
                continue;
            }
            EXPECT_EQ(EncodeText(*text, page), byte) << value;
        }
    }
    EXPECT_EQ(DecodeText(Bytes({0x81}), CodePage::Windows1252), std::nullopt);
    EXPECT_EQ(DecodeText(Bytes({0x94, 0xE1}), CodePage::Oem850), "öß");
}

}  // namespace
}  // namespace brelker
