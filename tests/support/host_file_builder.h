#pragma once
// Host files for tests: part program members, commands in order, members
// given as errors and execution settings, written out as JSON text.
//
//   HostFileBuilder b;
//   b.dimension(1100, "DIM1").nominal(10).measured(10.004).plusTol(0.05).minusTol(0.05);
//   b.traceField("K2001", "Bore");
//   auto host = makeSimHost(b);

#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/sim/sim_host.h"
#include "platform/code_page.h"

namespace kelmar::test {

class HostFileBuilder;

// One command of a builder. Setters write the member they name, whatever the
// command's kind: nominal() on any command gives it a "dimension" member.
class CommandRef {
public:
    CommandRef& id(const std::string& id);
    CommandRef& type(int type);
    CommandRef& marked(bool on = true);

    // Dimension members. Unless set, "deviation" is measured - nominal and
    // "outTol" the signed amount beyond plusTol / minusTol.
    CommandRef& dimensionId(const std::string& id);
    CommandRef& axisText(const std::string& text);
    CommandRef& nominal(double value);
    CommandRef& measured(double value);
    CommandRef& plusTol(double value);
    CommandRef& minusTol(double value);
    CommandRef& tol(double plus, double minus);
    CommandRef& deviation(double value);
    CommandRef& outTol(double value);
    CommandRef& unitCode(int code);
    CommandRef& inch() { return unitCode(0); }
    CommandRef& features(const std::string& f1, const std::string& f2 = "", const std::string& f3 = "");
    CommandRef& mode(int mode);
    CommandRef& locationAxis(bool on = true);
    CommandRef& positionAxis(bool on = true);

    // Typed fields of a kind-184 command.
    CommandRef& fieldInt(int field, int value);
    CommandRef& fieldValue(int field, double value);
    CommandRef& fieldValue(int field, const std::string& text);
    CommandRef& fieldValue(int field, const char* text) { return fieldValue(field, std::string(text)); }

    // Gives a member under the command ("dimension.nominal", "fieldInt.165";
    // "" is the whole command) as { "error": reason }.
    CommandRef& error(const std::string& member, const std::string& reason);
    // Sets a member under the command to raw JSON text, for wrong-type cases.
    CommandRef& raw(const std::string& member, const std::string& jsonText);

    // 1-based position, as Commands::Item counts.
    int index() const { return static_cast<int>(slot_) + 1; }

private:
    friend class HostFileBuilder;
    CommandRef(HostFileBuilder& builder, std::size_t slot) : builder_(&builder), slot_(slot) {}
    template <class V>
    CommandRef& put(const std::string& member, const V& value);

    HostFileBuilder* builder_;
    std::size_t slot_;
};

class HostFileBuilder {
public:
    // A host with a part program "TESTPART" (fullName, part name, revision "A",
    // serial "1" set, path empty) and no commands.
    HostFileBuilder();
    ~HostFileBuilder();
    HostFileBuilder(const HostFileBuilder& other);
    HostFileBuilder& operator=(const HostFileBuilder& other);

    HostFileBuilder& window(bool present);
    HostFileBuilder& versions(int major, int minor);
    HostFileBuilder& adminFlag(bool on);
    HostFileBuilder& displayFlag(bool on);
    HostFileBuilder& option(const std::string& name, const std::string& value);
    HostFileBuilder& option(const std::string& name, int value);

    // Execution settings; any of them creates the "execution" member.
    HostFileBuilder& autoStart(bool on = true);
    HostFileBuilder& terminationType(int type);
    HostFileBuilder& stopAfter(int commands);
    HostFileBuilder& closeAfter(bool on = true);

    // "activePartProgram": null.
    HostFileBuilder& noPartProgram();
    HostFileBuilder& programName(const std::string& name);
    HostFileBuilder& fullName(const std::string& name);
    HostFileBuilder& path(const std::string& folder);
    HostFileBuilder& partName(const std::string& name);
    HostFileBuilder& revisionNumber(const std::string& revision);
    HostFileBuilder& serialNumber(const std::string& serial);

    // Commands, appended in order. dimension() sets its id on the command and
    // the dimension and unitCode 1 (mm; inch() for 0). Kinds 1300, 1400 and
    // 1500 are used for comments, statistics and trace fields; see type().
    CommandRef dimension(int type, const std::string& id);
    CommandRef comment(int commentType, const std::vector<std::string>& lines);
    CommandRef statistics(int state, const std::string& text = "");
    CommandRef traceField(const std::string& name, const std::string& value);
    CommandRef decimalSetting(int places);  // kind 114
    CommandRef kind184(const std::string& id);
    CommandRef command(int type, const std::string& id = "");
    // An existing command, 1-based.
    CommandRef at(int index);
    int commandCount() const;

    // Any member by dotted path ("adminFlag", "activePartProgram.commands",
    // "options.DimensionDecimalPlaces") as { "error": reason } or as raw JSON text.
    HostFileBuilder& error(const std::string& member, const std::string& reason);
    HostFileBuilder& raw(const std::string& member, const std::string& jsonText);

    // The host file text.
    std::string json() const;
    // Writes json() to a file; false when it cannot be written.
    bool save(const std::string& filePath) const;

private:
    friend class CommandRef;
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// A queue standing in for the event loop: the host posts, the test drains.
class PostQueue {
public:
    host::sim::Poster poster();
    std::size_t pending() const { return calls_.size(); }
    // Runs queued calls, also those they queue, until none is left; returns how many ran.
    std::size_t drain();

private:
    std::deque<std::function<void()>> calls_;
};

// A simulated host from the builder's text; throws std::runtime_error with the load error.
std::unique_ptr<host::sim::SimHostLocator> makeSimHost(const HostFileBuilder& builder, host::sim::Poster post = {},
                                                       platform::CodePage codePage = platform::CodePage::Windows1252);

}  // namespace kelmar::test
