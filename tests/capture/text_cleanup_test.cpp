#include "capture/text_cleanup.h"

#include <gtest/gtest.h>

using kelmar::capture::mdlClearFormat;

TEST(TextCleanup, LineBreaksAndOtherControlCharactersBecomeBlanks) {
    std::string text = "Bore\r\nsecond\rthird\nend";
    EXPECT_EQ(mdlClearFormat(text), "Bore  second third end");
    EXPECT_EQ(text, "Bore  second third end");
    std::string crlf = "\r\n";
    EXPECT_EQ(mdlClearFormat(crlf), "  ");
    std::string empty;
    EXPECT_EQ(mdlClearFormat(empty), "");
    std::string controls = std::string("\ta\x01\x1B[0m\0z\x7F\xA0", 11);
    EXPECT_EQ(mdlClearFormat(controls), " a  [0m z \xA0");
}

TEST(TextCleanup, CutsAt255) {
    std::string exact(255, 'x');
    EXPECT_EQ(mdlClearFormat(exact).size(), 255u);
    std::string longer(256, 'y');
    EXPECT_EQ(mdlClearFormat(longer), std::string(255, 'y'));
    std::string huge(100000, '\n');
    EXPECT_EQ(mdlClearFormat(huge), std::string(255, ' '));
}
