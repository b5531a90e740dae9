// User list speed: start-up load of 50 users, and sign-in (verifier check plus one data-key
// derivation).

#include "store/cipher.hpp"
#include "users/session.hpp"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

using namespace quorvel;

namespace {

// A folder in the system's temporary folder, removed afterwards.
class BenchFolder {
public:
    BenchFolder() {
        std::string templ =
            (std::filesystem::temp_directory_path() / "quorvel-bench-XXXXXX").string();
        if (::mkdtemp(templ.data()) == nullptr) {
            throw std::runtime_error("mkdtemp failed");
        }
        path_ = templ;
    }
    ~BenchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// Writes n users straight to the file (creating 50 verifiers through createAccount would only
// time Argon2id).
void writeUsers(users::Session& session, int n) {
    session.loadQuorvel();
    const std::string verifier = store::makePasswordVerifier("password");
    std::string content;
    for (int i = 0; i < n; ++i) {
        content += session.encryptPass("User number " + std::to_string(i)) + "\n";
        content += session.encryptPass(verifier) + "\n";
    }
    store::replaceAtomically(*session.folder().fileByName(users::kUserFile), content);
}

void BM_LoadFiftyUsers(benchmark::State& state) {
    BenchFolder folder;
    users::Session session{store::Folder(folder.path())};
    writeUsers(session, 50);
    for (auto _ : state) {
        session.loadQuorvel();
        session.loadPass();
    }
    if (session.popup().size() != 52) {
        state.SkipWithError("users not loaded");
    }
}

void BM_SignIn(benchmark::State& state) {
    BenchFolder folder;
    users::Session session{store::Folder(folder.path())};
    session.loadQuorvel();
    session.loadPass();
    session.createAccount("Ann", "Ann's password", "Ann's password");
    for (auto _ : state) {
        if (!session.login(2, "Ann's password")) {
            state.SkipWithError("sign-in refused");
            break;
        }
        state.PauseTiming();
        session.signOut();
        state.ResumeTiming();
    }
}

void BM_RefusedSignIn(benchmark::State& state) {
    BenchFolder folder;
    users::Session session{store::Folder(folder.path())};
    session.loadQuorvel();
    session.loadPass();
    session.createAccount("Ann", "Ann's password", "Ann's password");
    for (auto _ : state) {
        benchmark::DoNotOptimize(session.login(2, "wrong password"));
    }
}

} // namespace

BENCHMARK(BM_LoadFiftyUsers)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SignIn)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RefusedSignIn)->Unit(benchmark::kMillisecond);
