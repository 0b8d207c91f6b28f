// The program's own start-up work, in process and without Wine: reading the
// settings record and initialising the main window (headless backend).
// Build without sanitizers: cmake -S . -B build/bench -DHV_SANITIZE=OFF
#include <benchmark/benchmark.h>

#include "model/SettingsRecord.h"
#include "platform/headless/World.h"
#include "ui/HauptDlg.h"

namespace {

void BM_ParseSettingsRecord(benchmark::State& state) {
    std::string bytes = hv::SettingsRecord::Default().Bytes();
    bytes[2] = 't';
    for (auto _ : state) {
        const auto record = hv::SettingsRecord::FromBytes(bytes);
        benchmark::DoNotOptimize(record.AlarmArmed(0));
        benchmark::DoNotOptimize(record.Label(5));
    }
}
BENCHMARK(BM_ParseSettingsRecord);

// WM_INITDIALOG of the main window with a stored settings file: registry,
// one read, fonts, start states, timers.
void BM_MainWindowInit(benchmark::State& state) {
    auto& world = hv::headless::World::Get();
    for (auto _ : state) {
        state.PauseTiming();
        world.Reset();
        world.moduleFileName = "C:\\Programme\\Horovant\\Horovant.exe";
        world.files[world.ResolvePath("C:\\Programme\\Horovant\\config.dat")].bytes =
            hv::SettingsRecord::Default().Bytes();
        hv::HauptDlg dlg;
        state.ResumeTiming();
        world.Open(dlg);
        state.PauseTiming();
        world.Close(dlg);
        state.ResumeTiming();
    }
    world.Reset();
}
BENCHMARK(BM_MainWindowInit);

}  // namespace
