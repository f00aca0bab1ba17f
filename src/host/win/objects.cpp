#include "host/win/objects.h"

#include "host/win/dispids.h"
#include "host/win/events.h"

namespace kelmar::host::win {

namespace dd = dispid::dimension;

std::string ComDimension::Id() const { return d_.text(dd::Id, "Id"); }
std::string ComDimension::AxisText() const { return d_.text(dd::AxisText, "AxisText"); }
double ComDimension::Nominal() const { return d_.number(dd::Nominal, "Nominal"); }
double ComDimension::Measured() const { return d_.number(dd::Measured, "Measured"); }
double ComDimension::PlusTol() const { return d_.number(dd::PlusTol, "PlusTol"); }
double ComDimension::MinusTol() const { return d_.number(dd::MinusTol, "MinusTol"); }
double ComDimension::Deviation() const { return d_.number(dd::Deviation, "Deviation"); }
double ComDimension::OutTol() const { return d_.number(dd::OutTol, "OutTol"); }
int ComDimension::UnitCode() const { return d_.whole(dd::UnitCode, "UnitCode"); }
std::string ComDimension::Feature1() const { return d_.text(dd::Feature1, "Feature1"); }
std::string ComDimension::Feature2() const { return d_.text(dd::Feature2, "Feature2"); }
std::string ComDimension::Feature3() const { return d_.text(dd::Feature3, "Feature3"); }
int ComDimension::Mode() const { return d_.whole(dd::Mode, "Mode"); }
bool ComDimension::IsLocationAxis() const { return d_.flag(dd::IsLocationAxis, "IsLocationAxis"); }
bool ComDimension::IsPositionAxis() const { return d_.flag(dd::IsPositionAxis, "IsPositionAxis"); }

int ComComment::CommentType() const { return d_.whole(dispid::comment::CommentType, "CommentType"); }

std::string ComComment::Line(int i) const {
    const Variant line = d_.invoke(dispid::comment::Line, "Line", {Variant::ofInt(i).get()});
    return textOf(line.get(), d_.session()->codePage(), d_.memberName("Line"));
}

int ComStatistics::State() const { return d_.whole(dispid::statistics::State, "State"); }
std::string ComStatistics::Text() const { return d_.text(dispid::statistics::Text, "Text"); }

std::string ComTraceField::Name() const { return d_.text(dispid::trace_field::Name, "Name"); }
std::string ComTraceField::Value() const { return d_.text(dispid::trace_field::Value, "Value"); }

namespace dc = dispid::command;

int ComCommand::Type() const { return d_.whole(dc::Type, "Type"); }
std::string ComCommand::Id() const { return d_.text(dc::Id, "Id"); }
bool ComCommand::IsDimension() const { return d_.flag(dc::IsDimension, "IsDimension"); }
bool ComCommand::IsMarked() const { return d_.flag(dc::IsMarked, "IsMarked"); }
bool ComCommand::IsComment() const { return d_.flag(dc::IsComment, "IsComment"); }
bool ComCommand::IsStatistics() const { return d_.flag(dc::IsStatistics, "IsStatistics"); }
bool ComCommand::IsTraceField() const { return d_.flag(dc::IsTraceField, "IsTraceField"); }

std::shared_ptr<Dimension> ComCommand::DimensionData() const {
    return std::make_shared<ComDimension>(d_.object(dc::DimensionData, "DimensionData", "Dimension"));
}

std::shared_ptr<Comment> ComCommand::GetComment() const {
    return std::make_shared<ComComment>(d_.object(dc::Comment, "Comment", "Comment"));
}

std::shared_ptr<Statistics> ComCommand::GetStatistics() const {
    return std::make_shared<ComStatistics>(d_.object(dc::Statistics, "Statistics", "Statistics"));
}

std::shared_ptr<TraceField> ComCommand::GetTraceField() const {
    return std::make_shared<ComTraceField>(d_.object(dc::TraceField, "TraceField", "TraceField"));
}

int ComCommand::DecimalSetting() const {
    return d_.object(dc::DecimalSetting, "DecimalSetting", "DecimalSetting")
        .whole(dispid::decimal_setting::Places, "[2]");
}

int ComCommand::GetFieldInt(int field, int index) const {
    const Variant value =
        d_.invoke(dc::GetFieldInt, "GetFieldInt", {Variant::ofInt(field).get(), Variant::ofInt(index).get()});
    return wholeOf(value.get(), d_.memberName("GetFieldInt"));
}

FieldValue ComCommand::GetFieldValue(int field, int index) const {
    const Variant value =
        d_.invoke(dc::GetFieldValue, "GetFieldValue", {Variant::ofInt(field).get(), Variant::ofInt(index).get()});
    return fieldValueOf(value.get(), d_.session()->codePage(), d_.memberName("GetFieldValue"));
}

int ComCommands::Count() const { return d_.whole(dispid::commands::Count, "Count"); }

std::shared_ptr<Command> ComCommands::Item(int index) const {
    const std::string member = d_.memberName("Item");
    if (index < 1) throw HostError(member + ": there is no command " + std::to_string(index));
    if (!enum_) {
        const Variant answer = d_.invoke(DISPID_NEWENUM, "_NewEnum");
        const VARIANT& v = answer.get();
        IUnknown* unknown = v.vt == VT_UNKNOWN ? v.punkVal : v.vt == VT_DISPATCH ? v.pdispVal : nullptr;
        if (!unknown) throw HostError(d_.memberName("_NewEnum") + " answered no enumeration");
        const HRESULT hr = unknown->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(enum_.put()));
        if (FAILED(hr)) throw hostError(d_.memberName("_NewEnum") + " answered no enumeration", hr);
        next_ = 1;
    }
    HRESULT hr = S_OK;
    if (index < next_) {
        d_.session()->countCall(d_.memberName("Reset"));
        hr = enum_->Reset();
        next_ = 1;
    }
    if (SUCCEEDED(hr) && index > next_) {
        d_.session()->countCall(d_.memberName("Skip"));
        hr = enum_->Skip(static_cast<ULONG>(index - next_));
        next_ = index;
    }
    Variant item;
    ULONG fetched = 0;
    if (hr == S_OK) {
        d_.session()->countCall(d_.memberName("Next"));
        hr = enum_->Next(1, item.put(), &fetched);
    }
    if (FAILED(hr)) {
        d_.session()->noteFailure(hr);
        enum_.reset();  // start afresh next time rather than trust a broken position
        throw hostError(member + " failed", hr);
    }
    if (hr != S_OK || fetched != 1) {
        enum_.reset();
        throw HostError(member + ": there is no command " + std::to_string(index));
    }
    next_ = index + 1;
    ComRef<IDispatch> command = objectOf(item.get(), member);
    if (!command) throw HostError(member + " answered no object");
    return std::make_shared<ComCommand>(DispatchObject(std::move(command), d_.session(), "Command"));
}

void ComCommands::PrepareCommand(const Command& command) {
    const auto* com = dynamic_cast<const ComCommand*>(&command);
    if (!com) throw HostError(d_.memberName("PrepareCommand") + ": the command is not one of the host's");
    d_.invoke(dispid::commands::PrepareCommand, "PrepareCommand", {Variant::ofObject(com->raw()).get()});
}

namespace dp = dispid::part_program;

std::string ComPartProgram::Name() const { return d_.text(dp::Name, "Name"); }
std::string ComPartProgram::FullName() const { return d_.text(dp::FullName, "FullName"); }
std::string ComPartProgram::PartName() const { return d_.text(dp::PartName, "PartName"); }
std::string ComPartProgram::Path() const { return d_.text(dp::Path, "Path"); }
std::string ComPartProgram::RevisionNumber() const { return d_.text(dp::RevisionNumber, "RevisionNumber"); }
std::string ComPartProgram::SerialNumber() const { return d_.text(dp::SerialNumber, "SerialNumber"); }

std::shared_ptr<Commands> ComPartProgram::GetCommands() const {
    return std::make_shared<ComCommands>(d_.object(dp::Commands, "Commands", "Commands"));
}

namespace da = dispid::application;

ComApplication::ComApplication(DispatchObject object) : d_(std::move(object)) {}

ComApplication::~ComApplication() { UnbindEvents(); }

std::shared_ptr<PartProgram> ComApplication::ActivePartProgram() const {
    ComRef<IDispatch> program = d_.optionalObject(da::ActivePartProgram, "ActivePartProgram");
    if (!program) return nullptr;
    return std::make_shared<ComPartProgram>(DispatchObject(std::move(program), d_.session(), "PartProgram"));
}

int ComApplication::MajorVersion() const { return d_.whole(da::MajorVersion, "MajorVersion"); }
int ComApplication::MinorVersion() const { return d_.whole(da::MinorVersion, "MinorVersion"); }
bool ComApplication::DisplayFlag() const { return d_.flag(da::DisplayFlag, "DisplayFlag"); }
bool ComApplication::AdminFlag() const { return d_.flag(da::AdminFlag, "AdminFlag"); }

void ComApplication::SetDisplayFlag(bool on) {
    VARIANT value;
    value.vt = VT_BOOL;
    value.boolVal = on ? VARIANT_TRUE : VARIANT_FALSE;
    d_.put(da::DisplayFlag, "DisplayFlag", value);
}

void ComApplication::BindEvents(HostEventSink& sink) {
    UnbindEvents();
    events_ = EventBinding::bind(d_.object(da::ApplicationEvents, "ApplicationEvents", "ApplicationEvents"), sink);
}

void ComApplication::UnbindEvents() { events_.reset(); }

}  // namespace kelmar::host::win
