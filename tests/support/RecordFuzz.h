#pragma once
// Fuzzing the settings record reader: inputs that look like what a disk,
// an editor or an older version might leave in config.dat, and a check of
// everything SettingsRecord promises for them, against a model of the file
// written from the record's layout rather than from the reader's code.
#include <cstdint>
#include <random>
#include <string>
#include <string_view>

namespace hv::test {

class RecordFuzzer {
public:
    explicit RecordFuzzer(std::uint64_t seed) : m_rng(seed) {}
    // The next input: 0 to 300 bytes, random or a damaged default record.
    std::string Next();

private:
    std::string RandomBytes();
    std::string PlausibleRecord();
    void Mutate(std::string& bytes);
    std::size_t Below(std::size_t n) { return static_cast<std::size_t>(m_rng() % n); }
    char AnyByte() { return static_cast<char>(m_rng() & 0xFF); }

    std::mt19937_64 m_rng;
};

// What SettingsRecord::FromBytes(input) and its accessors got wrong, as a
// sentence; empty when every promise holds.
std::string RecordFault(std::string_view input);

// Whether the record that Bytes() holds, read again, gives other states
// than the input did. Bytes() fills what a short input lacks with the
// defaults, also inside a field cut off (a label's tail, an alarm time's
// last digits), which the accessors take care not to do. Nothing promises
// otherwise and no caller reads Bytes() back; the bench counts it.
bool ReadAgainDiffers(std::string_view input);

// How much of the reader an input reaches, so a fuzz run can show it did
// not only try records that arm nothing.
struct RecordCoverage {
    std::uint64_t inputs = 0, shortInputs = 0, longInputs = 0, armedAlarms = 0, ownLabels = 0, cutLabels = 0,
                  nulFlags = 0, flagsOn = 0;
    void Add(std::string_view input);
};

// The input as C-escaped text, to reproduce a finding.
std::string Escaped(std::string_view bytes);

}  // namespace hv::test
