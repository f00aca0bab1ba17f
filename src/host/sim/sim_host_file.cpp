#include "host/sim/sim_host_file.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <nlohmann/json.hpp>
#include <utility>

namespace kelmar::host::sim {
namespace {

using nlohmann::json;

// Raised inside the reader only; parseHostFile turns it into its error text.
struct LoadError {
    std::string message;
};

std::string childPath(const std::string& parent, std::string_view key) {
    return parent.empty() ? std::string(key) : parent + "." + std::string(key);
}

std::string indexPath(const std::string& parent, std::size_t index) {
    return parent + "[" + std::to_string(index) + "]";
}

// 1-based byte position where brackets first nest deeper than limit, if they do.
// nlohmann's parser does not recurse, but anything walking the tree later might.
std::optional<std::size_t> tooDeepAt(std::string_view text, int limit) {
    int depth = 0;
    bool inString = false;
    bool escaped = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inString) {
            if (escaped)
                escaped = false;
            else if (c == '\\')
                escaped = true;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            if (++depth > limit) return i + 1;
        } else if ((c == ']' || c == '}') && depth > 0) {
            --depth;
        }
    }
    return std::nullopt;
}

// nlohmann's messages start with a "[json.exception.parse_error.101] " tag users need not see.
std::string withoutTag(std::string_view what) {
    if (!what.empty() && what.front() == '[') {
        const auto end = what.find("] ");
        if (end != std::string_view::npos) what.remove_prefix(end + 2);
    }
    return std::string(what);
}

std::string tooLarge(const std::string& fileName) {
    return "Host file " + fileName + " is larger than " + std::to_string(kMaxHostFileBytes / (1024 * 1024)) + " MiB";
}

class Reader {
public:
    Reader(std::string fileName, platform::CodePage codePage) : fileName_(std::move(fileName)), codePage_(codePage) {}

    HostModel host(const json& root) const {
        if (!root.is_object()) throw LoadError{fileName_ + ": expected a JSON object at the top level"};
        expectObject(root, "",
                     {"window", "majorVersion", "minorVersion", "adminFlag", "displayFlag", "options", "execution",
                      "activePartProgram"});
        HostModel m;
        m.window = member(root, "window", "", &Reader::boolean, true);
        m.majorVersion = member(root, "majorVersion", "", &Reader::whole, 4);
        m.minorVersion = member(root, "minorVersion", "", &Reader::whole, 3);
        m.adminFlag = member(root, "adminFlag", "", &Reader::boolean, true);
        m.displayFlag = member(root, "displayFlag", "", &Reader::boolean, true);
        m.options = member(root, "options", "", &Reader::options);
        if (const json* e = find(root, "execution")) m.execution = execution(*e, "execution");
        m.activePartProgram = member(root, "activePartProgram", "", &Reader::partProgram);
        return m;
    }

private:
    template <class T>
    using Read = T (Reader::*)(const json&, const std::string&) const;

    [[noreturn]] void fail(const std::string& path, std::string_view what) const {
        throw LoadError{fileName_ + ": member " + path + ": " + std::string(what)};
    }

    // The member's value, or nothing when it is absent or null.
    static const json* find(const json& object, std::string_view key) {
        const auto it = object.find(std::string(key));
        return it == object.end() || it->is_null() ? nullptr : &*it;
    }

    void expectObject(const json& v, const std::string& path, std::initializer_list<std::string_view> known) const {
        if (!v.is_object()) fail(path, "expected an object");
        for (const auto& item : v.items()) {
            const std::string& key = item.key();
            if (key.starts_with('_')) continue;  // notes for the reader of the file
            if (std::find(known.begin(), known.end(), key) == known.end())
                fail(childPath(path, platform::fromUtf8(key, codePage_)), "unknown member");
        }
    }

    std::optional<std::string> errorReason(const json& v, const std::string& path) const {
        if (!v.is_object() || !v.contains("error")) return std::nullopt;
        if (v.size() != 1) fail(path, "an error member holds nothing but \"error\"");
        return text(v.at("error"), childPath(path, "error"));
    }

    // One value that may be given as an error; null reads as the fallback.
    template <class T>
    Member<T> element(const json& v, const std::string& path, Read<T> read, T fallback = T{}) const {
        if (v.is_null()) return {std::move(fallback)};
        if (auto reason = errorReason(v, path)) return {std::move(fallback), std::move(reason)};
        return {(this->*read)(v, path)};
    }

    template <class T>
    Member<T> member(const json& object, std::string_view key, const std::string& parent, Read<T> read,
                     T fallback = T{}) const {
        const json* v = find(object, key);
        if (!v) return {std::move(fallback)};
        return element(*v, childPath(parent, key), read, std::move(fallback));
    }

    template <class T>
    std::optional<Member<T>> presentMember(const json& object, std::string_view key, const std::string& parent,
                                           Read<T> read) const {
        const json* v = find(object, key);
        if (!v) return std::nullopt;
        return element(*v, childPath(parent, key), read);
    }

    std::string text(const json& v, const std::string& path) const {
        if (!v.is_string()) fail(path, "expected a text");
        return platform::fromUtf8(v.get_ref<const std::string&>(), codePage_);
    }

    double number(const json& v, const std::string& path) const {
        if (!v.is_number()) fail(path, "expected a number");
        return v.get<double>();
    }

    int whole(const json& v, const std::string& path) const {
        constexpr auto lo = std::numeric_limits<int>::min();
        constexpr auto hi = std::numeric_limits<int>::max();
        if (v.is_number_unsigned()) {
            if (v.get<std::uint64_t>() <= static_cast<std::uint64_t>(hi))
                return static_cast<int>(v.get<std::uint64_t>());
        } else if (v.is_number_integer()) {
            const auto n = v.get<std::int64_t>();
            if (n >= lo && n <= hi) return static_cast<int>(n);
        } else if (v.is_number_float()) {
            const double d = v.get<double>();
            if (std::trunc(d) != d) fail(path, "expected a whole number");
            if (d >= lo && d <= hi) return static_cast<int>(d);
        } else {
            fail(path, "expected a whole number");
        }
        fail(path, "number out of range");
    }

    bool boolean(const json& v, const std::string& path) const {
        if (!v.is_boolean()) fail(path, "expected true or false");
        return v.get<bool>();
    }

    std::string optionText(const json& v, const std::string& path) const {
        if (v.is_string()) return text(v, path);
        if (v.is_number()) return v.dump();
        fail(path, "expected a text or a number");
    }

    FieldValue fieldValue(const json& v, const std::string& path) const {
        if (v.is_number()) return v.get<double>();
        if (v.is_string()) return text(v, path);
        fail(path, "expected a number or a text");
    }

    int fieldCode(const std::string& key, const std::string& path) const {
        int code = 0;
        const auto [end, ec] = std::from_chars(key.data(), key.data() + key.size(), code);
        if (key.empty() || ec != std::errc() || end != key.data() + key.size())
            fail(childPath(path, platform::fromUtf8(key, codePage_)),
                 "expected a field code (a whole number) as the name");
        return code;
    }

    std::map<std::string, Member<std::string>> options(const json& v, const std::string& path) const {
        if (!v.is_object()) fail(path, "expected an object");
        std::map<std::string, Member<std::string>> out;
        for (const auto& item : v.items()) {
            const std::string name = platform::fromUtf8(item.key(), codePage_);
            out[name] = element(item.value(), childPath(path, name), &Reader::optionText);
        }
        return out;
    }

    template <class T>
    std::map<int, Member<T>> fields(const json& v, const std::string& path, Read<T> read) const {
        if (!v.is_object()) fail(path, "expected an object");
        std::map<int, Member<T>> out;
        for (const auto& item : v.items())
            out[fieldCode(item.key(), path)] = element(item.value(), childPath(path, item.key()), read);
        return out;
    }

    std::map<int, Member<int>> fieldInts(const json& v, const std::string& path) const {
        return fields(v, path, &Reader::whole);
    }

    std::map<int, Member<FieldValue>> fieldValues(const json& v, const std::string& path) const {
        return fields(v, path, &Reader::fieldValue);
    }

    std::vector<Member<std::string>> lines(const json& v, const std::string& path) const {
        if (!v.is_array()) fail(path, "expected a list of texts");
        std::vector<Member<std::string>> out;
        out.reserve(v.size());
        for (std::size_t i = 0; i < v.size(); ++i) out.push_back(element(v[i], indexPath(path, i), &Reader::text));
        return out;
    }

    ExecutionModel execution(const json& v, const std::string& path) const {
        if (errorReason(v, path)) fail(path, "execution settings cannot be given as an error");
        expectObject(v, path, {"autoStart", "terminationType", "stopAfter", "closeAfter"});
        ExecutionModel e;
        if (const json* x = find(v, "autoStart")) e.autoStart = boolean(*x, childPath(path, "autoStart"));
        if (const json* x = find(v, "terminationType"))
            e.terminationType = whole(*x, childPath(path, "terminationType"));
        if (const json* x = find(v, "stopAfter")) {
            e.stopAfter = whole(*x, childPath(path, "stopAfter"));
            if (*e.stopAfter < 0) fail(childPath(path, "stopAfter"), "expected a count of 0 or more");
        }
        if (const json* x = find(v, "closeAfter")) e.closeAfter = boolean(*x, childPath(path, "closeAfter"));
        return e;
    }

    DimensionModel dimension(const json& v, const std::string& path) const {
        expectObject(v, path,
                     {"id", "axisText", "nominal", "measured", "plusTol", "minusTol", "deviation", "outTol", "unitCode",
                      "feature1", "feature2", "feature3", "mode", "locationAxis", "positionAxis"});
        DimensionModel d;
        d.id = member(v, "id", path, &Reader::text);
        d.axisText = member(v, "axisText", path, &Reader::text);
        d.nominal = member(v, "nominal", path, &Reader::number);
        d.measured = member(v, "measured", path, &Reader::number);
        d.plusTol = member(v, "plusTol", path, &Reader::number);
        d.minusTol = member(v, "minusTol", path, &Reader::number);
        d.deviation = member(v, "deviation", path, &Reader::number);
        d.outTol = member(v, "outTol", path, &Reader::number);
        d.unitCode = member(v, "unitCode", path, &Reader::whole);
        d.feature1 = member(v, "feature1", path, &Reader::text);
        d.feature2 = member(v, "feature2", path, &Reader::text);
        d.feature3 = member(v, "feature3", path, &Reader::text);
        d.mode = member(v, "mode", path, &Reader::whole);
        d.locationAxis = member(v, "locationAxis", path, &Reader::boolean);
        d.positionAxis = member(v, "positionAxis", path, &Reader::boolean);
        return d;
    }

    CommentModel comment(const json& v, const std::string& path) const {
        expectObject(v, path, {"commentType", "lines"});
        return {member(v, "commentType", path, &Reader::whole), member(v, "lines", path, &Reader::lines)};
    }

    StatisticsModel statistics(const json& v, const std::string& path) const {
        expectObject(v, path, {"state", "text"});
        return {member(v, "state", path, &Reader::whole), member(v, "text", path, &Reader::text)};
    }

    TraceFieldModel traceField(const json& v, const std::string& path) const {
        expectObject(v, path, {"name", "value"});
        return {member(v, "name", path, &Reader::text), member(v, "value", path, &Reader::text)};
    }

    CommandModel command(const json& v, const std::string& path) const {
        expectObject(v, path,
                     {"type", "id", "marked", "dimension", "comment", "statistics", "traceField", "decimalSetting",
                      "fieldInt", "fieldValue"});
        CommandModel c;
        c.type = member(v, "type", path, &Reader::whole);
        c.id = member(v, "id", path, &Reader::text);
        c.marked = member(v, "marked", path, &Reader::boolean);
        c.dimension = presentMember(v, "dimension", path, &Reader::dimension);
        c.comment = presentMember(v, "comment", path, &Reader::comment);
        c.statistics = presentMember(v, "statistics", path, &Reader::statistics);
        c.traceField = presentMember(v, "traceField", path, &Reader::traceField);
        c.decimalSetting = member(v, "decimalSetting", path, &Reader::whole);
        c.fieldInt = member(v, "fieldInt", path, &Reader::fieldInts);
        c.fieldValue = member(v, "fieldValue", path, &Reader::fieldValues);
        return c;
    }

    std::vector<Member<CommandModel>> commands(const json& v, const std::string& path) const {
        if (!v.is_array()) fail(path, "expected a list of commands");
        std::vector<Member<CommandModel>> out;
        out.reserve(v.size());
        // The tree is parseHostFile's own and not const; each command's part of it is freed once
        // read, so the tree and the commands are not held in full at the same time.
        auto& commandTrees = const_cast<json&>(v);
        for (std::size_t i = 0; i < v.size(); ++i) {
            out.push_back(element(v[i], indexPath(path, i), &Reader::command));
            commandTrees[i] = nullptr;
        }
        return out;
    }

    std::optional<PartProgramModel> partProgram(const json& v, const std::string& path) const {
        expectObject(v, path, {"name", "fullName", "path", "partName", "revisionNumber", "serialNumber", "commands"});
        PartProgramModel p;
        p.name = member(v, "name", path, &Reader::text);
        p.fullName = member(v, "fullName", path, &Reader::text);
        p.path = member(v, "path", path, &Reader::text);
        p.partName = member(v, "partName", path, &Reader::text);
        p.revisionNumber = member(v, "revisionNumber", path, &Reader::text);
        p.serialNumber = member(v, "serialNumber", path, &Reader::text);
        p.commands = member(v, "commands", path, &Reader::commands);
        return p;
    }

    std::string fileName_;
    platform::CodePage codePage_;
};

}  // namespace

std::optional<HostModel> parseHostFile(std::string_view text, const std::string& fileName, platform::CodePage codePage,
                                       std::string& error) {
    const std::string prefix = "Host file " + fileName;
    if (text.size() > kMaxHostFileBytes) {
        error = tooLarge(fileName);
        return std::nullopt;
    }
    if (const auto at = tooDeepAt(text, kMaxHostFileDepth)) {
        error = prefix + " nests deeper than " + std::to_string(kMaxHostFileDepth) + " levels at byte " +
                std::to_string(*at);
        return std::nullopt;
    }
    json root;
    try {
        root = json::parse(text.begin(), text.end());
    } catch (const json::parse_error& e) {
        error = prefix + " is not valid JSON at byte " + std::to_string(e.byte) + ": " +
                platform::fromUtf8(withoutTag(e.what()), codePage);
        return std::nullopt;
    } catch (const json::exception& e) {  // e.g. a number too large for a double
        error = prefix + " is not valid JSON: " + platform::fromUtf8(withoutTag(e.what()), codePage);
        return std::nullopt;
    }
    try {
        return Reader(fileName, codePage).host(root);
    } catch (const LoadError& e) {
        error = e.message;
        return std::nullopt;
    }
}

std::optional<HostModel> loadHostFile(platform::FileSystem& files, const std::string& path, platform::CodePage codePage,
                                      std::string& error) {
    const auto text = files.readFileUpTo(path, kMaxHostFileBytes);
    if (!text) {
        const auto size = files.fileSize(path);
        if (size && *size > kMaxHostFileBytes) {
            error = tooLarge(path);
            return std::nullopt;
        }
        error = "Host file " + path + (files.fileExists(path) ? " cannot be read" : " does not exist");
        return std::nullopt;
    }
    return parseHostFile(*text, path, codePage, error);
}

}  // namespace kelmar::host::sim
