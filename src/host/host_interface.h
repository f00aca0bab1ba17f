#pragma once
// The host's automation objects as the converter sees them. The simulated host
// and, on Windows, the COM adapter implement these classes.

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <variant>

namespace kelmar::host {

// A host call that failed. Thrown inside the host layer only; callers catch it
// where a failed step is ignored or reported.
class HostError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Dimension {
public:
    virtual ~Dimension() = default;
    virtual std::string Id() const = 0;
    virtual std::string AxisText() const = 0;
    virtual double Nominal() const = 0;
    virtual double Measured() const = 0;
    virtual double PlusTol() const = 0;
    virtual double MinusTol() const = 0;
    virtual double Deviation() const = 0;
    virtual double OutTol() const = 0;
    virtual int UnitCode() const = 0;  // 0 inch, 1 mm
    virtual std::string Feature1() const = 0;
    virtual std::string Feature2() const = 0;
    virtual std::string Feature3() const = 0;
    virtual int Mode() const = 0;
    virtual bool IsLocationAxis() const = 0;
    virtual bool IsPositionAxis() const = 0;
};

class Comment {
public:
    virtual ~Comment() = default;
    virtual int CommentType() const = 0;
    // Line i, 1-based; lines past the last one read as empty.
    virtual std::string Line(int i) const = 0;
};

class Statistics {
public:
    virtual ~Statistics() = default;
    virtual int State() const = 0;  // 0 off, 1 on, 2 transfer
    virtual std::string Text() const = 0;
};

class TraceField {
public:
    virtual ~TraceField() = default;
    virtual std::string Name() const = 0;
    virtual std::string Value() const = 0;
};

// GetFieldValue answers a number or a text, depending on the field.
using FieldValue = std::variant<double, std::string>;

class Command {
public:
    virtual ~Command() = default;
    virtual int Type() const = 0;
    virtual std::string Id() const = 0;
    virtual bool IsDimension() const = 0;
    virtual std::shared_ptr<Dimension> DimensionData() const = 0;
    virtual bool IsMarked() const = 0;
    virtual bool IsComment() const = 0;
    virtual std::shared_ptr<Comment> GetComment() const = 0;
    virtual bool IsStatistics() const = 0;
    virtual std::shared_ptr<Statistics> GetStatistics() const = 0;
    virtual bool IsTraceField() const = 0;
    virtual std::shared_ptr<TraceField> GetTraceField() const = 0;
    // Member [2] of the DecimalSetting object of a kind-114 command.
    virtual int DecimalSetting() const = 0;
    virtual int GetFieldInt(int field, int index) const = 0;
    virtual FieldValue GetFieldValue(int field, int index) const = 0;
};

class Commands {
public:
    virtual ~Commands() = default;
    virtual int Count() const = 0;
    // 1-based, as the host's enumeration hands them out.
    virtual std::shared_ptr<Command> Item(int index) const = 0;
    virtual void PrepareCommand(const Command& command) = 0;
};

class PartProgram {
public:
    virtual ~PartProgram() = default;
    virtual std::string Name() const = 0;
    virtual std::string FullName() const = 0;
    virtual std::string PartName() const = 0;
    virtual std::string Path() const = 0;
    virtual std::string RevisionNumber() const = 0;
    virtual std::string SerialNumber() const = 0;
    virtual std::shared_ptr<Commands> GetCommands() const = 0;
};

// The converter's side of ApplicationEvents. Handlers run on the UI thread.
class HostEventSink {
public:
    virtual ~HostEventSink() = default;
    virtual void OnObjectExecuted(PartProgram& partProgram, Command& command) = 0;
    virtual void OnEndExecution(PartProgram& partProgram, int terminationType) = 0;
    virtual void OnClosePartProgram() = 0;
};

class HostApplication {
public:
    virtual ~HostApplication() = default;
    // Empty when the host has no part program loaded.
    virtual std::shared_ptr<PartProgram> ActivePartProgram() const = 0;
    virtual int MajorVersion() const = 0;
    virtual int MinorVersion() const = 0;
    virtual bool DisplayFlag() const = 0;
    virtual void SetDisplayFlag(bool on) = 0;
    virtual bool AdminFlag() const = 0;
    // Binding ApplicationEvents; one sink at a time, unbind is harmless when unbound.
    virtual void BindEvents(HostEventSink& sink) = 0;
    virtual void UnbindEvents() = 0;
};

// How the converter finds a running host: the window test, the running
// application object and the host's own options (kept outside the object).
class HostLocator {
public:
    virtual ~HostLocator() = default;
    virtual bool HostWindowExists() const = 0;
    // Throws HostError when no application object can be obtained.
    virtual std::shared_ptr<HostApplication> GetApplication() = 0;
    // A host option such as "DimensionDecimalPlaces"; empty when not set.
    virtual std::optional<std::string> ReadOption(const std::string& name) const = 0;
};

}  // namespace kelmar::host
