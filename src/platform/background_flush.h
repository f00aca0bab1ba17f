#pragma once
// Flushes a file to the device on a thread of its own, each time it is asked, while the
// caller goes on writing it. A flush mostly waits for the device to empty its cache, so a
// large file flushed this way part by part has only its last part left for the flush at the end.

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

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

}  // namespace kelmar::platform
