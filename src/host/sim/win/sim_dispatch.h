#pragma once
// The simulated host's COM side: one IDispatch object type answering a table
// of members by DISPID from the host interface objects of the Linux simulated
// host, and the switches that make it misbehave on purpose.

#include <windows.h>
#include <oaidl.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "host/host_interface.h"
#include "host/win/com_object.h"
#include "platform/code_page.h"

namespace kelmar::host::sim::win {

// How a member is answered instead of its value.
enum class Answer { AsText, WrongType, Empty };

// What the command line asks of the server, shared by all its objects.
struct ServerControls {
    platform::CodePage codePage = platform::CodePage::Windows1252;
    // "Dimension.Nominal" -> how it answers.
    std::map<std::string, Answer> answers;
    // The process ends in the middle of call number exitAfterCalls; 0 never.
    long exitAfterCalls = 0;
    long calls = 0;
    // The source offers no class information, so a client must take the connection point's interface.
    bool noClassInfo = false;

    // Counts one incoming call; ends the process abruptly when told to.
    void countCall();
};

// One member: reads the arguments (first to last) and fills the result; a HostError is the host's error.
using MemberCall = std::function<void(WORD flags, const std::vector<VARIANT*>& args, VARIANT& result)>;

struct MemberEntry {
    DISPID id;
    const char* name;
    MemberCall call;
};

class SimDispatch : public host::win::ComObject<IDispatch> {
public:
    SimDispatch(const char* objectName, std::vector<MemberEntry> members, ServerControls& controls);

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* error, UINT*) override;

    // The host command behind a command object, so PrepareCommand knows it again.
    std::shared_ptr<Command> command;

protected:
    ~SimDispatch() override = default;
    // The type information GetTypeInfo hands out; none by default.
    virtual ITypeInfo* typeInfo() { return nullptr; }

    ServerControls& controls_;

private:
    void applyAnswer(const std::string& member, VARIANT& result);

    const char* objectName_;
    std::vector<MemberEntry> members_;
};

// Answers of the core's types.
void setText(VARIANT& v, const std::string& bytes, platform::CodePage codePage);
void setNumber(VARIANT& v, double value);
void setWhole(VARIANT& v, int value);
void setFlag(VARIANT& v, bool value);
// Takes over the reference; a null object answers "Nothing".
void setObject(VARIANT& v, IDispatch* object);

// An integer argument as the client sent it; a HostError when it is none.
int wholeArgument(const std::vector<VARIANT*>& args, std::size_t i);

}  // namespace kelmar::host::sim::win
