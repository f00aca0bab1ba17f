#pragma once
// Many steps against the host are "try it, and go on when it fails". These
// helpers keep each such step one line instead of a try/catch per statement.

#include "host/host_interface.h"

#include <utility>

namespace kelmar::host {

// Runs step; a HostError is swallowed. Returns whether the step succeeded.
template <class Step>
bool tryStep(Step&& step) {
    try {
        std::forward<Step>(step)();
        return true;
    } catch (const HostError&) {
        return false;
    }
}

// Runs read and returns its value, or fallback when the host call failed.
template <class Read, class T>
T readOr(Read&& read, T fallback) {
    try {
        return std::forward<Read>(read)();
    } catch (const HostError&) {
        return fallback;
    }
}

}  // namespace kelmar::host
