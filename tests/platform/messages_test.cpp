#include "platform/messages.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace kelmar::platform;

TEST(UnattendedMessages, OneLinePerBoxAndQuestionsAnsweredNo) {
    std::ostringstream out;
    UnattendedMessages messages(out, CodePage::Windows1252);
    messages.information("Kelmar", "first\nsecond");
    messages.error("Kelmar", "a\r\nb");
    messages.plain("Kelmar", "K=2005 \xE4");
    EXPECT_FALSE(messages.askYesNo("kelmar", "Part program was canceld.\nWould you close the Kelmar?"));
    EXPECT_EQ(out.str(),
              "[info] first | second\n"
              "[error] a | b\n"
              "[plain] K=2005 \xC3\xA4\n"
              "[question] Part program was canceld. | Would you close the Kelmar? -> No\n");
}
