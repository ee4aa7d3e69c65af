#include "appserver/modules/release_password_methods.h"

#include "appserver/modules/call_arguments.h"
#include "appserver/security/release_passwords.h"
#include "platform/core/text.h"
#include "platform/net/connection_names.h"
#include "platform/net/release_calls.h"

#include <sodium.h>

namespace dfe::appserver {
namespace {

// Longer passwords are refused before any hashing work.
constexpr size_t kMaxPasswordBytes = 256;

Variant Answer(bool accepted, const std::string& message) {
    return net::AnswerWriter(net::kConfSenhaLiberacaoAnswer)
        .Set("accepted", Variant(accepted ? "S" : "N"))
        .Set("message", Variant(message))
        .Finish();
}

// Arguments (release_calls.h): operator, password, branch, posting number. The password is taken out of
// the call at once, so that a by-reference password is not sent back nor kept in the answer log; refusals
// are answers ["N", text], so that the count of wrong tries is kept.
Variant ConfSenhaLiberacao(MethodContext& call) {
    ExpectArgCount(call, net::kConfSenhaLiberacaoArgCount, net::kConfSenhaLiberacaoArgCount);
    if (call.Arg(1).Type() != VariantType::String && !call.Arg(1).IsNull())
        throw MethodRefusal("Argumento 2 (senha) de " + call.Method() + " deve ser um texto.");
    std::string password = call.Arg(1).IsNull() ? std::string() : call.Arg(1).StringRef();
    call.SetArg(1, Variant(""));
    struct Wipe {
        std::string& text;
        ~Wipe() { sodium_memzero(text.data(), text.size()); }
    } wipe{password};
    const std::string operatorCode = text::Upper(CodeArg(call, 0, 12, "operador"));
    const std::string branch = CodeArg(call, 2, 4, "filial");
    CodeArg(call, 3, 10, "número do lançamento");
    if (operatorCode.empty()) return Answer(false, "Informe o operador que libera o lançamento.");
    if (branch.empty())
        throw MethodRefusal("Argumento 3 (filial) de " + call.Method() + " deve ser informado.");
    if (password.empty()) return Answer(false, "Informe a senha de liberação.");
    if (password.size() > kMaxPasswordBytes) return Answer(false, "Senha de liberação inválida.");
    const ReleaseAnswer answer = ConfirmRelease(call.Db(), operatorCode, password, branch, call.Now());
    return Answer(answer.accepted, answer.message);
}

} // namespace

void RegisterReleasePasswordMethods(MethodRegistry& registry) {
    registry.Add(net::kAutoriza, net::kConfSenhaLiberacao, MethodKind::Write, ConfSenhaLiberacao);
}

} // namespace dfe::appserver
