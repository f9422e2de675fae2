// Action names as the tests write them: only names the catalogue has, so that a renamed
// action fails the tests that use it instead of leaving them with a name no binding holds.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "actions/action_catalogue.h"

namespace bw::test {

inline std::string MouseName(const char* name) {
    EXPECT_NE(FindMouseAction(name), nullptr) << name << " is no mouse action";
    return name;
}

inline std::string SystemName(const char* name) {
    EXPECT_NE(FindSystemAction(name), nullptr) << name << " is no system action";
    return name;
}

}  // namespace bw::test
