#pragma once
// Who we are: the texts the program uses for itself.

namespace kelmar::platform {

inline constexpr const char* kApplicationTitle = "Kelmar";
// Title of the boxes that name the executable (administrator gate, cancel question).
#ifdef _WIN32
inline constexpr const char* kExecutableName = "Kelmar";
#else
inline constexpr const char* kExecutableName = "kelmar";
#endif
// The project's version from CMakeLists.txt, as major.minor.revision.
extern const char kVersion[];

}  // namespace kelmar::platform
