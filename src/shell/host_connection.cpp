#include "shell/host_connection.h"

#include "host/host_step.h"
#include "platform/product.h"
#include "platform/text.h"

namespace kelmar::shell {
namespace {

void connectError(ConnectionContext& context, int line, const char* code) {
    context.messages.error(platform::kApplicationTitle,
                           context.texts.line(line) + "\n" + context.texts.line(274) + " '" + code + "'");
}

using Member = std::string (host::PartProgram::*)() const;

// One pattern for the three part-information reads.
std::string readPartInformation(const HostConnection& connection, ConnectionContext& context, Member member,
                                const char* operation, const char* key, int line) {
    std::string value;
    bool failed = !connection.ActivePartProgram ||
                  !host::tryStep([&] { value = platform::trimBlanks(((*connection.ActivePartProgram).*member)()); });
    const auto& t = context.texts;
    const std::string name = std::string("'") + operation + "'";
    if (value.empty())
        context.messages.information(platform::kApplicationTitle, t.line(line) + "\n" + key + t.line(279) + "\n" +
                                                                      t.line(274) + " " + name);
    if (failed) context.messages.information(platform::kApplicationTitle, t.line(281) + " " + name + ".\n" + t.line(280));
    return value;
}

}  // namespace

bool OrvConnect(HostConnection& connection, ConnectionContext& context) {
    connection = {};
    if (!host::readOr([&] { return context.locator.HostWindowExists(); }, false)) {
        connectError(context, 273, "OrvConnect1");
        return false;
    }
    std::shared_ptr<host::HostApplication> application;
    std::string reason;
    const auto readStep = [&](auto&& step) {
        try {
            step();
            return true;
        } catch (const host::HostError& e) {
            reason = e.what();
            return false;
        }
    };
    // Nothing read must never end the program without a word.
    if (!readStep([&] { application = context.locator.GetApplication(); }) || !application) {
        const std::string unread = reason.empty() ? context.texts.text(settings::Text::HostApplicationUnreadable)
                                                  : context.texts.text(settings::Text::HostApplicationUnreadableWhy, {reason});
        context.messages.error(platform::kApplicationTitle, unread + "\n" + context.texts.line(274) + " 'OrvConnect3'");
        return false;
    }
    std::shared_ptr<host::PartProgram> program;
    host::tryStep([&] { program = application->ActivePartProgram(); });
    if (!program) {
        connectError(context, 275, "OrvConnect2");
        return false;
    }
    std::string fullName;
    if (!readStep([&] { fullName = program->FullName(); })) {
        context.messages.error(platform::kApplicationTitle,
                               context.texts.text(settings::Text::PartProgramNameUnreadable, {reason}) + "\n" +
                                   context.texts.line(274) + " 'OrvConnect4'");
        return false;
    }
    connection.HostApplication = std::move(application);
    connection.ActivePartProgram = std::move(program);
    connection.PartProgramFileName = std::move(fullName);
    return true;
}

std::string GetSerialNumber(const HostConnection& connection, ConnectionContext& context) {
    return readPartInformation(connection, context, &host::PartProgram::SerialNumber, "GetSerialNumber", "K1001 ",
                               276);
}

std::string GetPartName(const HostConnection& connection, ConnectionContext& context) {
    return readPartInformation(connection, context, &host::PartProgram::PartName, "GetPartName", "K1002 ", 277);
}

std::string GetPartRevision(const HostConnection& connection, ConnectionContext& context) {
    return readPartInformation(connection, context, &host::PartProgram::RevisionNumber, "GetPartRevision", "K1004 ",
                               278);
}

bool OrvDisconnect(HostConnection& connection) {
    host::tryStep([&] {
        if (connection.HostApplication) connection.HostApplication->UnbindEvents();
    });
    connection.ActivePartProgram.reset();
    connection.HostApplication.reset();
    return true;
}

}  // namespace kelmar::shell
