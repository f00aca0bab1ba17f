#pragma once
// The texts of catalog list entries, and reading numbers back out of them.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelmar::qdas {

// "Mill 3  Bay 2  (12)": an entry of comboMaschine, comboPrüfmittel, comboPruefer, comboNest and lstEvents.
std::string catalogEntryText(std::string_view firstText, std::string_view secondText, int number);

// Entries of the form above. Each text is held once however many entries repeat it (a
// remembered first text, the texts of an event a group lists again and again), so a list
// costs the length of its texts plus its count of entries, not their product.
class CatalogEntryList {
public:
    // Holds a text for entries to name; its number in the list's texts.
    std::uint32_t addText(std::string_view text);
    // The number of the text added last; addText must have been called once.
    std::uint32_t lastText() const { return static_cast<std::uint32_t>(texts_.size() - 1); }
    void add(std::uint32_t firstText, std::uint32_t secondText, int number);

    std::size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    // The text of entry i.
    std::string operator[](std::size_t i) const;
    std::string front() const { return (*this)[0]; }
    std::string back() const { return (*this)[size() - 1]; }
    // The texts of every entry, in list order.
    std::vector<std::string> all() const;
    // The bytes of the texts held: what the list costs beside its count of entries.
    std::size_t textBytes() const;

    friend bool operator==(const CatalogEntryList& list, const std::vector<std::string>& texts) {
        return list.all() == texts;
    }

private:
    struct Entry {
        std::uint32_t first, second;
        int number;
    };
    std::vector<std::string> texts_;
    std::vector<Entry> entries_;
};

// "1  Setup": an entry of lstKatalog.
std::string eventGroupEntryText(int number, std::string_view text);

// The catalog number of a list entry, what follows its last "("; 0 for an empty entry or one without a number.
std::int16_t ExtractCatalogNumber(std::string_view text);

// The number an entry starts with, the characters before its first space ("3   Speed" gives 3);
// nothing when they are no catalog number.
std::optional<std::int16_t> leadingCatalogNumber(std::string_view entry);

}  // namespace kelmar::qdas
