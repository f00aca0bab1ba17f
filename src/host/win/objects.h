#pragma once
// The host interface classes over the host's IDispatch objects: every member
// one Invoke by its DISPID, nothing cached, nothing read that was not asked for.

#include <memory>
#include <string>

#include "host/host_interface.h"
#include "host/win/dispatch.h"

namespace kelmar::host::win {

class EventBinding;

class ComDimension final : public Dimension {
public:
    explicit ComDimension(DispatchObject object) : d_(std::move(object)) {}
    std::string Id() const override;
    std::string AxisText() const override;
    double Nominal() const override;
    double Measured() const override;
    double PlusTol() const override;
    double MinusTol() const override;
    double Deviation() const override;
    double OutTol() const override;
    int UnitCode() const override;
    std::string Feature1() const override;
    std::string Feature2() const override;
    std::string Feature3() const override;
    int Mode() const override;
    bool IsLocationAxis() const override;
    bool IsPositionAxis() const override;

private:
    DispatchObject d_;
};

class ComComment final : public Comment {
public:
    explicit ComComment(DispatchObject object) : d_(std::move(object)) {}
    int CommentType() const override;
    std::string Line(int i) const override;

private:
    DispatchObject d_;
};

class ComStatistics final : public Statistics {
public:
    explicit ComStatistics(DispatchObject object) : d_(std::move(object)) {}
    int State() const override;
    std::string Text() const override;

private:
    DispatchObject d_;
};

class ComTraceField final : public TraceField {
public:
    explicit ComTraceField(DispatchObject object) : d_(std::move(object)) {}
    std::string Name() const override;
    std::string Value() const override;

private:
    DispatchObject d_;
};

class ComCommand final : public Command {
public:
    explicit ComCommand(DispatchObject object) : d_(std::move(object)) {}
    int Type() const override;
    std::string Id() const override;
    bool IsDimension() const override;
    std::shared_ptr<Dimension> DimensionData() const override;
    bool IsMarked() const override;
    bool IsComment() const override;
    std::shared_ptr<Comment> GetComment() const override;
    bool IsStatistics() const override;
    std::shared_ptr<Statistics> GetStatistics() const override;
    bool IsTraceField() const override;
    std::shared_ptr<TraceField> GetTraceField() const override;
    int DecimalSetting() const override;
    int GetFieldInt(int field, int index) const override;
    FieldValue GetFieldValue(int field, int index) const override;

    IDispatch* raw() const { return d_.raw(); }

private:
    DispatchObject d_;
};

class ComCommands final : public Commands {
public:
    explicit ComCommands(DispatchObject object) : d_(std::move(object)) {}
    int Count() const override;
    // Walks the host's enumeration; reading the commands in order costs one step each.
    std::shared_ptr<Command> Item(int index) const override;
    void PrepareCommand(const Command& command) override;

private:
    DispatchObject d_;
    mutable ComRef<IEnumVARIANT> enum_;
    mutable int next_ = 1;  // the index the enumeration hands out next
};

class ComPartProgram final : public PartProgram {
public:
    explicit ComPartProgram(DispatchObject object) : d_(std::move(object)) {}
    std::string Name() const override;
    std::string FullName() const override;
    std::string PartName() const override;
    std::string Path() const override;
    std::string RevisionNumber() const override;
    std::string SerialNumber() const override;
    std::shared_ptr<Commands> GetCommands() const override;

private:
    DispatchObject d_;
};

class ComApplication final : public HostApplication {
public:
    explicit ComApplication(DispatchObject object);
    ~ComApplication() override;

    std::shared_ptr<PartProgram> ActivePartProgram() const override;
    int MajorVersion() const override;
    int MinorVersion() const override;
    bool DisplayFlag() const override;
    void SetDisplayFlag(bool on) override;
    bool AdminFlag() const override;
    // Fails with the reason when the host's events cannot be bound.
    void BindEvents(HostEventSink& sink) override;
    void UnbindEvents() override;

    // What every object of this attach shares, with the count of calls made into the host.
    ComSession& session() const { return *d_.session(); }

private:
    DispatchObject d_;
    std::unique_ptr<EventBinding> events_;
};

}  // namespace kelmar::host::win
