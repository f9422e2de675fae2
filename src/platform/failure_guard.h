// The boundary of every guarded handler: a failure thrown inside ends the handler and its
// description is reported. Written once so that every handler treats failures alike.
#pragma once

#include <exception>
#include <string>
#include <utility>

#include "platform/failure.h"

namespace bw {

template <typename Body, typename Report>
void RunGuarded(Body&& body, Report&& report) {
    try {
        std::forward<Body>(body)();
    } catch (const std::exception& failure) {
        report(std::string(failure.what()));
    }
}

}  // namespace bw
