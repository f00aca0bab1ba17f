#include "host/sim/sim_host.h"

#include <algorithm>
#include <cstddef>

namespace kelmar::host::sim {
namespace {

// The object behind a command's kind member; fails when the command is not of that kind.
template <class T, class Sim>
std::shared_ptr<Sim> kindObject(const Boxed<Member<T>>& member, const std::shared_ptr<Sim>& object,
                                const char* kind) {
    if (!member) throw HostError(std::string("the command is not a ") + kind + " command");
    member->get();
    return object;
}

// The object for a kind member the file gives readable; nothing otherwise.
template <class Sim, class T>
std::shared_ptr<Sim> makeObject(Boxed<Member<T>>& member) {
    if (!member || member->error) return nullptr;
    return std::make_shared<Sim>(std::move(member->value));
}

template <class T>
const Member<T>& fieldOf(const std::map<int, Member<T>>& fields, int field, int index) {
    if (index != 1) throw HostError("field " + std::to_string(field) + " has no index " + std::to_string(index));
    const auto it = fields.find(field);
    if (it == fields.end()) throw HostError("field " + std::to_string(field) + " is not set");
    return it->second;
}

}  // namespace

std::string SimComment::Line(int i) const {
    if (i < 1) throw HostError("comment line " + std::to_string(i) + " does not exist");
    const auto& lines = m_.lines.get();
    if (static_cast<std::size_t>(i) > lines.size()) return {};
    return lines[static_cast<std::size_t>(i) - 1].get();
}

SimCommand::SimCommand(Member<CommandModel>& model, int index) : model_(&model), index_(index) {
    if (model.error) return;
    // The sub-models move into their objects; the model keeps only presence and error.
    CommandModel& c = model.value;
    dimension_ = makeObject<SimDimension>(c.dimension);
    comment_ = makeObject<SimComment>(c.comment);
    statistics_ = makeObject<SimStatistics>(c.statistics);
    traceField_ = makeObject<SimTraceField>(c.traceField);
}

std::shared_ptr<Dimension> SimCommand::DimensionData() const {
    return kindObject(m().dimension, dimension_, "dimension");
}

std::shared_ptr<Comment> SimCommand::GetComment() const { return kindObject(m().comment, comment_, "comment"); }

std::shared_ptr<Statistics> SimCommand::GetStatistics() const {
    return kindObject(m().statistics, statistics_, "statistics");
}

std::shared_ptr<TraceField> SimCommand::GetTraceField() const {
    return kindObject(m().traceField, traceField_, "trace field");
}

int SimCommand::GetFieldInt(int field, int index) const { return fieldOf(m().fieldInt.get(), field, index).get(); }

FieldValue SimCommand::GetFieldValue(int field, int index) const {
    return fieldOf(m().fieldValue.get(), field, index).get();
}

std::shared_ptr<Command> SimCommands::Item(int index) const {
    if (index < 1 || index > Count()) throw HostError("there is no command " + std::to_string(index));
    return commands_[static_cast<std::size_t>(index) - 1];
}

void SimCommands::PrepareCommand(const Command& command) {
    ++prepareCount_;
    for (const auto& c : commands_)
        if (c.get() == &command) c->markPrepared();
}

SimPartProgram::SimPartProgram(PartProgramModel model) : m_(std::move(model)) {
    if (m_.commands.error) return;
    auto& commands = m_.commands.value;
    std::vector<std::shared_ptr<SimCommand>> list;
    list.reserve(commands.size());
    for (std::size_t i = 0; i < commands.size(); ++i)
        list.push_back(std::make_shared<SimCommand>(commands[i], static_cast<int>(i) + 1));
    commands_ = std::make_shared<SimCommands>(std::move(list));
}

const std::vector<std::shared_ptr<SimCommand>>& SimPartProgram::commandList() const {
    static const std::vector<std::shared_ptr<SimCommand>> none;
    return commands_ ? commands_->list() : none;
}

std::shared_ptr<Commands> SimPartProgram::GetCommands() const {
    m_.commands.get();
    return commands_;
}

SimApplication::SimApplication(HostModel model, Poster post)
    : model_(std::move(model)), post_(std::move(post)), execution_(model_.execution.value_or(ExecutionModel{})) {
    auto& active = model_.activePartProgram;
    if (!active.error && active.value) {
        program_ = std::make_shared<SimPartProgram>(std::move(*active.value));
        active.value.reset();
    }
}

std::shared_ptr<PartProgram> SimApplication::ActivePartProgram() const {
    model_.activePartProgram.get();
    return program_;
}

void SimApplication::SetDisplayFlag(bool on) {
    model_.displayFlag.get();
    model_.displayFlag.value = on;
}

void SimApplication::BindEvents(HostEventSink& sink) {
    sink_ = &sink;
    // The control window tells whether the converter is online.
    notify();
    if (boundOnce_) return;
    boundOnce_ = true;
    if (!model_.execution || !model_.execution->autoStart || !post_) return;
    post_([weak = weak_from_this()] {
        if (const auto app = weak.lock()) app->execute();
    });
}

void SimApplication::UnbindEvents() {
    sink_ = nullptr;
    notify();
}

void SimApplication::execute() {
    if (running_ || !program_) return;
    // A handler may drop every outside reference to the host objects mid-run.
    [[maybe_unused]] const auto keepAlive = weak_from_this().lock();
    const auto program = program_;
    running_ = true;
    cancelled_ = false;
    closeRequested_ = false;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{running_};
    notify();

    const auto& commands = program->commandList();
    std::size_t count = commands.size();
    if (execution_.stopAfter) count = std::min(count, static_cast<std::size_t>(*execution_.stopAfter));
    // The sink is looked up before every call: any handler may unbind.
    for (std::size_t i = 0; i < count && !cancelled_; ++i)
        if (sink_) sink_->OnObjectExecuted(*program, *commands[i]);
    const bool cancelled = cancelled_;
    if (sink_) sink_->OnEndExecution(*program, cancelled ? 0 : execution_.terminationType);
    const bool close = closeRequested_ || (!cancelled && execution_.closeAfter);
    running_ = false;
    if (close) performClose();
    notify();
}

void SimApplication::cancelExecution() {
    if (running_) cancelled_ = true;
}

void SimApplication::closePartProgram() {
    if (running_) {
        cancelled_ = true;
        closeRequested_ = true;
        return;
    }
    performClose();
    notify();
}

void SimApplication::performClose() {
    if (!program_) return;
    program_.reset();
    if (sink_) sink_->OnClosePartProgram();
}

void SimApplication::notify() const {
    if (listener_) listener_();
}

SimHostLocator::SimHostLocator(HostModel model, Poster post)
    : window_(model.window),
      options_(std::move(model.options)),
      application_(std::make_shared<SimApplication>(std::move(model), std::move(post))) {}

bool SimHostLocator::HostWindowExists() const { return window_.error || window_.value; }

std::shared_ptr<HostApplication> SimHostLocator::GetApplication() {
    window_.get();
    if (!window_.value) throw HostError("no host is running");
    return application_;
}

std::optional<std::string> SimHostLocator::ReadOption(const std::string& name) const {
    const auto& options = options_.get();
    const auto it = options.find(name);
    if (it == options.end()) return std::nullopt;
    return it->second.get();
}

}  // namespace kelmar::host::sim
