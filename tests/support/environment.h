#pragma once
// Environment variables a test sets for the code under test, on every platform.

namespace kelmar::test {

// Sets name to value for this process; a null value removes it.
void setEnvironment(const char* name, const char* value);

}  // namespace kelmar::test
