// Field cipher speed: a stored line once the key is derived, and the two key derivations.

#include "store/cipher.hpp"

#include <benchmark/benchmark.h>

#include <string>

using namespace quorvel;

namespace {

const store::Key& dataKey() {
    static const store::Key key = store::Key::forUserData("bench password", "123456");
    return key;
}

// A plain text whose stored line is about 100 bytes (1 + 24 + 16 bytes of overhead, Base64).
const std::string kShortText(34, 'v');
const std::string kHundredText(100, 'v');

void BM_EncryptLine(benchmark::State& state, const std::string& text) {
    const auto& key = dataKey();
    for (auto _ : state) {
        benchmark::DoNotOptimize(store::encryptLine(key, text));
    }
}

void BM_DecryptLine(benchmark::State& state, const std::string& text) {
    const auto& key = dataKey();
    const std::string line = store::encryptLine(key, text);
    state.SetLabel(std::to_string(line.size()) + "-byte line");
    for (auto _ : state) {
        benchmark::DoNotOptimize(store::decryptLine(key, line));
    }
}

void BM_UserListKey(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(store::Key::forUserList("123456"));
    }
}

void BM_UserDataKey(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(store::Key::forUserData("bench password", "123456"));
    }
}

void BM_CheckVerifier(benchmark::State& state) {
    const std::string verifier = store::makePasswordVerifier("bench password");
    for (auto _ : state) {
        benchmark::DoNotOptimize(store::checkPasswordVerifier(verifier, "bench password"));
    }
}

} // namespace

BENCHMARK_CAPTURE(BM_EncryptLine, stored_100_bytes, kShortText);
BENCHMARK_CAPTURE(BM_EncryptLine, plain_100_bytes, kHundredText);
BENCHMARK_CAPTURE(BM_DecryptLine, stored_100_bytes, kShortText);
BENCHMARK_CAPTURE(BM_DecryptLine, plain_100_bytes, kHundredText);
BENCHMARK(BM_UserListKey);
BENCHMARK(BM_UserDataKey)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckVerifier)->Unit(benchmark::kMillisecond);
