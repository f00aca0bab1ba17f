#include "qdas/qdas_lines.h"

#include <charconv>
#include <utility>

#include "platform/file_system.h"

namespace kelmar::qdas {

void QdasLines::reserve(std::size_t bytes) {
    if (bytes > text_.size()) text_.resize(bytes);
}

const std::string& QdasLines::text() {
    text_.resize(used_);
    return text_;
}

void QdasLines::streamTo(platform::NewFile& file) { stream_ = &file; }

void QdasLines::handOver() {
    if (!stream_->append(std::string_view(text_.data() + streamed_, used_ - streamed_))) {
        streamFailed_ = true;
        stream_ = nullptr;
    }
    streamed_ = used_;
}

bool QdasLines::finishStream() {
    if (!stream_) return false;
    handOver();
    platform::NewFile* file = std::exchange(stream_, nullptr);
    return !streamFailed_ && file->finish();
}

void QdasLines::formatIndex(int index) {
    indexLength_ = static_cast<std::size_t>(std::to_chars(indexDigits_, indexDigits_ + sizeof indexDigits_, index).ptr -
                                            indexDigits_);
    lastIndex_ = index;
}

void QdasLines::grow(std::size_t bytes) {
    // Doubling keeps the cost of growing linear in the size of the file.
    text_.resize(std::max(2 * text_.size(), used_ + bytes));
}

}  // namespace kelmar::qdas
