#include "capture/trace_fields.h"

#include <gtest/gtest.h>

#include "capture/capture_limit.h"
#include "support/recording_messages.h"

using namespace kelmar;
using capture::TraceWording;
namespace field = capture::field;

namespace {

class TraceFields : public ::testing::Test {
protected:
    void apply(const std::string& name, const std::string& value, TraceWording wording = TraceWording::Online) {
        EXPECT_TRUE(capture::applyTraceField(run, messages, texts, name, value, wording)) << name;
    }
    const std::string& part(int index) const { return run.PartQdasData[1].fields[index]; }
    const std::string& item(int index, int f) const { return run.CharacteristicQdasData.at(index).fields[f]; }

    capture::RunData run;
    test::RecordingMessages messages;
    kelmar::settings::LanguageTexts texts;
};

std::string numeric(const std::string& violation, const char* fallback) {
    return "Trace value for " + violation + "\nThe Converter will use the default value " + fallback + ".";
}

}  // namespace

TEST(WholeNumberForTest, AcceptsSignBlanksAndRoundsFractionsHalfToEven) {
    const std::pair<const char*, long long> good[] = {{" -3 ", -3},   {"+7", 7}, {"2.5", 2},  {"3.5", 4},
                                                      {"2.50001", 3}, {".5", 0}, {"-0.6", -1}};
    for (const auto& [text, number] : good) EXPECT_EQ(capture::wholeNumberForTest(text), number) << text;
    EXPECT_GT(*capture::wholeNumberForTest(std::string(400, '9')), 99999);
    for (const char* bad : {"", " ", "-", ".", "a", "1e2", "1,0", "- 3", "0x10", "1.2.3", "\x01"})
        EXPECT_EQ(capture::wholeNumberForTest(bad), std::nullopt) << '"' << bad << '"';
}

TEST_F(TraceFields, ListsFillTheNextCharacteristicsWithLimitAndIntegerDefaults) {
    for (int i = 0; i < 10; ++i) run.appendCharacteristic();
    apply("K2005", "3,7,a");
    EXPECT_EQ(run.qdasDataUpper(), 13);
    EXPECT_EQ(item(11, field::K2005) + item(12, field::K2005) + item(13, field::K2005), "322");
    EXPECT_EQ(messages.texts(),
              (std::vector<std::string>{
                  numeric("K2005 was higher then 4. This value is not allowed for Q-DAS.", "2"),
                  numeric("K2005 is not an integer value. Only integer values are allowed for Q-DAS.", "2")}));
    EXPECT_EQ(messages.shown[0].kind, platform::MessageKind::Plain);
    EXPECT_EQ(messages.shown[0].title, "Kelmar");

    apply("K2006", "1,");
    EXPECT_EQ(item(11, field::K2006) + "|" + item(12, field::K2006), "1|");
    apply("K2005", " 4.5, 0");  // items keep their blanks; 4.5 tests as 4
    EXPECT_EQ(item(11, field::K2005) + "|" + item(12, field::K2005) + "|" + item(13, field::K2005), " 4.5| 0|2");
}

TEST_F(TraceFields, PartValuesAreCheckedAgainstTheirLimits) {
    struct Case {
        const char *key, *value;
        int index;
        const char* stored;
        std::string message;
    };
    const Case cases[] = {
        {"K8501", "1", field::K8501, "1", ""},
        {"K8501", "5", field::K8501, "0",
         numeric("K8501 is not 0 or 1. Only these values are allowed for Q-DAS.", "0")},
        {"K8501", "1000", field::K8501, "0",
         numeric("K8501 was higher then 999. This value is not allowed for Q-DAS.", "0")},
        {"K0008", " 50000 ", field::K0008, "50000", ""},
        {"K8500", "99999.5", field::K8500, "1",
         numeric("K8500 was higher then 99999. This value is not allowed for Q-DAS.", "1")},
        {"K0007", "-3", field::K0007, "1",
         numeric("K0007 was lower then 1. This value is not allowed for Q-DAS.", "1")},
        {"K0012", "1.5", field::K0012, "1.5", ""},
        {"K2005/0", " 3 ", field::K2005, " 3 ", ""},
        {"K2006/0", "x", field::K2006, "0",
         numeric("K2006/0 is not an integer value. Only integer values are allowed for Q-DAS.", "0")},
    };
    for (const Case& c : cases) {
        messages.shown.clear();
        apply(c.key, c.value);
        EXPECT_EQ(part(c.index), c.stored) << c.key << " " << c.value;
        EXPECT_EQ(messages.texts(), c.message.empty() ? std::vector<std::string>{} : std::vector{c.message}) << c.key;
    }
}

TEST_F(TraceFields, TextsAreTrimmedAndCutWithTheWordingOfTheMode) {
    apply("K0006", "  short  ");
    apply("K1022", std::string(80, 'b'));
    EXPECT_EQ(part(field::K0006) + part(field::K1022), "short" + std::string(80, 'b'));
    EXPECT_TRUE(messages.shown.empty());

    apply("K0006", "ABCDEFGHIJKLMNOPQRST");
    apply("K0006", "ABCDEFGHIJKLMNOPQRST", TraceWording::Offline);
    apply("K0009", std::string(300, 'x'), TraceWording::Offline);
    apply("K2001", std::string(25, 'n'));
    EXPECT_EQ(part(field::K0006), "ABCDEFGHIJKLMN");
    EXPECT_EQ(part(field::K0009).size(), 255u);
    EXPECT_EQ(run.NameQueue.at(1), std::string(20, 'n'));
    const auto cut = [](const char* key, const char* n) {
        return std::string("Trace Value for ") + key + " uses more then " + n +
               " characters. The string will be cut to " + n + " characters.";
    };
    EXPECT_EQ(messages.texts(), (std::vector<std::string>{cut("K0006", "14"), cut("K=0006", "14"), cut("K0009", "255"),
                                                          cut("K=2001", "20")}));
    EXPECT_EQ(messages.shown[0].kind, platform::MessageKind::Information);

    for (const char* other : {"k2005", "K2005 ", "K0005", "QDAS", "FileName", ""})
        EXPECT_FALSE(capture::applyTraceField(run, messages, texts, other, "1", TraceWording::Online)) << other;
    EXPECT_EQ(messages.shown.size(), 4u);
}

TEST_F(TraceFields, EveryTextKeyTakesItsLimitAndCutsOneMore) {
    const std::pair<const char*, std::size_t> limits[] = {
        {"K0006", 14}, {"K0009", 255}, {"K0053", 20}, {"K1021", 20}, {"K1022", 80}, {"K1031", 20},
        {"K1032", 40}, {"K1041", 30},  {"K1042", 20}, {"K1052", 40}, {"K1053", 40}, {"K1203", 80},
        {"K2320", 20}, {"K2401", 40},  {"K2402", 80}, {"K2001", 20}};
    for (const auto& [key, limit] : limits) {
        messages.shown.clear();
        EXPECT_EQ(capture::checkedFormText(messages, texts, key, std::string(limit, 'a'), 0),
                  std::string(limit, 'a'))
            << key;
        EXPECT_TRUE(messages.shown.empty()) << key;
        EXPECT_EQ(capture::checkedFormText(messages, texts, key, std::string(limit + 1, 'b'), 0),
                  std::string(limit, 'b'))
            << key;
        ASSERT_EQ(messages.shown.size(), 1u) << key;
        EXPECT_NE(messages.shown[0].text.find("more then " + std::to_string(limit) + " characters"), std::string::npos)
            << key;
    }
}

TEST_F(TraceFields, ListItemsPastTheLimitAreRefusedAndToldOnce) {
    for (int i = 0; i < capture::kMaxCount - 2; ++i) run.appendCharacteristic();
    apply("K2005", "1,3,4,0");
    apply("K2006", "0,0,1");
    EXPECT_EQ(run.qdasDataUpper(), capture::kMaxCount);
    EXPECT_EQ(item(capture::kMaxCount, field::K2005) + item(capture::kMaxCount, field::K2006), "30");
    EXPECT_EQ(messages.texts(), std::vector<std::string>{settings::englishText(settings::Text::RunLimitReached)});
}
