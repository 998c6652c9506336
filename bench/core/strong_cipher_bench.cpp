// The strong cipher: one key derivation at the program's work factor (what
// a command pays once per salt), and the tokens of a note's lines.
#include "crypto/strong_note_lines.h"
#include "crypto/strong_primitives.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

using namespace quivra::crypto;

namespace {

void BM_StrongPbkdf2ProgramIterations(benchmark::State& state) {
    const std::vector<std::uint8_t> salt(16, 0x5A);
    AesKey key{};
    for (auto _ : state) {
        pbkdf2HmacSha256("Пароль для заметок", salt, kStrongKeyIterations, key);
        benchmark::DoNotOptimize(key);
    }
}
BENCHMARK(BM_StrongPbkdf2ProgramIterations)->Unit(benchmark::kMillisecond)->Iterations(3);

// A note of 5,000 lines of 60 characters, the key already derived.
void BM_StrongEncryptNoteLines(benchmark::State& state) {
    const std::vector<std::u16string> lines(5'000, std::u16string(60, u'ж'));
    StrongKeys keys(u"Пароль для заметок", 1);
    for (auto _ : state)
        benchmark::DoNotOptimize(encryptNoteLinesStrong(lines, keys));
    state.SetItemsProcessed(state.iterations() * 5'000);
}
BENCHMARK(BM_StrongEncryptNoteLines)->Unit(benchmark::kMillisecond);

} // namespace
