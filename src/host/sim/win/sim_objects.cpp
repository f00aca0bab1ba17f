#include "host/sim/win/sim_objects.h"

#include "host/win/com_object.h"
#include "host/win/dispatch.h"
#include "host/win/dispids.h"

namespace kelmar::host::sim::win {
namespace {

namespace id = host::win::dispid;

void answer(VARIANT& v, const std::string& text, const ServerControls& c) { setText(v, text, c.codePage); }
void answer(VARIANT& v, double value, const ServerControls&) { setNumber(v, value); }
void answer(VARIANT& v, int value, const ServerControls&) { setWhole(v, value); }
void answer(VARIANT& v, bool value, const ServerControls&) { setFlag(v, value); }

// A member that reads one property of a host interface object.
template <class Object, class Result>
MemberEntry read(const std::shared_ptr<Object>& object, DISPID dispid, const char* name,
                 Result (Object::*get)() const, ServerControls& controls) {
    return {dispid, name, [object, get, &controls](WORD, const std::vector<VARIANT*>&, VARIANT& result) {
                answer(result, ((*object).*get)(), controls);
            }};
}

// A member answering an object built from what get returns.
template <class Object, class Child>
MemberEntry child(const std::shared_ptr<Object>& object, DISPID dispid, const char* name,
                  std::shared_ptr<Child> (Object::*get)() const, IDispatch* (*make)(std::shared_ptr<Child>, ServerControls&),
                  ServerControls& controls) {
    return {dispid, name, [object, get, make, &controls](WORD, const std::vector<VARIANT*>&, VARIANT& result) {
                setObject(result, make(((*object).*get)(), controls));
            }};
}

IDispatch* makeDimension(std::shared_ptr<Dimension> d, ServerControls& c) {
    if (!d) return nullptr;
    namespace dd = id::dimension;
    return new SimDispatch("Dimension",
                           {read(d, dd::Id, "Id", &Dimension::Id, c),
                            read(d, dd::AxisText, "AxisText", &Dimension::AxisText, c),
                            read(d, dd::Nominal, "Nominal", &Dimension::Nominal, c),
                            read(d, dd::Measured, "Measured", &Dimension::Measured, c),
                            read(d, dd::PlusTol, "PlusTol", &Dimension::PlusTol, c),
                            read(d, dd::MinusTol, "MinusTol", &Dimension::MinusTol, c),
                            read(d, dd::Deviation, "Deviation", &Dimension::Deviation, c),
                            read(d, dd::OutTol, "OutTol", &Dimension::OutTol, c),
                            read(d, dd::UnitCode, "UnitCode", &Dimension::UnitCode, c),
                            read(d, dd::Feature1, "Feature1", &Dimension::Feature1, c),
                            read(d, dd::Feature2, "Feature2", &Dimension::Feature2, c),
                            read(d, dd::Feature3, "Feature3", &Dimension::Feature3, c),
                            read(d, dd::Mode, "Mode", &Dimension::Mode, c),
                            read(d, dd::IsLocationAxis, "IsLocationAxis", &Dimension::IsLocationAxis, c),
                            read(d, dd::IsPositionAxis, "IsPositionAxis", &Dimension::IsPositionAxis, c)},
                           c);
}

IDispatch* makeComment(std::shared_ptr<Comment> comment, ServerControls& c) {
    if (!comment) return nullptr;
    MemberEntry line{id::comment::Line, "Line", [comment, &c](WORD, const std::vector<VARIANT*>& args, VARIANT& r) {
                         setText(r, comment->Line(wholeArgument(args, 0)), c.codePage);
                     }};
    return new SimDispatch(
        "Comment", {read(comment, id::comment::CommentType, "CommentType", &Comment::CommentType, c), line}, c);
}

IDispatch* makeStatistics(std::shared_ptr<Statistics> s, ServerControls& c) {
    if (!s) return nullptr;
    return new SimDispatch("Statistics",
                           {read(s, id::statistics::State, "State", &Statistics::State, c),
                            read(s, id::statistics::Text, "Text", &Statistics::Text, c)},
                           c);
}

IDispatch* makeTraceField(std::shared_ptr<TraceField> t, ServerControls& c) {
    if (!t) return nullptr;
    return new SimDispatch("TraceField",
                           {read(t, id::trace_field::Name, "Name", &TraceField::Name, c),
                            read(t, id::trace_field::Value, "Value", &TraceField::Value, c)},
                           c);
}

// The commands one after another, as the host's enumeration hands them out.
class SimCommandEnum final : public host::win::ComObject<IEnumVARIANT> {
public:
    SimCommandEnum(std::shared_ptr<Commands> commands, ServerControls& controls)
        : ComObject(IID_IEnumVARIANT), commands_(std::move(commands)), controls_(controls) {}
    HRESULT STDMETHODCALLTYPE Next(ULONG wanted, VARIANT* items, ULONG* fetched) override {
        controls_.countCall();
        ULONG n = 0;
        try {
            const int count = commands_->Count();
            for (; n < wanted && next_ <= count; ++n, ++next_) {
                VariantInit(&items[n]);
                setObject(items[n], makeCommand(commands_->Item(next_), controls_));
            }
        } catch (...) {
            return E_FAIL;
        }
        if (fetched) *fetched = n;
        return n == wanted ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG n) override {
        controls_.countCall();
        next_ += static_cast<int>(n);
        return next_ <= commands_->Count() + 1 ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        controls_.countCall();
        next_ = 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT**) override { return E_NOTIMPL; }

private:
    ~SimCommandEnum() override = default;

    std::shared_ptr<Commands> commands_;
    ServerControls& controls_;
    int next_ = 1;
};

IDispatch* makeCommands(std::shared_ptr<Commands> commands, ServerControls& c) {
    if (!commands) return nullptr;
    namespace dc = id::commands;
    MemberEntry prepare{dc::PrepareCommand, "PrepareCommand",
                        [commands](WORD, const std::vector<VARIANT*>& args, VARIANT&) {
                            // The client hands back one of our own objects, so it arrives unmarshalled.
                            auto* object = args.empty() || args[0]->vt != VT_DISPATCH
                                               ? nullptr
                                               : dynamic_cast<SimDispatch*>(args[0]->pdispVal);
                            if (!object || !object->command) throw HostError("PrepareCommand needs a command");
                            commands->PrepareCommand(*object->command);
                        }};
    MemberEntry enumeration{DISPID_NEWENUM, "_NewEnum", [commands, &c](WORD, const std::vector<VARIANT*>&, VARIANT& r) {
                                r.vt = VT_UNKNOWN;
                                r.punkVal = new SimCommandEnum(commands, c);
                            }};
    return new SimDispatch("Commands", {read(commands, dc::Count, "Count", &Commands::Count, c), prepare, enumeration},
                           c);
}

}  // namespace

IDispatch* makeCommand(std::shared_ptr<Command> command, ServerControls& c) {
    if (!command) return nullptr;
    namespace dc = id::command;
    const auto& k = command;
    MemberEntry decimals{dc::DecimalSetting, "DecimalSetting", [k, &c](WORD, const std::vector<VARIANT*>&, VARIANT& r) {
                             const int places = k->DecimalSetting();
                             setObject(r, new SimDispatch("DecimalSetting",
                                                          {{id::decimal_setting::Places, "[2]",
                                                            [places](WORD, const std::vector<VARIANT*>&, VARIANT& v) {
                                                                setWhole(v, places);
                                                            }}},
                                                          c));
                         }};
    MemberEntry fieldInt{dc::GetFieldInt, "GetFieldInt", [k](WORD, const std::vector<VARIANT*>& args, VARIANT& r) {
                             setWhole(r, k->GetFieldInt(wholeArgument(args, 0), wholeArgument(args, 1)));
                         }};
    MemberEntry fieldValue{dc::GetFieldValue, "GetFieldValue",
                           [k, &c](WORD, const std::vector<VARIANT*>& args, VARIANT& r) {
                               const FieldValue value = k->GetFieldValue(wholeArgument(args, 0), wholeArgument(args, 1));
                               if (const auto* text = std::get_if<std::string>(&value))
                                   setText(r, *text, c.codePage);
                               else
                                   setNumber(r, std::get<double>(value));
                           }};
    auto* object = new SimDispatch(
        "Command",
        {read(k, dc::Type, "Type", &Command::Type, c), read(k, dc::Id, "Id", &Command::Id, c),
         read(k, dc::IsDimension, "IsDimension", &Command::IsDimension, c),
         child(k, dc::DimensionData, "DimensionData", &Command::DimensionData, &makeDimension, c),
         read(k, dc::IsMarked, "IsMarked", &Command::IsMarked, c),
         read(k, dc::IsComment, "IsComment", &Command::IsComment, c),
         child(k, dc::Comment, "Comment", &Command::GetComment, &makeComment, c),
         read(k, dc::IsStatistics, "IsStatistics", &Command::IsStatistics, c),
         child(k, dc::Statistics, "Statistics", &Command::GetStatistics, &makeStatistics, c),
         read(k, dc::IsTraceField, "IsTraceField", &Command::IsTraceField, c),
         child(k, dc::TraceField, "TraceField", &Command::GetTraceField, &makeTraceField, c), decimals, fieldInt,
         fieldValue},
        c);
    object->command = command;
    return object;
}

IDispatch* makePartProgram(std::shared_ptr<PartProgram> p, ServerControls& c) {
    if (!p) return nullptr;
    namespace dp = id::part_program;
    return new SimDispatch("PartProgram",
                           {read(p, dp::Name, "Name", &PartProgram::Name, c),
                            read(p, dp::FullName, "FullName", &PartProgram::FullName, c),
                            read(p, dp::PartName, "PartName", &PartProgram::PartName, c),
                            read(p, dp::Path, "Path", &PartProgram::Path, c),
                            read(p, dp::RevisionNumber, "RevisionNumber", &PartProgram::RevisionNumber, c),
                            read(p, dp::SerialNumber, "SerialNumber", &PartProgram::SerialNumber, c),
                            child(p, dp::Commands, "Commands", &PartProgram::GetCommands, &makeCommands, c)},
                           c);
}

IDispatch* makeApplication(std::shared_ptr<SimApplication> app, ServerControls& c, const EventTypes& types) {
    namespace da = id::application;
    // One event source for the life of the application, so every binding meets the same one.
    auto source = std::make_shared<host::win::ComRef<IDispatch>>(
        host::win::ComRef<IDispatch>::adopt(makeEventSource(app, c, types)));
    MemberEntry events{da::ApplicationEvents, "ApplicationEvents",
                       [source](WORD, const std::vector<VARIANT*>&, VARIANT& r) {
                           (*source)->AddRef();
                           setObject(r, source->get());
                       }};
    MemberEntry display{da::DisplayFlag, "DisplayFlag", [app](WORD flags, const std::vector<VARIANT*>& args, VARIANT& r) {
                            if (flags & DISPATCH_PROPERTYPUT)
                                app->SetDisplayFlag(wholeArgument(args, 0) != 0);
                            else
                                setFlag(r, app->DisplayFlag());
                        }};
    return new SimDispatch(
        "Application",
        {child(app, da::ActivePartProgram, "ActivePartProgram", &SimApplication::ActivePartProgram, &makePartProgram, c),
         display, events, read(app, da::MajorVersion, "MajorVersion", &SimApplication::MajorVersion, c),
         read(app, da::MinorVersion, "MinorVersion", &SimApplication::MinorVersion, c),
         read(app, da::AdminFlag, "AdminFlag", &SimApplication::AdminFlag, c)},
        c);
}

}  // namespace kelmar::host::sim::win
