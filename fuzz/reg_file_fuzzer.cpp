// Any bytes as a bindings file: an import never fails but by naming a fault, accounts for
// every row the file counts, and what it takes, exported and imported again, is the same list,
// so a file the user exports restores exactly what was imported.
#include <cstdlib>

#include "actions/bindings_file.h"
#include "fakes.h"

using namespace bw;
using namespace bw::test;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Latin1CodePage ansi;
    const ImportedBindings first =
        ImportBindings({reinterpret_cast<const char*>(data), size}, ansi);
    if (first.fault) return 0;
    if (first.rows.size() + first.leftOut != first.rowsInFile) std::abort();

    RecordingLog log;
    ActionList list(log);
    list.Replace(first.rows);
    const ImportedBindings second = ImportBindings(ExportBindings(list), ansi);
    if (second.fault || second.leftOut != 0 || second.rows != first.rows) std::abort();
    return 0;
}
