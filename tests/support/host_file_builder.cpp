#include "support/host_file_builder.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <nlohmann/json.hpp>
#include <stdexcept>

namespace kelmar::test {

using Json = nlohmann::json;

namespace {

Json errorForm(const std::string& reason) { return Json{{"error", reason}}; }

// The node at a dotted path under root, made (as objects) where missing.
Json& nodeAt(Json& root, const std::string& path) {
    Json* node = &root;
    std::size_t start = 0;
    while (start <= path.size() && !path.empty()) {
        const std::size_t dot = std::min(path.find('.', start), path.size());
        if (!node->is_object()) *node = Json::object();
        node = &(*node)[path.substr(start, dot - start)];
        start = dot + 1;
    }
    return *node;
}

// Keeps the JSON short: 10.004 - 10 would otherwise print as 0.003999999999999559.
double tidy(double x) { return std::round(x * 1e9) / 1e9; }

double numberOr(const Json& object, const char* key) {
    const auto it = object.find(key);
    return it != object.end() && it->is_number() ? it->get<double>() : 0.0;
}

// Fills the deviation and out-of-tolerance values a test left unset.
void completeDimension(Json& command) {
    if (!command.is_object() || !command.contains("dimension")) return;
    Json& d = command["dimension"];
    if (!d.is_object() || d.contains("error")) return;
    const double dev = tidy(numberOr(d, "measured") - numberOr(d, "nominal"));
    if (!d.contains("deviation")) d["deviation"] = dev;
    if (!d.contains("outTol")) {
        const double plus = numberOr(d, "plusTol");
        const double minus = numberOr(d, "minusTol");
        d["outTol"] = dev > plus ? tidy(dev - plus) : dev < -minus ? tidy(dev + minus) : 0.0;
    }
}

}  // namespace

struct HostFileBuilder::Impl {
    Json doc = Json::object();
    std::vector<Json> commands;
    bool noPartProgram = false;

    Json& program() { return doc["activePartProgram"]; }
};

HostFileBuilder::HostFileBuilder() : impl_(std::make_unique<Impl>()) {
    impl_->program() = {{"name", "TESTPART"},
                        {"fullName", "C:\\Programs\\TESTPART.PRG"},
                        {"path", ""},
                        {"partName", "TESTPART"},
                        {"revisionNumber", "A"},
                        {"serialNumber", "1"}};
}

HostFileBuilder::~HostFileBuilder() = default;

HostFileBuilder::HostFileBuilder(const HostFileBuilder& other) : impl_(std::make_unique<Impl>(*other.impl_)) {}

HostFileBuilder& HostFileBuilder::operator=(const HostFileBuilder& other) {
    if (this != &other) impl_ = std::make_unique<Impl>(*other.impl_);
    return *this;
}

HostFileBuilder& HostFileBuilder::window(bool present) { return impl_->doc["window"] = present, *this; }

HostFileBuilder& HostFileBuilder::versions(int major, int minor) {
    impl_->doc["majorVersion"] = major;
    impl_->doc["minorVersion"] = minor;
    return *this;
}

HostFileBuilder& HostFileBuilder::adminFlag(bool on) { return impl_->doc["adminFlag"] = on, *this; }
HostFileBuilder& HostFileBuilder::displayFlag(bool on) { return impl_->doc["displayFlag"] = on, *this; }

HostFileBuilder& HostFileBuilder::option(const std::string& name, const std::string& value) {
    return impl_->doc["options"][name] = value, *this;
}

HostFileBuilder& HostFileBuilder::option(const std::string& name, int value) {
    return impl_->doc["options"][name] = value, *this;
}

HostFileBuilder& HostFileBuilder::autoStart(bool on) { return impl_->doc["execution"]["autoStart"] = on, *this; }

HostFileBuilder& HostFileBuilder::terminationType(int type) {
    return impl_->doc["execution"]["terminationType"] = type, *this;
}

HostFileBuilder& HostFileBuilder::stopAfter(int commands) {
    return impl_->doc["execution"]["stopAfter"] = commands, *this;
}

HostFileBuilder& HostFileBuilder::closeAfter(bool on) { return impl_->doc["execution"]["closeAfter"] = on, *this; }

HostFileBuilder& HostFileBuilder::noPartProgram() { return impl_->noPartProgram = true, *this; }
HostFileBuilder& HostFileBuilder::programName(const std::string& v) { return impl_->program()["name"] = v, *this; }
HostFileBuilder& HostFileBuilder::fullName(const std::string& v) { return impl_->program()["fullName"] = v, *this; }
HostFileBuilder& HostFileBuilder::path(const std::string& v) { return impl_->program()["path"] = v, *this; }
HostFileBuilder& HostFileBuilder::partName(const std::string& v) { return impl_->program()["partName"] = v, *this; }

HostFileBuilder& HostFileBuilder::revisionNumber(const std::string& v) {
    return impl_->program()["revisionNumber"] = v, *this;
}

HostFileBuilder& HostFileBuilder::serialNumber(const std::string& v) {
    return impl_->program()["serialNumber"] = v, *this;
}

CommandRef HostFileBuilder::command(int type, const std::string& id) {
    Json c = {{"type", type}};
    if (!id.empty()) c["id"] = id;
    impl_->commands.push_back(std::move(c));
    return CommandRef(*this, impl_->commands.size() - 1);
}

CommandRef HostFileBuilder::dimension(int type, const std::string& id) {
    CommandRef c = command(type, id);
    impl_->commands.back()["dimension"] = {{"id", id}, {"unitCode", 1}};
    return c;
}

CommandRef HostFileBuilder::comment(int commentType, const std::vector<std::string>& lines) {
    CommandRef c = command(1300);
    impl_->commands.back()["comment"] = {{"commentType", commentType}, {"lines", lines}};
    return c;
}

CommandRef HostFileBuilder::statistics(int state, const std::string& text) {
    CommandRef c = command(1400);
    impl_->commands.back()["statistics"] = {{"state", state}, {"text", text}};
    return c;
}

CommandRef HostFileBuilder::traceField(const std::string& name, const std::string& value) {
    CommandRef c = command(1500);
    impl_->commands.back()["traceField"] = {{"name", name}, {"value", value}};
    return c;
}

CommandRef HostFileBuilder::decimalSetting(int places) {
    CommandRef c = command(114);
    impl_->commands.back()["decimalSetting"] = places;
    return c;
}

CommandRef HostFileBuilder::kind184(const std::string& id) { return command(184, id); }

CommandRef HostFileBuilder::at(int index) {
    if (index < 1 || index > commandCount()) throw std::out_of_range("no command " + std::to_string(index));
    return CommandRef(*this, static_cast<std::size_t>(index) - 1);
}

int HostFileBuilder::commandCount() const { return static_cast<int>(impl_->commands.size()); }

HostFileBuilder& HostFileBuilder::error(const std::string& member, const std::string& reason) {
    return nodeAt(impl_->doc, member) = errorForm(reason), *this;
}

HostFileBuilder& HostFileBuilder::raw(const std::string& member, const std::string& jsonText) {
    return nodeAt(impl_->doc, member) = Json::parse(jsonText), *this;
}

std::string HostFileBuilder::json() const {
    Json doc = impl_->doc;
    if (impl_->noPartProgram) {
        doc["activePartProgram"] = nullptr;
    } else if (Json& p = doc["activePartProgram"]; p.is_object() && !p.contains("error") && !p.contains("commands")) {
        Json list = Json::array();
        for (Json c : impl_->commands) {
            completeDimension(c);
            list.push_back(std::move(c));
        }
        p["commands"] = std::move(list);
    }
    return doc.dump(2);
}

bool HostFileBuilder::save(const std::string& filePath) const {
    std::ofstream out(filePath, std::ios::binary | std::ios::trunc);
    out << json();
    out.close();
    return static_cast<bool>(out);
}

template <class V>
CommandRef& CommandRef::put(const std::string& member, const V& value) {
    nodeAt(builder_->impl_->commands.at(slot_), member) = value;
    return *this;
}

CommandRef& CommandRef::id(const std::string& v) { return put("id", v); }
CommandRef& CommandRef::type(int v) { return put("type", v); }
CommandRef& CommandRef::marked(bool on) { return put("marked", on); }
CommandRef& CommandRef::dimensionId(const std::string& v) { return put("dimension.id", v); }
CommandRef& CommandRef::axisText(const std::string& v) { return put("dimension.axisText", v); }
CommandRef& CommandRef::nominal(double v) { return put("dimension.nominal", v); }
CommandRef& CommandRef::measured(double v) { return put("dimension.measured", v); }
CommandRef& CommandRef::plusTol(double v) { return put("dimension.plusTol", v); }
CommandRef& CommandRef::minusTol(double v) { return put("dimension.minusTol", v); }
CommandRef& CommandRef::tol(double plus, double minus) { return plusTol(plus).minusTol(minus); }
CommandRef& CommandRef::deviation(double v) { return put("dimension.deviation", v); }
CommandRef& CommandRef::outTol(double v) { return put("dimension.outTol", v); }
CommandRef& CommandRef::unitCode(int code) { return put("dimension.unitCode", code); }
CommandRef& CommandRef::mode(int v) { return put("dimension.mode", v); }
CommandRef& CommandRef::locationAxis(bool on) { return put("dimension.locationAxis", on); }
CommandRef& CommandRef::positionAxis(bool on) { return put("dimension.positionAxis", on); }

CommandRef& CommandRef::features(const std::string& f1, const std::string& f2, const std::string& f3) {
    return put("dimension.feature1", f1).put("dimension.feature2", f2).put("dimension.feature3", f3);
}

CommandRef& CommandRef::fieldInt(int field, int v) { return put("fieldInt." + std::to_string(field), v); }
CommandRef& CommandRef::fieldValue(int field, double v) { return put("fieldValue." + std::to_string(field), v); }

CommandRef& CommandRef::fieldValue(int field, const std::string& text) {
    return put("fieldValue." + std::to_string(field), text);
}

CommandRef& CommandRef::error(const std::string& member, const std::string& reason) {
    return put(member, errorForm(reason));
}

CommandRef& CommandRef::raw(const std::string& member, const std::string& jsonText) {
    return put(member, Json::parse(jsonText));
}

host::sim::Poster PostQueue::poster() {
    return [this](std::function<void()> call) { calls_.push_back(std::move(call)); };
}

std::size_t PostQueue::drain() {
    // A call that keeps posting itself would never end; no test needs more than this.
    constexpr std::size_t limit = 100000;
    std::size_t ran = 0;
    while (!calls_.empty() && ran < limit) {
        auto call = std::move(calls_.front());
        calls_.pop_front();
        call();
        ++ran;
    }
    return ran;
}

std::unique_ptr<host::sim::SimHostLocator> makeSimHost(const HostFileBuilder& builder, host::sim::Poster post,
                                                       platform::CodePage codePage) {
    std::string error;
    auto model = host::sim::parseHostFile(builder.json(), "builder.json", codePage, error);
    if (!model) throw std::runtime_error(error);
    return std::make_unique<host::sim::SimHostLocator>(std::move(*model), std::move(post));
}

}  // namespace kelmar::test
