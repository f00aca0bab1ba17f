#pragma once
// Texts in the core are bytes of the installation's single-byte code page.
// Only the edges (host files, the Qt layer) convert to and from UTF-8.

#include <string>
#include <string_view>

namespace kelmar::platform {

enum class CodePage { Windows1252, Windows1250 };

// Windows-1250 when KELMAR_CODEPAGE=1250, else Windows-1252.
CodePage installationCodePage();

// Bytes of the code page to UTF-8. Bytes the code page leaves undefined map to U+FFFD.
std::string toUtf8(std::string_view bytes, CodePage codePage);

// UTF-8 to bytes of the code page. Characters the code page cannot hold, and
// malformed UTF-8, become '?'.
std::string fromUtf8(std::string_view utf8, CodePage codePage);

// Bytes of the code page to UTF-16, the system's own texts on Windows.
std::u16string toUtf16(std::string_view bytes, CodePage codePage);

// UTF-16 to bytes of the code page; what it cannot hold, and broken surrogates, become '?'.
std::string fromUtf16(std::u16string_view utf16, CodePage codePage);

}  // namespace kelmar::platform
