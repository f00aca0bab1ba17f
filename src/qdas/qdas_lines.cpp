#include "qdas/qdas_lines.h"

#include <charconv>


namespace kelmar::qdas {

void QdasLines::reserve(std::size_t bytes) {
    if (bytes > text_.size()) text_.resize(bytes);
}

const std::string& QdasLines::text() {
    text_.resize(used_);
    return text_;
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
