// The settings record reader against a million inputs: random bytes of any
// length up to 300 and damaged default records (bytes flipped, cut short,
// lengthened, NULs, upper-half bytes, digits out of place, fields shifted).
// Every accessor is called and checked against a model of the file (see
// tests/support/RecordFuzz.h); built with the sanitizers, so an access out
// of bounds or undefined arithmetic stops the run.
// Usage: hv_record_fuzz [count] [seed]   (not part of the tests)
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/support/RecordFuzz.h"

int main(int argc, char** argv) {
    const std::uint64_t count = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1000000;
    const std::uint64_t seed = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 20271031;

    hv::test::RecordFuzzer fuzzer(seed);
    hv::test::RecordCoverage coverage;
    std::uint64_t findings = 0, readAgainDiffers = 0;
    const auto began = std::chrono::steady_clock::now();
    for (std::uint64_t i = 0; i < count; ++i) {
        const std::string input = fuzzer.Next();
        coverage.Add(input);
        readAgainDiffers += hv::test::ReadAgainDiffers(input);
        const std::string fault = hv::test::RecordFault(input);
        if (fault.empty()) continue;
        if (++findings <= 20)
            std::printf("input %llu (%zu bytes) \"%s\": %s\n", static_cast<unsigned long long>(i), input.size(),
                        hv::test::Escaped(input).c_str(), fault.c_str());
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();

    const auto n = [](std::uint64_t v) { return static_cast<unsigned long long>(v); };
    std::printf("seed %llu: %llu inputs in %.1f s, %llu findings\n", n(seed), n(coverage.inputs), seconds,
                n(findings));
    std::printf("  shorter than the record %llu, longer %llu; alarms armed %llu; labels of their own %llu, "
                "cut or with a NUL %llu;\n  NUL flags %llu; inputs with an option on %llu\n",
                n(coverage.shortInputs), n(coverage.longInputs), n(coverage.armedAlarms), n(coverage.ownLabels),
                n(coverage.cutLabels), n(coverage.nulFlags), n(coverage.flagsOn));
    // Not a finding: Bytes() of a short record holds defaults inside cut fields.
    std::printf("  records whose Bytes(), read again, arm another alarm or give another label: %llu\n",
                n(readAgainDiffers));
    return findings == 0 ? 0 : 1;
}
