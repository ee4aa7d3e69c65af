#include "appserver/cli/password_input.h"

#include <sodium.h>

#include <stdexcept>

namespace dfe::appserver {
namespace {

std::string ReadLine(std::istream& in, std::ostream& prompts, bool confirm, const char* prompt) {
    if (confirm) prompts << prompt << std::flush;
    std::string line;
    const bool read = static_cast<bool>(std::getline(in, line));
    if (confirm) prompts << "\n";
    if (!read) throw std::runtime_error("nenhuma senha na entrada padrão");
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

} // namespace

std::string ReadNewPassword(std::istream& in, std::ostream& prompts, bool confirm) {
    std::string password = ReadLine(in, prompts, confirm, "Senha de liberação: ");
    if (password.empty()) throw std::runtime_error("a senha de liberação não pode ser vazia");
    if (!confirm) return password;
    std::string again = ReadLine(in, prompts, confirm, "Repita a senha: ");
    const bool same = again == password;
    sodium_memzero(again.data(), again.size());
    if (!same) {
        sodium_memzero(password.data(), password.size());
        throw std::runtime_error("as senhas digitadas não conferem");
    }
    return password;
}

} // namespace dfe::appserver
