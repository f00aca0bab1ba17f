#pragma once
// The simulated host: the automation objects of host_interface.h answered
// from a host file's model, and an execution that calls the bound event sink.

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "host/host_interface.h"
#include "host/sim/sim_host_file.h"

namespace kelmar::host::sim {

// Queues a call on the event loop: the app passes a Qt queued call, tests a queue they drain.
using Poster = std::function<void(std::function<void()>)>;

class SimDimension : public Dimension {
public:
    explicit SimDimension(DimensionModel model) : m_(std::move(model)) {}
    std::string Id() const override { return m_.id.get(); }
    std::string AxisText() const override { return m_.axisText.get(); }
    double Nominal() const override { return m_.nominal.get(); }
    double Measured() const override { return m_.measured.get(); }
    double PlusTol() const override { return m_.plusTol.get(); }
    double MinusTol() const override { return m_.minusTol.get(); }
    double Deviation() const override { return m_.deviation.get(); }
    double OutTol() const override { return m_.outTol.get(); }
    int UnitCode() const override { return m_.unitCode.get(); }
    std::string Feature1() const override { return m_.feature1.get(); }
    std::string Feature2() const override { return m_.feature2.get(); }
    std::string Feature3() const override { return m_.feature3.get(); }
    int Mode() const override { return m_.mode.get(); }
    bool IsLocationAxis() const override { return m_.locationAxis.get(); }
    bool IsPositionAxis() const override { return m_.positionAxis.get(); }

private:
    DimensionModel m_;
};

class SimComment : public Comment {
public:
    explicit SimComment(CommentModel model) : m_(std::move(model)) {}
    int CommentType() const override { return m_.commentType.get(); }
    // Line i, 1-based; past the last line it is empty, below 1 it is a failed call.
    std::string Line(int i) const override;

private:
    CommentModel m_;
};

class SimStatistics : public Statistics {
public:
    explicit SimStatistics(StatisticsModel model) : m_(std::move(model)) {}
    int State() const override { return m_.state.get(); }
    std::string Text() const override { return m_.text.get(); }

private:
    StatisticsModel m_;
};

class SimTraceField : public TraceField {
public:
    explicit SimTraceField(TraceFieldModel model) : m_(std::move(model)) {}
    std::string Name() const override { return m_.name.get(); }
    std::string Value() const override { return m_.value.get(); }

private:
    TraceFieldModel m_;
};

class SimCommand : public Command {
public:
    // A command given as an error fails every call with its reason. The model stays
    // where it is (the part program holds it), so a command is never held twice.
    SimCommand(Member<CommandModel>& model, int index);

    int Type() const override { return m().type.get(); }
    std::string Id() const override { return m().id.get(); }
    bool IsDimension() const override { return m().dimension.has_value(); }
    std::shared_ptr<Dimension> DimensionData() const override;
    bool IsMarked() const override { return m().marked.get(); }
    bool IsComment() const override { return m().comment.has_value(); }
    std::shared_ptr<Comment> GetComment() const override;
    bool IsStatistics() const override { return m().statistics.has_value(); }
    std::shared_ptr<Statistics> GetStatistics() const override;
    bool IsTraceField() const override { return m().traceField.has_value(); }
    std::shared_ptr<TraceField> GetTraceField() const override;
    int DecimalSetting() const override { return m().decimalSetting.get(); }
    int GetFieldInt(int field, int index) const override;
    FieldValue GetFieldValue(int field, int index) const override;

    // 1-based position in the part program.
    int index() const { return index_; }
    // Whether PrepareCommand was called with this command.
    bool isPrepared() const { return prepared_; }
    void markPrepared() { prepared_ = true; }

private:
    const CommandModel& m() const { return model_->get(); }

    const Member<CommandModel>* model_;
    int index_;
    bool prepared_ = false;
    std::shared_ptr<SimDimension> dimension_;
    std::shared_ptr<SimComment> comment_;
    std::shared_ptr<SimStatistics> statistics_;
    std::shared_ptr<SimTraceField> traceField_;
};

class SimCommands : public Commands {
public:
    explicit SimCommands(std::vector<std::shared_ptr<SimCommand>> commands) : commands_(std::move(commands)) {}
    int Count() const override { return static_cast<int>(commands_.size()); }
    std::shared_ptr<Command> Item(int index) const override;
    void PrepareCommand(const Command& command) override;

    // How often PrepareCommand was called.
    int prepareCount() const { return prepareCount_; }
    const std::vector<std::shared_ptr<SimCommand>>& list() const { return commands_; }

private:
    std::vector<std::shared_ptr<SimCommand>> commands_;
    int prepareCount_ = 0;
};

class SimPartProgram : public PartProgram {
public:
    explicit SimPartProgram(PartProgramModel model);
    // Its commands point into its model.
    SimPartProgram(const SimPartProgram&) = delete;
    SimPartProgram& operator=(const SimPartProgram&) = delete;

    std::string Name() const override { return m_.name.get(); }
    std::string FullName() const override { return m_.fullName.get(); }
    std::string PartName() const override { return m_.partName.get(); }
    std::string Path() const override { return m_.path.get(); }
    std::string RevisionNumber() const override { return m_.revisionNumber.get(); }
    std::string SerialNumber() const override { return m_.serialNumber.get(); }
    std::shared_ptr<Commands> GetCommands() const override;

    // The commands an execution walks (none when the commands member is an error); never throws.
    const std::vector<std::shared_ptr<SimCommand>>& commandList() const;
    // The one collection GetCommands hands out, for tests; empty when the member is an error.
    std::shared_ptr<SimCommands> simCommands() const { return commands_; }

private:
    PartProgramModel m_;
    std::shared_ptr<SimCommands> commands_;
};

// Must be held by a shared_ptr (the locator does): posted executions find it through a weak reference.
class SimApplication : public HostApplication, public std::enable_shared_from_this<SimApplication> {
public:
    SimApplication(HostModel model, Poster post);

    std::shared_ptr<PartProgram> ActivePartProgram() const override;
    int MajorVersion() const override { return model_.majorVersion.get(); }
    int MinorVersion() const override { return model_.minorVersion.get(); }
    bool DisplayFlag() const override { return model_.displayFlag.get(); }
    // Fails like the read when the file gives displayFlag as an error.
    void SetDisplayFlag(bool on) override;
    bool AdminFlag() const override { return model_.adminFlag.get(); }
    // The first bind queues one execution when the file asks for autoStart.
    void BindEvents(HostEventSink& sink) override;
    void UnbindEvents() override;

    // Runs the active part program: one OnObjectExecuted per command, then
    // OnEndExecution, then OnClosePartProgram when closeAfter; each only while bound.
    // Does nothing while an execution runs or without a part program.
    void execute();
    // Ends the running execution after the current command: the rest is skipped,
    // OnEndExecution reports termination type 0 and closeAfter is not applied.
    void cancelExecution();
    // Closes the part program (OnClosePartProgram when bound). During an execution
    // it cancels it first, so OnEndExecution(0) comes before the close.
    void closePartProgram();

    bool isExecuting() const { return running_; }
    bool isBound() const { return sink_ != nullptr; }
    // The active part program without failing, for the control window; empty when none.
    std::shared_ptr<SimPartProgram> partProgram() const { return program_; }
    // Called after an execution starts or ends and after a close, so a window can update.
    void setStateListener(std::function<void()> listener) { listener_ = std::move(listener); }

private:
    void performClose();
    void notify() const;

    HostModel model_;
    Poster post_;
    ExecutionModel execution_;
    std::shared_ptr<SimPartProgram> program_;
    HostEventSink* sink_ = nullptr;
    bool boundOnce_ = false;
    bool running_ = false;
    bool cancelled_ = false;
    bool closeRequested_ = false;
    std::function<void()> listener_;
};

class SimHostLocator : public HostLocator {
public:
    SimHostLocator(HostModel model, Poster post);

    bool HostWindowExists() const override;
    // The one application object; fails when the file has no window or gives it as an error.
    std::shared_ptr<HostApplication> GetApplication() override;
    std::optional<std::string> ReadOption(const std::string& name) const override;

    // The application without the window test, for the control window and tests.
    std::shared_ptr<SimApplication> application() const { return application_; }

private:
    Member<bool> window_;
    Member<std::map<std::string, Member<std::string>>> options_;
    std::shared_ptr<SimApplication> application_;
};

}  // namespace kelmar::host::sim
