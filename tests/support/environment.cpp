#include "support/environment.h"

#include <cstdlib>

namespace kelmar::test {

void setEnvironment(const char* name, const char* value) {
#ifdef _WIN32
    // An empty value removes the variable.
    _putenv_s(name, value ? value : "");
#else
    if (value) setenv(name, value, 1);
    else unsetenv(name);
#endif
}

}  // namespace kelmar::test
