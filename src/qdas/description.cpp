#include "qdas/description.h"

#include <string_view>

#include "platform/text.h"
#include "qdas/written_characteristics.h"
#include "settings/settings_store.h"

namespace kelmar::qdas {
namespace {

namespace field = capture::field;
using capture::Characteristic;
using capture::QdasDataRecord;

constexpr std::string_view kMissingComment = "Kommentar mit Merkmalsbezeichnung fehlt im Messprogramm";
constexpr std::size_t kCommentLength = 80;

// PartQdasData fields of the header: K1007 to K1900 without index, the rest with index 0.
constexpr int kFirstPartField = field::K1007, kLastPartField = field::K1900;
constexpr int kAllCharacteristicFields[] = {field::K2320, field::K2401, field::K2402,
                                            field::K2404, field::K8500, field::K8501};

bool blank(const std::string& text) { return text.find_first_not_of(' ') == std::string::npos; }

void writeHeader(const capture::RunData& run, int blocks, const PartCaptions& captions, QdasLines& out) {
    const QdasDataRecord& part = partData(run);
    out.add("K0100", std::to_string(blocks));
    out.add("K1001", captions.serialNumber);
    out.add("K1002", captions.partName);
    out.add("K1004", captions.revisionNumber);
    for (int f = kFirstPartField; f <= kLastPartField; ++f)
        if (!blank(part.fields[f])) out.add(QdasDataRecord::keyOf(f), part.fields[f]);
    out.add("K2004", 0, "0");
    out.add("K2060", 0, "0");
    out.add("K2061", 0, "0");
    for (int f : kAllCharacteristicFields)
        if (!blank(part.fields[f])) out.add(QdasDataRecord::keyOf(f), 0, part.fields[f]);
}

void addNonZero(QdasLines& out, std::string_view key, int n, int value) {
    if (value != 0) out.add(key, n, std::to_string(value));
}

// scratch keeps its room from one block to the next: a large run would otherwise allocate for each.
void writeBlock(capture::RunData& run, int i, int n, const DescriptionOptions& options, std::string& scratch,
                QdasLines& out) {
    const Characteristic& c = run.CharacteristicTable[i];
    const QdasDataRecord& own = characteristicData(run, i);
    const QdasDataRecord& part = partData(run);
    out.add("K2001", n, characteristicNumberText(c, i - n, options));
    characteristicDescription(run, c, options, scratch);
    out.add("K2002", n, scratch);
    out.add("K2005", n, ownOrPart(own, part, field::K2005));
    if (const std::string& k2006 = ownOrPart(own, part, field::K2006); !k2006.empty()) out.add("K2006", n, k2006);
    if (options.useQPos) {
        if (c.GroupType == 2) out.add("K2008", n, "2");
        addNonZero(out, "K2030", n, c.GroupNumber);
        addNonZero(out, "K2031", n, c.MemberOfGroup);
    }
    out.add("K2022", n, c.Decimals);
    if (!own.fields[field::K2060].empty()) out.add("K2060", n, "0");
    out.add("K2101", n, c.Nom);
    out.add("K2110", n, c.LSL);
    out.add("K2111", n, c.USL);
    out.add("K2112", n, c.LTol);
    out.add("K2113", n, c.UTol);
    out.add("K2120", n, c.LowerNatural ? "2" : "1");
    out.add("K2121", n, "1");
    out.add("K2142", n, c.Unit);
    if (!own.fields[field::K2404].empty()) out.add("K2404", n, own.fields[field::K2404]);
    if (!options.commentNaming && c.CommentBlockIndex != 0) out.add("K2900", n, commentOf(run, c));
}

// The parts of Name before and after its first "."; a Name without one is both.
std::string_view beforeFirstDot(const std::string& name) {
    std::size_t dot = name.find('.');
    return dot == std::string::npos ? std::string_view(name) : std::string_view(name).substr(0, dot);
}

std::string_view afterFirstDot(const std::string& name) {
    std::size_t dot = name.find('.');
    return dot == std::string::npos ? std::string_view(name) : std::string_view(name).substr(dot + 1);
}

}  // namespace

void WriteDescription(capture::RunData& run, const std::vector<int>& written, const PartCaptions& captions,
                      const DescriptionOptions& options, QdasLines& out) {
    writeHeader(run, static_cast<int>(written.size()), captions, out);
    int n = 0;
    std::string scratch;
    for (std::size_t k = 0; k < written.size(); ++k) {
        if (k + kPrefetchAhead < written.size())
            prefetchFields(run, written[k + kPrefetchAhead], {field::K2005, field::K2006, field::K2060, field::K2404});
        if (written[k] >= 1 && written[k] <= run.CharacteristicCount())
            writeBlock(run, written[k], ++n, options, scratch, out);
    }
}

std::string characteristicNumberText(const Characteristic& characteristic, int skipCount,
                                     const DescriptionOptions& options) {
    if (options.axisLetter) return std::string(beforeFirstDot(characteristic.Name));
    if (options.counterNumbering) {
        // Number is always decimal text from the capture; anything else is written as it stands.
        if (auto number = settings::parseWholeNumber(characteristic.Number))
            return std::to_string(static_cast<long long>(*number) - skipCount);
        return characteristic.Number;
    }
    return characteristic.Name;
}

void characteristicDescription(capture::RunData& run, const Characteristic& characteristic,
                               const DescriptionOptions& options, std::string& text) {
    if (options.axisLetter || !options.commentNaming) {
        text.assign(options.axisLetter ? afterFirstDot(characteristic.Name) : std::string_view(characteristic.Name));
        appendFeatureIdentifiers(characteristic, text);
        return;
    }
    capture::CommentBlock* block = run.commentBlock(characteristic.CommentBlockIndex);
    text = processedComment(block ? (*block)[1] : std::string());
    // Written back so that the main window and the next run show the name the file carries.
    if (block) (*block)[1] = text;
}

std::string processedComment(const std::string& comment) {
    std::string text = comment.starts_with("<<") ? platform::trimBlanks(std::string_view(comment).substr(2)) : comment;
    if (blank(text)) text = kMissingComment;
    if (text.size() > kCommentLength) text.resize(kCommentLength);
    return text;
}

void appendFeatureIdentifiers(const Characteristic& characteristic, std::string& text) {
    for (const std::string* feature : {&characteristic.Feat1, &characteristic.Feat2, &characteristic.Feat3}) {
        if (feature->empty()) break;
        text += '.';
        text += *feature;
    }
}

}  // namespace kelmar::qdas
