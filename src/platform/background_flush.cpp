#include "platform/background_flush.h"

#include <utility>

namespace kelmar::platform {

BackgroundFlush::BackgroundFlush(std::function<bool()> flush) : flush_(std::move(flush)), thread_([this] { run(); }) {}

BackgroundFlush::~BackgroundFlush() { stop(); }

void BackgroundFlush::ask() {
    const std::lock_guard lock(mutex_);
    wanted_ = true;
    wake_.notify_one();
}

bool BackgroundFlush::stop() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
        wake_.notify_one();
    }
    if (thread_.joinable()) thread_.join();
    return !failed_;
}

void BackgroundFlush::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return wanted_ || stopping_; });
        if (stopping_) return;
        wanted_ = false;
        lock.unlock();
        const bool flushed = flush_();
        lock.lock();
        failed_ = failed_ || !flushed;
    }
}

bool PartwiseNewFile::append(std::string_view data) {
    if (failed_ || finished_) return false;
    failed_ = !write(data);
    if (failed_) return false;
    if (!flusher_) flusher_ = std::make_unique<BackgroundFlush>([this] { return flush(); });
    flusher_->ask();
    return true;
}

bool PartwiseNewFile::finish() {
    if (finished_) return false;
    finished_ = true;
    const bool flushed = !flusher_ || flusher_->stop();
    return close(!failed_ && flushed);
}

void PartwiseNewFile::dropUnlessFinished() {
    if (finished_) return;
    flusher_.reset();
    remove();
}

}  // namespace kelmar::platform
