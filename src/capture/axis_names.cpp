#include "capture/axis_names.h"

#include <array>
#include <utility>

namespace kelmar::capture {
namespace {

constexpr std::array<std::pair<std::string_view, int>, 53> kAxisLines = {{
    {"1002", 16}, {"1003", 17}, {"1004", 18}, {"1005", 2},  {"1006", 9},  {"1007", 1},  {"1008", 15}, {"1009", 8},
    {"1010", 6},  {"1012", 5},  {"1013", 7},  {"1014", 12}, {"1015", 13}, {"1016", 11}, {"1017", 4},  {"1018", 3},
    {"1019", 10}, {"1020", 14}, {"1100", 51}, {"1101", 49}, {"1102", 44}, {"1103", 47}, {"1104", 46}, {"1105", 48},
    {"1106", 40}, {"1107", 38}, {"1108", 39}, {"1109", 37}, {"1110", 50}, {"1111", 43}, {"1112", 41}, {"1113", 45},
    {"1114", 42}, {"1115", 52}, {"1118", 48}, {"1202", 33}, {"1203", 34}, {"1204", 35}, {"1205", 22}, {"1206", 23},
    {"1207", 28}, {"1208", 27}, {"1209", 36}, {"1210", 25}, {"1211", 31}, {"1212", 26}, {"1213", 32}, {"1214", 19},
    {"1215", 20}, {"1216", 21}, {"1217", 24}, {"1218", 29}, {"1219", 30},
}};

}  // namespace

std::optional<int> axisNameLine(std::string_view kindText) {
    for (const auto& [code, line] : kAxisLines)
        if (code == kindText) return line;
    return std::nullopt;
}

std::string modAxisName(std::string_view kindText, const settings::LanguageTexts& texts) {
    auto line = axisNameLine(kindText);
    return line ? texts.line(*line) : "UnknownType";
}

}  // namespace kelmar::capture
