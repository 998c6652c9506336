// The text cipher and the key derivation: one command derives a key set once
// and enciphers the selection or every line of the note.
#include "crypto/cipher.h"
#include "crypto/key_derivation.h"
#include "crypto/note_lines_cipher.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

using namespace quivra::crypto;

namespace {

const KeySet kKeys{761444360058313646, 1264319126, -116950129576433878, 1654661791545695610,
                   1654661791545695710};

std::u16string randomText(std::size_t n) {
    std::mt19937 rng(7);
    std::u16string text(n, u'\0');
    for (auto& c : text)
        c = static_cast<char16_t>(u'А' + rng() % 64);
    return text;
}

void BM_CipherEncryptText(benchmark::State& state) {
    const std::u16string text = randomText(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(EncryptText(text, kKeys));
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetBytesProcessed(state.iterations() * state.range(0) * 2);
}
BENCHMARK(BM_CipherEncryptText)
    ->Arg(1'000)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Arg(512 * 1024) // 1 MiB of UTF-16
    ->Unit(benchmark::kMicrosecond);

// The cipher run pass by pass over the text, for comparison: 200 + 2n passes.
void BM_CipherPassByPass(benchmark::State& state) {
    const std::u16string text = randomText(static_cast<std::size_t>(state.range(0)));
    const auto n = static_cast<std::int64_t>(text.size());
    for (auto _ : state) {
        std::u16string t = text;
        for (std::int64_t i = 1; i <= 50; ++i)
            t = CipherPass(t, kKeys.K1 + i, kKeys.K4 - i);
        for (std::int64_t i = 1; i <= n; ++i)
            t = CipherPass(t, kKeys.K2 / i, kKeys.K5 + i);
        for (std::int64_t j = n; j >= 1; --j)
            t = CipherPass(t, kKeys.K3 - j, kKeys.K5 / j);
        for (std::int64_t k = 1; k <= 150; ++k)
            t = CipherPass(t, kKeys.K4 / k, kKeys.K3 / k);
        benchmark::DoNotOptimize(t);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_CipherPassByPass)->Arg(1'000)->Arg(10'000)->Unit(benchmark::kMicrosecond);

// A note of 5,000 lines of 60 characters, every tenth line in a comment block.
void BM_CipherNoteLines(benchmark::State& state) {
    std::vector<std::u16string> lines;
    for (int i = 0; i < 5'000; ++i)
        lines.push_back(i % 10 == 0 ? u"##[" + randomText(54) + u"]##" : randomText(60));
    for (auto _ : state)
        benchmark::DoNotOptimize(cipherNoteLines(lines, kKeys, CipherDirection::Encrypt));
    state.SetItemsProcessed(state.iterations() * 5'000);
}
BENCHMARK(BM_CipherNoteLines)->Unit(benchmark::kMillisecond);

void BM_CipherDeriveKeySet(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(
            DeriveKeySet(u"Пароль для заметок", quivra::base::portableTextServices()));
}
BENCHMARK(BM_CipherDeriveKeySet)->Unit(benchmark::kMicrosecond);

} // namespace
