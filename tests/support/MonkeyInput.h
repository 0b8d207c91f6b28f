#pragma once
// The monkey's dice and what it types: texts for entry fields and labels,
// coherent entries for a slot, time steps and clock settings.
#include <array>
#include <cstdint>
#include <random>
#include <string>

namespace hv::test {

class Rng {
public:
    explicit Rng(std::uint64_t seed) : m_engine(seed) {}
    // 0 .. n-1 (n > 0). Our own arithmetic, so that a seed gives the same
    // run with any standard library.
    std::uint64_t Below(std::uint64_t n) { return m_engine() % n; }
    std::int64_t Between(std::int64_t lo, std::int64_t hi) {
        return lo + static_cast<std::int64_t>(Below(static_cast<std::uint64_t>(hi - lo + 1)));
    }
    bool Chance(int percent) { return Below(100) < static_cast<std::uint64_t>(percent); }
    std::int64_t LogUniform(std::int64_t lo, std::int64_t hi);
    template <typename T, std::size_t N>
    const T& Pick(const std::array<T, N>& items) {
        return items[Below(N)];
    }

private:
    std::mt19937_64 m_engine;
};

// Anything a user might type or paste into an entry field: digits in and
// out of range, long digit strings, letters, blanks, umlauts as CP1252
// bytes, signs and separators, stray bytes, nothing.
std::string EntryText(Rng& rng);

// The three texts of an alarm entry for a time of day (seconds since
// midnight), written as a user might: with or without leading zeros,
// empty for zero.
std::array<std::string, 3> AlarmEntryTexts(Rng& rng, std::int64_t secondOfDay);

// A countdown entry of a few seconds to a few hours, sometimes absurdly
// long, spread over the fields as a user might (150 seconds, 120 minutes).
std::array<std::string, 3> CountdownEntryTexts(Rng& rng);

// A label as typed into the editor: empty, one to fifteen characters with
// blanks and umlauts, or too long.
std::string LabelText(Rng& rng);

// How long the user lets the program run: mostly seconds, sometimes minutes,
// now and then up to two hours. While the stopwatch runs, at most a minute:
// its worker wakes every 100 ms, each time a switch between real threads in
// the headless world, and an hour of it costs some 3 s.
std::int64_t TimeStepMs(Rng& rng, bool stopwatchRunning);

// A text for the log: printable ASCII as is, other bytes as \xHH.
std::string Quote(const std::string& bytes);

}  // namespace hv::test
