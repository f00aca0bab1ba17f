#pragma once
// The host file of the simulated host, read into plain structs. Every member
// the host would answer can also be given as { "error": "reason" }; such a
// member keeps its reason and fails when the simulated host reads it.

#include <cstddef>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/host_interface.h"
#include "platform/code_page.h"
#include "platform/file_system.h"

namespace kelmar::host::sim {

// One member of the host file: its value, or the reason reading it fails.
template <class T>
struct Member {
    T value{};
    std::optional<std::string> error;

    Member() = default;
    Member(T v) : value(std::move(v)) {}  // NOLINT: implicit, so defaults read as plain values
    Member(T v, std::optional<std::string> reason) : value(std::move(v)), error(std::move(reason)) {}

    // The value; throws HostError with the file's reason for an error member.
    const T& get() const {
        if (error) throw HostError(*error);
        return value;
    }
};

// An optional member held on the heap: a command is of one kind at most, so the
// kinds it is not cost a pointer each instead of their whole size.
template <class T>
class Boxed {
public:
    Boxed() = default;
    Boxed(std::optional<T> value) : box_(value ? std::make_unique<T>(std::move(*value)) : nullptr) {}  // NOLINT
    Boxed(T value) : box_(std::make_unique<T>(std::move(value))) {}                                  // NOLINT
    Boxed(const Boxed& other) : box_(other.box_ ? std::make_unique<T>(*other.box_) : nullptr) {}
    Boxed(Boxed&&) noexcept = default;
    Boxed& operator=(Boxed other) noexcept {
        box_ = std::move(other.box_);
        return *this;
    }

    bool has_value() const { return box_ != nullptr; }
    explicit operator bool() const { return has_value(); }
    T& operator*() const { return *box_; }
    T* operator->() const { return box_.get(); }

private:
    std::unique_ptr<T> box_;
};

struct DimensionModel {
    Member<std::string> id;
    Member<std::string> axisText;
    Member<double> nominal;
    Member<double> measured;
    Member<double> plusTol;
    Member<double> minusTol;
    Member<double> deviation;
    Member<double> outTol;
    Member<int> unitCode;
    Member<std::string> feature1;
    Member<std::string> feature2;
    Member<std::string> feature3;
    Member<int> mode;
    Member<bool> locationAxis;
    Member<bool> positionAxis;
};

struct CommentModel {
    Member<int> commentType;
    Member<std::vector<Member<std::string>>> lines;
};

struct StatisticsModel {
    Member<int> state;
    Member<std::string> text;
};

struct TraceFieldModel {
    Member<std::string> name;
    Member<std::string> value;
};

struct CommandModel {
    Member<int> type;
    Member<std::string> id;
    Member<bool> marked;
    // Present exactly when the file gives the member; that makes the command of that kind.
    Boxed<Member<DimensionModel>> dimension;
    Boxed<Member<CommentModel>> comment;
    Boxed<Member<StatisticsModel>> statistics;
    Boxed<Member<TraceFieldModel>> traceField;
    Member<int> decimalSetting;
    Member<std::map<int, Member<int>>> fieldInt;
    Member<std::map<int, Member<FieldValue>>> fieldValue;
};

struct PartProgramModel {
    Member<std::string> name;
    Member<std::string> fullName;
    Member<std::string> path;
    Member<std::string> partName;
    Member<std::string> revisionNumber;
    Member<std::string> serialNumber;
    Member<std::vector<Member<CommandModel>>> commands;
};

// How the simulated host runs the part program; not a host member, so no error form.
struct ExecutionModel {
    bool autoStart = false;
    int terminationType = 1;
    std::optional<int> stopAfter;  // run only the first n commands
    bool closeAfter = false;
};

struct HostModel {
    // An error here means the window is found but the application object cannot be had.
    Member<bool> window{true};
    Member<int> majorVersion{4};
    Member<int> minorVersion{3};
    Member<bool> adminFlag{true};
    Member<bool> displayFlag{true};
    Member<std::map<std::string, Member<std::string>>> options;
    std::optional<ExecutionModel> execution;
    // Empty when the host runs without a part program.
    Member<std::optional<PartProgramModel>> activePartProgram;
};

// Deeper JSON than this is refused before parsing, so hostile input cannot exhaust the stack.
inline constexpr int kMaxHostFileDepth = 64;
// Larger texts are refused; a real part program stays far below this.
inline constexpr std::size_t kMaxHostFileBytes = 32u * 1024u * 1024u;

// Parses host-file text (UTF-8 JSON); on failure returns nothing and sets error to a message naming fileName.
std::optional<HostModel> parseHostFile(std::string_view json, const std::string& fileName, platform::CodePage codePage,
                                       std::string& error);

// Reads the host file at path through the file-system port and parses it.
std::optional<HostModel> loadHostFile(platform::FileSystem& files, const std::string& path, platform::CodePage codePage,
                                      std::string& error);

}  // namespace kelmar::host::sim
