#pragma once
// The keyed lines of a Q-DAS transfer file, built in memory so the file is
// written whole: "K2001/3 value" or "K1001 value", each ended by CR LF.
// A large run writes half a million lines, so adding one is kept inline and cheap.
// Such a file can also go to the disk part by part while its lines are still added.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "platform/text.h"

namespace kelmar::platform {
class NewFile;
}

namespace kelmar::qdas {

class QdasLines {
public:
    // Room for about bytes of text, so a large file is not copied while it grows.
    void reserve(std::size_t bytes);

    // "key value": K0100 and the K1xxx keys.
    void add(std::string_view key, std::string_view value) { append(key, {}, value); }
    // "key/index value"; index 0 applies the line to all characteristics.
    void add(std::string_view key, int index, std::string_view value) {
        // A block repeats its index on every line: it is formatted once.
        if (index != lastIndex_) formatIndex(index);
        append(key, std::string_view(indexDigits_, indexLength_), value);
    }

    // The lines added so far.
    const std::string& text();

    // From now on the lines also go to file, a part at a time, as they are added.
    void streamTo(platform::NewFile& file);
    // Hands over the lines not yet in the file and finishes it; false when it was not
    // streamed to, or a part of it or the finish failed.
    bool finishStream();

private:
    static constexpr std::size_t kStreamPart = std::size_t(1) << 19;
    void handOver();
    void append(std::string_view key, std::string_view index, std::string_view value);
    void formatIndex(int index);
    void grow(std::size_t bytes);
    static char* put(char* at, std::string_view text);
    // Grows ahead of the lines; only its first used_ bytes are lines.
    std::string text_;
    std::size_t used_ = 0;
    std::optional<int> lastIndex_;
    char indexDigits_[12] = {};
    std::size_t indexLength_ = 0;
    platform::NewFile* stream_ = nullptr;
    std::size_t streamed_ = 0;  // the lines before this offset are in the file
    bool streamFailed_ = false;
};

inline char* QdasLines::put(char* at, std::string_view text) {
    // Keys and most values are a few bytes: a plain loop beats a library call there.
    if (text.size() < 16) {
        for (char c : text) *at++ = c;
        return at;
    }
    std::memcpy(at, text.data(), text.size());
    return at + text.size();
}

inline void QdasLines::append(std::string_view key, std::string_view index, std::string_view value) {
    const std::size_t length = key.size() + (index.empty() ? 0 : index.size() + 1) + 1 + value.size() + 2;
    if (used_ + length > text_.size()) grow(length);
    char* at = put(text_.data() + used_, key);
    if (!index.empty()) {
        *at++ = '/';
        at = put(at, index);
    }
    *at++ = ' ';
    char* valueStart = at;
    at = put(at, value);
    // A line break inside a value would start a line without key and spoil the file; other
    // control bytes have no place in a value either. They become blanks, as in the capture's clean-up.
    // Tested on the source: bytes just stored one by one are slow to read back as a word.
    if (platform::holdsControlByte(value)) platform::blankControlCharacters(valueStart, at);
    *at++ = '\r';
    *at = '\n';
    used_ += length;
    if (stream_ && used_ - streamed_ >= kStreamPart) handOver();
}

}  // namespace kelmar::qdas
