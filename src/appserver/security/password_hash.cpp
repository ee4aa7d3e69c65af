#include "appserver/security/password_hash.h"

#include <sodium.h>

#include <array>
#include <stdexcept>

namespace dfe::appserver {
namespace {

void StartSodium() {
    static const bool started = sodium_init() >= 0;
    if (!started)
        throw std::runtime_error("não foi possível iniciar a biblioteca de criptografia (libsodium)");
}

// A hash of a random password nobody knows, made once, with the same costs as every stored hash.
const std::string& DummyHash() {
    static const std::string hash = [] {
        std::array<unsigned char, 32> secret{};
        randombytes_buf(secret.data(), secret.size());
        std::string h =
            HashPassword(std::string_view(reinterpret_cast<const char*>(secret.data()), secret.size()));
        sodium_memzero(secret.data(), secret.size());
        return h;
    }();
    return hash;
}

} // namespace

std::string HashPassword(std::string_view password) {
    StartSodium();
    std::array<char, crypto_pwhash_STRBYTES> out{};
    if (crypto_pwhash_str_alg(out.data(), password.data(), password.size(),
                              crypto_pwhash_OPSLIMIT_INTERACTIVE, crypto_pwhash_MEMLIMIT_INTERACTIVE,
                              crypto_pwhash_ALG_ARGON2ID13) != 0) {
        throw std::runtime_error("memória insuficiente para calcular o hash da senha");
    }
    return std::string(out.data());
}

bool VerifyPassword(const std::string& hash, std::string_view password) {
    StartSodium();
    if (hash.size() >= crypto_pwhash_STRBYTES) return false;
    return crypto_pwhash_str_verify(hash.c_str(), password.data(), password.size()) == 0;
}

void SpendVerification(std::string_view password) {
    VerifyPassword(DummyHash(), password);
}

} // namespace dfe::appserver
