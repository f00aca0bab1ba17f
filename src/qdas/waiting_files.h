#pragma once
// Measurements that wait, in TempData or in the user's own folder, because they could
// not be delivered: what each one is, where it goes, why it waits, and their delivery
// again with the same rules as the first.

#include <optional>
#include <string>
#include <vector>

#include "qdas/upload.h"
#include "qdas/writer_context.h"

namespace kelmar::qdas {

// Beside a waiting set, as ".<name>.kelmar-wait": where it goes and why it waits.
inline constexpr const char* kWaitingNoteEnding = ".kelmar-wait";

struct WaitingSet {
    std::string folder;    // where it waits
    std::string baseName;  // the name without extension; for an incomplete file, its whole name
    bool dfdFormat = false;
    bool incomplete = false;  // a temporary of a run that was cut off: shown, never delivered
    std::string kept;         // when it was kept ("2026-12-08 14:31:05"); empty when unknown
    std::string reason;       // why it waits; empty for an incomplete set, whose window says why
    std::optional<Routing> routing;  // where it goes; nothing when that is unknown

    // The name of its description or only file ("A.dfd"), or of the incomplete file.
    std::string fileName() const;
};

// Records beside a set that waits where it goes (routing null when unknown) and why.
// A note that is not flushed survives a killed process, not a power loss: enough for a delivery
// that is only under way.
void noteWaitingSet(WriterContext& context, const std::string& folder, const std::string& baseName,
                    bool dfdFormat, const Routing* routing, const std::string& reason, bool flushed = true);

// Removes the note of a set that went where it goes.
void forgetWaitingSet(WriterContext& context, const std::string& folder, const std::string& baseName);

// The folders in which measurements wait: TempData and the user's waiting folder.
std::vector<std::string> waitingFolders(const WriterContext& context);

// Every set that waits in the folders, by folder and name.
std::vector<WaitingSet> findWaitingSets(platform::FileSystem& files, const std::vector<std::string>& folders);

// The folders of the program folder that runs write into (TempData, PartData), made when
// missing and tried with a file; the message for the user when one refuses, else empty.
std::string checkProgramFolder(WriterContext& context);

struct Redelivery {
    int delivered = 0;  // sets that reached every destination and left their folder
    int waiting = 0;    // sets that still wait, incomplete ones included
};

// Delivers again every waiting set whose destination is known, quietly (Kelmar.log tells
// how it went). Takes the writer's lock unless lockHeld; when another instance holds it,
// nothing is delivered now.
Redelivery deliverWaitingSets(WriterContext& context, bool lockHeld = false);

}  // namespace kelmar::qdas
