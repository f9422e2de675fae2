// Any values under the settings keys, checks that match their rows or not: loading never
// fails, and what is loaded, saved and loaded again is the same list, so nothing a user
// saved is lost or changed on the way.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>

#include "actions/action_list.h"
#include "actions/list_persistence.h"
#include "fakes.h"

using namespace bw;
using namespace bw::test;

namespace {

std::vector<ActionRow> Rows(const ActionList& list) {
    std::vector<ActionRow> rows;
    for (std::size_t i = 1; i <= list.Count(); ++i) rows.push_back(list.Row(i));
    return rows;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    FakeSettingsStore store;
    const char* keys[] = {"RemoteKey", "ActionType", "ActionName", "KeyCode", "KeyShift",
                          "KeyType",   "Program",    "Remote",     "Check"};
    // A count that is mostly small, so that the rows are mostly there.
    store.Key("#ListCount") = input.ConsumeBool()
                                  ? std::to_string(input.ConsumeIntegralInRange(0, 6))
                                  : input.ConsumeRandomLengthString(12);
    for (int row = 1; row <= 6; ++row) {
        const std::string n = std::to_string(row);
        for (const char* key : keys)
            if (input.ConsumeBool()) store.Key(key + n) = input.ConsumeRandomLengthString(24);
        // Now and then the check that vouches for the row's newer values.
        if (input.ConsumeBool())
            store.Key("Check" + n) =
                RowCheck({store.Key("RemoteKey" + n), store.Key("ActionType" + n),
                          store.Key("ActionName" + n), store.Key("KeyCode" + n),
                          store.Key("KeyShift" + n), store.Key("KeyType" + n)});
    }

    RecordingLog log;
    ActionList first(log);
    ListPersistence loadFirst(store, first, log);
    loadFirst.LoadList();
    loadFirst.SaveList();

    ActionList second(log);
    ListPersistence loadSecond(store, second, log);
    loadSecond.LoadList();
    if (Rows(first) != Rows(second)) std::abort();
    return 0;
}
