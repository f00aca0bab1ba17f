#include "platform/code_page.h"

#include <gtest/gtest.h>

using namespace kelmar::platform;

TEST(CodePage, EveryDefinedByteSurvivesTheRoundTrip) {
    for (CodePage cp : {CodePage::Windows1252, CodePage::Windows1250}) {
        for (int b = 1; b < 256; ++b) {
            std::string byte(1, static_cast<char>(b));
            std::string utf8 = toUtf8(byte, cp);
            if (utf8 == "\xEF\xBF\xBD") continue;  // undefined in this code page
            EXPECT_EQ(fromUtf8(utf8, cp), byte) << "byte " << b;
        }
    }
}

TEST(CodePage, LettersLandOnTheirOwnCodePage) {
    EXPECT_EQ(toUtf8("\xE4", CodePage::Windows1252), "\xC3\xA4");         // ä
    EXPECT_EQ(toUtf8("\xF8", CodePage::Windows1250), "\xC5\x99");         // ř
    EXPECT_EQ(fromUtf8("\xC5\x99", CodePage::Windows1250), "\xF8");
    EXPECT_EQ(toUtf8("\x80", CodePage::Windows1252), "\xE2\x82\xAC");     // €
    EXPECT_EQ(toUtf8("\x81", CodePage::Windows1252), "\xEF\xBF\xBD");     // undefined
}

TEST(CodePage, WhatCannotBeHeldBecomesAQuestionMark) {
    EXPECT_EQ(fromUtf8("a\xC5\x99z", CodePage::Windows1252), "a?z");      // ř is not in 1252
    EXPECT_EQ(fromUtf8("\xE2\x9C\x93", CodePage::Windows1250), "?");      // check mark
    EXPECT_EQ(fromUtf8("\xF0\x9F\x98\x80!", CodePage::Windows1252), "?!"); // outside the BMP
    EXPECT_EQ(fromUtf8("\xC3", CodePage::Windows1252), "?");              // cut sequence
    EXPECT_EQ(fromUtf8("\xC3(x", CodePage::Windows1252), "?(x");          // bad continuation
    EXPECT_EQ(fromUtf8("\xFF\xFE", CodePage::Windows1252), "??");
    // Overlong forms, surrogates and code points past U+10FFFF are no characters.
    EXPECT_EQ(fromUtf8("a\xC0\xAF" "b", CodePage::Windows1252), "a?b");       // an overlong "/"
    EXPECT_EQ(fromUtf8("\xC0\x80", CodePage::Windows1252), "?");             // an overlong NUL
    EXPECT_EQ(fromUtf8("\xE0\x80\xAF\xF0\x80\x80\xAF", CodePage::Windows1252), "??");
    EXPECT_EQ(fromUtf8("\xED\xA0\x80", CodePage::Windows1252), "?");         // U+D800
    EXPECT_EQ(fromUtf8("\xF4\x90\x80\x80", CodePage::Windows1252), "?");     // U+110000
}

TEST(CodePage, Utf16RoundTripAndWhatCannotBeHeld) {
    for (CodePage cp : {CodePage::Windows1252, CodePage::Windows1250}) {
        std::string all;
        for (int b = 1; b < 256; ++b)
            if (toUtf8(std::string(1, static_cast<char>(b)), cp) != "\xEF\xBF\xBD") all += static_cast<char>(b);
        EXPECT_EQ(fromUtf16(toUtf16(all, cp), cp), all);
    }
    EXPECT_EQ(toUtf16("S\xFC" "d", CodePage::Windows1252), u"S\u00FCd");
    EXPECT_EQ(fromUtf16(u"\u0159", CodePage::Windows1250), "\xF8");
    EXPECT_EQ(fromUtf16(u"\u0159", CodePage::Windows1252), "?");
    EXPECT_EQ(fromUtf16(u"a\U0001F600b", CodePage::Windows1252), "a?b");   // one character, one mark
    EXPECT_EQ(fromUtf16(std::u16string(u"\xD800x"), CodePage::Windows1252), "?x");  // lone surrogate
}
