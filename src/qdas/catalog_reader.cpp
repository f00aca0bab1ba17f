#include "qdas/catalog_reader.h"

#include <array>
#include <utility>

#include "platform/product.h"
#include "qdas/catalog_entries.h"
#include "qdas/catalog_line.h"
#include "settings/setting_names.h"

namespace kelmar::qdas {
namespace {

// A value that names a position in another table: a catalog number from 1 up.
std::optional<std::int16_t> positionValue(std::string_view value) {
    auto number = parseCatalogNumber(value);
    if (!number || *number == 0) return std::nullopt;
    return number;
}

// The last three digits of a "K4ddd" key, or -1 for any other key.
int keyNumber(std::string_view key) {
    if (key.size() != 5 || key[0] != 'K' || key[1] != '4') return -1;
    int number = 0;
    for (char c : key.substr(2)) {
        if (c < '0' || c > '9') return -1;
        number = number * 10 + (c - '0');
    }
    return number;
}

class CatalogParser {
public:
    CatalogParser(CatalogTables& tables, CatalogChoices& choices) : tables_(tables), choices_(choices) {}

    void read(std::string_view line) {
        CatalogLine parsed = parseCatalogLine(line);
        if (parsed.verdict != LineVerdict::Entry) return;
        // A line without its own index goes on with the index of the last line that had one.
        if (parsed.index) index_ = *parsed.index;
        if (Effect effect = effectOf(parsed.key)) (this->*effect)(parsed.value);
    }

private:
    using Effect = void (CatalogParser::*)(std::string_view);

    // The keys the reader acts on; every other key is ignored.
    static Effect effectOf(std::string_view key) {
        static constexpr std::pair<std::string_view, Effect> kEffects[] = {
            {"K4062", &CatalogParser::remember},
            {"K4063", &CatalogParser::addMachine},
            {"K4072", &CatalogParser::remember},
            {"K4073", &CatalogParser::addGage},
            {"K4092", &CatalogParser::remember},
            {"K4093", &CatalogParser::addOperator},
            {"K4252", &CatalogParser::remember},
            {"K4253", &CatalogParser::addNest},
            {"K4220", &CatalogParser::addEventGroup},
            {"K4221", &CatalogParser::addGroupEvent},
            {"K4222", &CatalogParser::addEvent},
            {"K4223", &CatalogParser::setEventSecondText},
            {"K4240", &CatalogParser::addParameterGroup},
            {"K4241", &CatalogParser::addGroupParameter},
            {"K4242", &CatalogParser::nameParameter},
            {"K4243", &CatalogParser::setParameterSecondText},
            {"K4244", &CatalogParser::setParameterThirdText},
            {"K4249", &CatalogParser::addParameterValue},
            {"K4245", &CatalogParser::nameValue},
            {"K4246", &CatalogParser::setValueSecondText},
        };
        // Indexed by the key's last three digits, so a line costs one look-up, not a search.
        static const auto kByNumber = [] {
            std::array<Effect, 1000> byNumber{};
            for (const auto& [name, effect] : kEffects) byNumber[static_cast<size_t>(keyNumber(name))] = effect;
            return byNumber;
        }();
        int number = keyNumber(key);
        return number < 0 ? nullptr : kByNumber[static_cast<size_t>(number)];
    }

    void remember(std::string_view value) {
        remembered_ = value;
        ++rememberedGeneration_;
    }
    void addMachine(std::string_view value) { addRemembered(ListSlot::Machine, choices_.comboMaschine, value); }
    void addGage(std::string_view value) { addRemembered(ListSlot::Gage, choices_.comboPruefmittel, value); }
    void addOperator(std::string_view value) { addRemembered(ListSlot::Operator, choices_.comboPruefer, value); }
    void addNest(std::string_view value) { addRemembered(ListSlot::Nest, choices_.comboNest, value); }

    enum ListSlot { Machine, Gage, Operator, Nest, Events, SlotCount };

    // The remembered text goes into a list once per time it is remembered, however many entries name it.
    void addRemembered(ListSlot slot, CatalogEntryList& list, std::string_view value) {
        if (list.size() >= static_cast<size_t>(kMaxCatalogEntries)) return;
        auto& [generation, text] = rememberedText_[slot];
        if (generation != rememberedGeneration_) {
            generation = rememberedGeneration_;
            text = list.addText(remembered_);
        }
        list.add(text, list.addText(value), index_);
    }

    void addEventGroup(std::string_view value) {
        EventGroup* group = appendEntry(tables_.EventGroupTable);
        lastGroup_ = group ? tables_.EventGroupCount() : 0;
        if (!group) return;
        group->number = index_;
        group->text = value;
        // lstKatalog positions stay those of the group table, which the form looks groups up by.
        choices_.lstKatalog.push_back(eventGroupEntryText(index_, value));
    }

    void addGroupEvent(std::string_view value) {
        auto number = parseCatalogNumber(value);
        if (number && lastGroup_ > 0) appendNumber(tables_.EventGroupTable[lastGroup_].eventNumbers, *number);
    }

    void addEvent(std::string_view value) {
        remember(value);
        Event* event = appendEntry(tables_.EventTable);
        lastEvent_ = event ? tables_.EventCount() : 0;
        if (!event) return;
        event->number = index_;
        event->firstText = value;
    }

    void setEventSecondText(std::string_view value) {
        if (lastEvent_ > 0) tables_.EventTable[lastEvent_].secondText = value;
        addRemembered(ListSlot::Events, choices_.lstEvents, value);
    }

    void addParameterGroup(std::string_view value) {
        // The n-th group line fills position n, also when K4241 lines grew the table past it already.
        ParameterGroup* group = entryAt(tables_.ParameterGroupTable, parameterGroupsRead_ + 1);
        if (!group) return;
        ++parameterGroupsRead_;
        group->number = index_;
        group->text = value;
    }

    void addGroupParameter(std::string_view value) {
        auto number = positionValue(value);
        if (!number) return;
        if (ParameterGroup* group = entryAt(tables_.ParameterGroupTable, index_))
            appendNumber(group->parameterNumbers, *number);
    }

    void nameParameter(std::string_view value) {
        if (ProcessParameter* parameter = parameterAt(index_)) {
            parameter->number = index_;
            parameter->firstText = value;
        }
    }
    void setParameterSecondText(std::string_view value) {
        if (ProcessParameter* parameter = parameterAt(index_)) parameter->secondText = value;
    }
    void setParameterThirdText(std::string_view value) {
        if (ProcessParameter* parameter = parameterAt(index_)) parameter->thirdText = value;
    }
    ProcessParameter* parameterAt(int position) { return entryAt(tables_.ProcessParameterTable, position); }

    void addParameterValue(std::string_view value) {
        auto number = positionValue(value);
        if (!number) return;
        if (ProcessParameter* parameter = parameterAt(index_)) appendNumber(parameter->valueNumbers, *number);
    }

    void nameValue(std::string_view value) {
        if (ParameterValue* entry = entryAt(tables_.ParameterValueTable, index_)) {
            entry->number = index_;
            entry->firstText = value;
        }
    }
    void setValueSecondText(std::string_view value) {
        if (ParameterValue* entry = entryAt(tables_.ParameterValueTable, index_)) entry->secondText = value;
    }

    CatalogTables& tables_;
    CatalogChoices& choices_;
    std::string remembered_;
    unsigned rememberedGeneration_ = 1;
    // Per list: the generation of the remembered text it holds, and that text's number there.
    std::array<std::pair<unsigned, std::uint32_t>, SlotCount> rememberedText_{};
    std::int16_t index_ = 0;
    int lastGroup_ = 0;
    int lastEvent_ = 0;
    int parameterGroupsRead_ = 0;
};

}  // namespace

void ReadCatalogText(std::string_view text, CatalogTables& tables, CatalogChoices& choices) {
    tables.clear();
    CatalogParser parser(tables, choices);
    forEachLine(text, [&parser](std::string_view line) { parser.read(line); });
}

bool ReadCatalog(CatalogTables& tables, CatalogChoices& choices, CatalogContext& context) {
    tables.clear();
    std::string path =
        readPathSetting(context.settings, settings::names::CatalogPathName, defaultCatalogPath(context.programFolder));
    auto content = context.files.readFileUpTo(path, kMaxCatalogFileBytes);
    if (!content) {
        context.messages.error(platform::kApplicationTitle,
                               context.texts.text(settings::Text::CatalogFileMissing, {path}));
        return false;
    }
    ReadCatalogText(*content, tables, choices);
    return true;
}

}  // namespace kelmar::qdas
