// Looking actions up by their stored names.
#include "actions/action_catalogue.h"

#include <algorithm>

namespace bw {

namespace {

template <typename Action, std::size_t N>
const Action* FindByName(const Action (&actions)[N], std::string_view name) {
    const auto found = std::find_if(std::begin(actions), std::end(actions),
                                    [name](const Action& action) { return name == action.name; });
    return found == std::end(actions) ? nullptr : found;
}

template <typename Action, std::size_t N>
std::vector<std::string> Names(const Action (&actions)[N]) {
    std::vector<std::string> names;
    for (const Action& action : actions) names.emplace_back(action.name);
    return names;
}

}  // namespace

const char* ActionTypeName(ActionType type) {
    switch (type) {
        case ActionType::Keyboard:
            return "Keyboard Action";
        case ActionType::Mouse:
            return "Mouse Action";
        case ActionType::System:
            return "System Action";
        case ActionType::Run:
            return "Run a program";
    }
    return "";
}

const MouseAction* FindMouseAction(std::string_view name) {
    return FindByName(kMouseActions, name);
}

const SystemAction* FindSystemAction(std::string_view name) {
    return FindByName(kSystemActions, name);
}

std::vector<std::string> MouseActionNames() {
    return Names(kMouseActions);
}

std::vector<std::string> SystemActionNames() {
    return Names(kSystemActions);
}

}  // namespace bw
