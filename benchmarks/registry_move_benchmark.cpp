// Under Wine or on Windows: what saving one move costs in the registry on a list of 500 rows,
// the whole list (what a move saved before) against the two rows that changed places (what it
// saves now). Works under a scratch key of its own, so a user's bindings are never touched:
//   scripts/winenv wine build/windows/bin/registry_move_benchmark.exe [ROWS [MOVES]]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "actions/action_list.h"
#include "actions/list_persistence.h"
#include "platform/win32/registry_store.h"

namespace {

class NullLog : public bw::EventLogWriter {
  public:
    void Write(bw::LogKind, const std::string&) override {}
};

// The median of the save's time in milliseconds over the given number of moves.
double MedianMs(int moves, const std::function<void()>& moveAndSave) {
    std::vector<double> times;
    for (int i = 0; i < moves; ++i) {
        const auto start = std::chrono::steady_clock::now();
        moveAndSave();
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    std::ranges::sort(times);
    return times[times.size() / 2];
}

// A key of the benchmark's own under HKEY_CURRENT_USER, gone however the run ends, and
// gone before it starts should an earlier run have died.
class ScratchKey {
  public:
    ScratchKey() {
        RegDeleteTreeW(HKEY_CURRENT_USER, kPath);
        RegCreateKeyExW(HKEY_CURRENT_USER, kPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_,
                        nullptr);
    }
    ~ScratchKey() {
        if (key_) RegCloseKey(key_);
        RegDeleteTreeW(HKEY_CURRENT_USER, kPath);
    }
    ScratchKey(const ScratchKey&) = delete;
    ScratchKey& operator=(const ScratchKey&) = delete;
    HKEY get() const { return key_; }

  private:
    static constexpr const wchar_t* kPath = L"Software\\Buttonwise registry benchmark";
    HKEY key_ = nullptr;
};

}  // namespace

int main(int argc, char** argv) {
    const int rows = std::max(argc > 1 ? std::atoi(argv[1]) : 500, 2);
    const int moves = std::max(argc > 2 ? std::atoi(argv[2]) : 21, 1);
    const ScratchKey root;
    if (!root.get()) return 1;
    NullLog log;
    bw::ActionList list(log);
    for (int i = 0; i < rows; ++i)
        list.AddKey("2", "B" + std::to_string(i), "Ctrl + C", "67", "2", {"player.exe"});
    bw::win32::RegistryStore store(root.get());
    bw::ListPersistence persistence(store, list, log);
    persistence.SaveList();
    const std::size_t middle = static_cast<std::size_t>(rows / 2);
    const double whole = MedianMs(moves, [&] {
        list.Move(middle, +1);
        persistence.SaveList();
    });
    const double two = MedianMs(moves, [&] {
        list.Move(middle, +1);
        persistence.SaveRows(middle, middle + 1);
    });
    std::printf(
        "one move's save on %d rows, median of %d: whole list %.2f ms, "
        "the two rows %.2f ms\n",
        rows, moves, whole, two);
    return 0;
}
