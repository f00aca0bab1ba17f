#include "capture/trace_fields.h"

#include <algorithm>
#include <array>

#include "capture/capture_limit.h"
#include "platform/product.h"
#include "platform/text.h"

namespace kelmar::capture {
namespace {

enum class Bound { Above, Below };

// A K-field that must hold a whole number within a limit.
struct NumericKey {
    std::string_view key;
    bool list;     // comma-separated, item i for the i-th next Characteristic
    bool trimmed;  // the list keys and their "/0" forms are taken as they stand
    int field;
    Bound bound;
    long long limit;
    std::string_view fallback;
    bool zeroOrOne;  // only "0" and "1" pass
};

constexpr std::array<NumericKey, 10> kNumericKeys = {{
    {"K2005", true, false, field::K2005, Bound::Above, 4, "2", false},
    {"K2005/0", false, false, field::K2005, Bound::Above, 4, "2", false},
    {"K2006", true, false, field::K2006, Bound::Above, 1, "0", false},
    {"K2006/0", false, false, field::K2006, Bound::Above, 1, "0", false},
    {"K0007", false, true, field::K0007, Bound::Below, 1, "1", false},
    {"K0010", false, true, field::K0010, Bound::Below, 1, "1", false},
    {"K0012", false, true, field::K0012, Bound::Below, 1, "1", false},
    {"K0008", false, true, field::K0008, Bound::Above, 99999, "1", false},
    {"K8500", false, true, field::K8500, Bound::Above, 99999, "1", false},
    {"K8501", false, true, field::K8501, Bound::Above, 999, "0", true},
}};

// How a text key is written in its length message: "K0006" or "K=0006".
enum class KeyWording { Plain, EqualsOffline, EqualsAlways };

// A K-field text cut to a maximum length; field -1 queues a characteristic name.
struct TextKey {
    std::string_view key;
    std::size_t maxLength;
    int field;
    KeyWording wording;
};

constexpr int kNameQueue = -1;

constexpr std::array<TextKey, 16> kTextKeys = {{
    {"K0006", 14, field::K0006, KeyWording::EqualsOffline},
    {"K0009", 255, field::K0009, KeyWording::Plain},
    {"K0053", 20, field::K0053, KeyWording::EqualsOffline},
    {"K1021", 20, field::K1021, KeyWording::Plain},
    {"K1022", 80, field::K1022, KeyWording::Plain},
    {"K1031", 20, field::K1031, KeyWording::Plain},
    {"K1032", 40, field::K1032, KeyWording::Plain},
    {"K1041", 30, field::K1041, KeyWording::Plain},
    {"K1042", 20, field::K1042, KeyWording::Plain},
    {"K1052", 40, field::K1052, KeyWording::Plain},
    {"K1053", 40, field::K1053, KeyWording::Plain},
    {"K1203", 80, field::K1203, KeyWording::Plain},
    {"K2320", 20, field::K2320, KeyWording::Plain},
    {"K2401", 40, field::K2401, KeyWording::EqualsOffline},
    {"K2402", 80, field::K2402, KeyWording::EqualsOffline},
    {"K2001", 20, kNameQueue, KeyWording::EqualsAlways},
}};

template <class Table>
auto findKey(const Table& table, std::string_view name) -> const typename Table::value_type* {
    const auto it = std::find_if(table.begin(), table.end(), [&](const auto& k) { return k.key == name; });
    return it == table.end() ? nullptr : &*it;
}

// Every numeric box: the violation, a line break and the default, plain OK box.
void tellNumeric(platform::Messages& messages, const settings::LanguageTexts& texts, settings::Text violation,
                 const NumericKey& k) {
    const std::string limit = std::to_string(k.limit);
    messages.plain(platform::kApplicationTitle,
                   texts.text(settings::Text::TraceDefaultUsed, {texts.text(violation, {k.key, limit}), k.fallback}));
}

bool violates(const NumericKey& k, long long number) {
    return k.bound == Bound::Above ? number > k.limit : number < k.limit;
}

// The value kept, unchanged, or the default after the message that says why.
std::string checkedNumber(const NumericKey& k, std::string_view value, platform::Messages& messages,
                          const settings::LanguageTexts& texts) {
    std::string result(value);
    const auto number = wholeNumberForTest(value);
    if (!number) {
        tellNumeric(messages, texts, settings::Text::TraceNotInteger, k);
        result = k.fallback;
    } else if (violates(k, *number)) {
        tellNumeric(messages, texts,
                    k.bound == Bound::Above ? settings::Text::TraceAboveLimit : settings::Text::TraceBelowLimit, k);
        result = k.fallback;
    }
    if (k.zeroOrOne && result != "0" && result != "1") {
        tellNumeric(messages, texts, settings::Text::TraceNotZeroOrOne, k);
        result = k.fallback;
    }
    return result;
}

// Item i of the list goes to the i-th Characteristic after the ones captured so far.
void storeList(RunData& run, platform::Messages& messages, const settings::LanguageTexts& texts, const NumericKey& k,
               std::string_view value) {
    std::string_view rest = value;
    int index = run.CharacteristicCount();
    do {
        const std::size_t comma = rest.find(',');
        const std::string_view item = rest.substr(0, comma);
        rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
        if (!run.growQdasData(++index)) {
            // Every later item lies beyond the limit as well.
            tellLimitOnce(run, messages, texts);
            return;
        }
        run.CharacteristicQdasData[index].fields[k.field] = checkedNumber(k, item, messages, texts);
    } while (!rest.empty());
}

void storeNumeric(RunData& run, platform::Messages& messages, const settings::LanguageTexts& texts, const NumericKey& k,
                  std::string_view value) {
    if (k.list) return storeList(run, messages, texts, k, value);
    const std::string taken = k.trimmed ? platform::trimBlanks(value) : std::string(value);
    run.PartQdasData[1].fields[k.field] = checkedNumber(k, taken, messages, texts);
}

std::string lengthMessage(const settings::LanguageTexts& texts, const TextKey& k, TraceWording wording) {
    const bool equals = k.wording == KeyWording::EqualsAlways ||
                        (k.wording == KeyWording::EqualsOffline && wording == TraceWording::Offline);
    const std::string key = equals ? "K=" + std::string(k.key.substr(1)) : std::string(k.key);
    const std::string length = std::to_string(k.maxLength);
    return texts.text(settings::Text::TraceTooLong, {key, length});
}

std::string checkedText(platform::Messages& messages, const settings::LanguageTexts& texts, const TextKey& k,
                        std::string_view value, TraceWording wording) {
    std::string text = platform::trimBlanks(value);
    if (text.size() > k.maxLength) {
        messages.information(platform::kApplicationTitle, lengthMessage(texts, k, wording));
        text.resize(k.maxLength);
    }
    return text;
}

void storeText(RunData& run, platform::Messages& messages, const settings::LanguageTexts& texts, const TextKey& k,
               std::string_view value, TraceWording wording) {
    std::string text = checkedText(messages, texts, k, value, wording);
    if (k.field != kNameQueue) {
        run.PartQdasData[1].fields[k.field] = std::move(text);
    } else if (!run.appendName(std::move(text))) {
        tellLimitOnce(run, messages, texts);
    }
}

}  // namespace

bool isTraceFieldKey(std::string_view name) {
    return findKey(kNumericKeys, name) != nullptr || findKey(kTextKeys, name) != nullptr;
}

bool applyTraceField(RunData& run, platform::Messages& messages, const settings::LanguageTexts& texts,
                     std::string_view name, std::string_view value, TraceWording wording) {
    if (const NumericKey* k = findKey(kNumericKeys, name)) {
        storeNumeric(run, messages, texts, *k, value);
        return true;
    }
    if (const TextKey* k = findKey(kTextKeys, name)) {
        storeText(run, messages, texts, *k, value, wording);
        return true;
    }
    return false;
}

std::optional<std::string> checkedFormText(platform::Messages& messages, const settings::LanguageTexts& texts,
                                           std::string_view key, std::string_view value, size_t reserved) {
    const TextKey* k = findKey(kTextKeys, key);
    if (!k) return std::nullopt;
    const size_t limit = k->maxLength > reserved ? k->maxLength - reserved : 0;
    std::string text(value);
    if (text.size() > limit) {
        messages.information(platform::kApplicationTitle,
                             texts.text(settings::Text::FormValueTooLong, {key, std::to_string(limit)}));
        text.resize(limit);
    }
    return text;
}

std::optional<long long> wholeNumberForTest(std::string_view text) {
    const std::string trimmed = platform::trimBlanks(text);
    std::string_view s = trimmed;
    const bool negative = !s.empty() && s.front() == '-';
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) s.remove_prefix(1);
    const std::size_t point = s.find('.');
    const std::string_view whole = s.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? std::string_view() : s.substr(point + 1);
    const auto digits = [](std::string_view part) {
        return std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if ((whole.empty() && fraction.empty()) || !digits(whole) || !digits(fraction)) return std::nullopt;

    // Far above every limit, and far from overflowing while digits are added.
    constexpr long long kSaturated = 1'000'000'000'000LL;
    long long magnitude = 0;
    for (char c : whole) magnitude = std::min(kSaturated, magnitude * 10 + (c - '0'));
    if (!fraction.empty()) {
        const bool aboveHalf = fraction.find_first_not_of('0', 1) != std::string_view::npos;
        const char first = fraction.front();
        if (first > '5' || (first == '5' && (aboveHalf || magnitude % 2 == 1))) ++magnitude;
    }
    return negative ? -magnitude : magnitude;
}

}  // namespace kelmar::capture
