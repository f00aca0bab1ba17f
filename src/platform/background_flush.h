#pragma once
// Flushes a file to the device on a thread of its own, each time it is asked, while the
// caller goes on writing it. A flush mostly waits for the device to empty its cache, so a
// large file flushed this way part by part has only its last part left for the flush at the end.

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string_view>
#include <thread>

#include "platform/file_system.h"

namespace kelmar::platform {

class BackgroundFlush {
public:
    // flush flushes the file to the device; false when it failed.
    explicit BackgroundFlush(std::function<bool()> flush);
    BackgroundFlush(const BackgroundFlush&) = delete;
    BackgroundFlush& operator=(const BackgroundFlush&) = delete;
    ~BackgroundFlush();

    // Starts a flush of what is written so far, after the one under way; never waits.
    void ask();
    // Waits for the flush under way and ends the thread; false when any flush failed. A
    // failed flush must be told here: the system reports a lost write to one flush only.
    bool stop();

private:
    void run();

    std::function<bool()> flush_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool wanted_ = false, stopping_ = false, failed_ = false;
    std::thread thread_;
};

// The disk's new file in parts, on either system: each part is written, then flushed on a
// BackgroundFlush while the caller makes the next. The system's half writes, flushes,
// closes and removes.
class PartwiseNewFile : public NewFile {
public:
    bool append(std::string_view data) final;
    bool finish() final;

protected:
    virtual bool write(std::string_view data) = 0;
    // Flushes what is written so far; called on the flush thread.
    virtual bool flush() = 0;
    // Flushes the rest and closes the file when whole; removes it otherwise.
    virtual bool close(bool whole) = 0;
    // Closes and removes the file.
    virtual void remove() = 0;
    // For the system half's destructor: ends the flushing and removes a file not finished.
    void dropUnlessFinished();

private:
    std::unique_ptr<BackgroundFlush> flusher_;
    bool failed_ = false;
    bool finished_ = false;
};

}  // namespace kelmar::platform
