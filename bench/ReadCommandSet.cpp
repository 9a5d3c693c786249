// Reading a command set: the file into the buffer, the buffer cut into lines and
// the kept records into the table. The largest set there is: 1,200 records in
// 65,536 bytes, with LF line ends and with CR LF (the text-mode stream turns each
// pair into one LF, and the set then holds fewer records in as many bytes).

#include "tests/support/CommandSetFixtures.h"
#include "tests/support/TempDir.h"
#include "ui/DownloadDlg.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

constexpr std::size_t kFileBytes = 65'536;

// Records of 21 data bytes, 54 characters each, and a record for another device
// that the filter drops, making up the size.
std::string largestSet(bool crlf) {
    std::string file;
    for (const std::string& record : fixtures::commandSetRecords(crlf ? 1'170 : 1'200, 21))
        file += crlf ? record.substr(0, record.size() - 1) + "\r\n" : record;
    std::string filler = ":00300000";
    filler.append(kFileBytes - file.size() - filler.size() - 1, '0');
    return filler + "\n" + file;
}

void readCommandSet(benchmark::State& state, bool crlf) {
    TempDir dir;
    const std::string path = dir.write("KTX_DEMO.CSF", largestSet(crlf));
    const auto dlg = std::make_unique<CDownloadDlg>();
    for (auto _ : state)
        benchmark::DoNotOptimize(dlg->LoadCommandSet(CString(path.c_str())));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kFileBytes));
    state.counters["records"] = dlg->m_nRecordCount;
    state.counters["too_large"] = dlg->m_bTooLarge;
}

void ReadLargestSetWithLf(benchmark::State& state) {
    readCommandSet(state, false);
}
void ReadLargestSetWithCrLf(benchmark::State& state) {
    readCommandSet(state, true);
}

BENCHMARK(ReadLargestSetWithLf)->Unit(benchmark::kMicrosecond);
BENCHMARK(ReadLargestSetWithCrLf)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
