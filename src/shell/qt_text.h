#pragma once
// The core keeps texts as code-page bytes; Qt shows Unicode. These convert at the edge.

#include "platform/code_page.h"

#include <QString>
#include <string>

namespace kelmar::shell {

inline QString toQt(const std::string& bytes, platform::CodePage codePage) {
    return QString::fromStdString(platform::toUtf8(bytes, codePage));
}

inline std::string fromQt(const QString& text, platform::CodePage codePage) {
    return platform::fromUtf8(text.toStdString(), codePage);
}

}  // namespace kelmar::shell
