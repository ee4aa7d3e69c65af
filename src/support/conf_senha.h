#pragma once

// The release-password dialog: an operator entitled to release postings at the branch confirms with his
// release password. The dialog never judges a password: the caller's check asks the server.

#include "platform/ui/controls.h"
#include "platform/ui/form.h"

#include <functional>
#include <string>

namespace dfe::support {

struct ReleaseVerdict {
    bool released = false;
    std::string message; // why not, for the operator
};
using ReleaseCheck = std::function<ReleaseVerdict(const std::string& op, const std::string& password)>;

class TfrmConfSenha : public Form {
public:
    TfrmConfSenha(Application& app, const std::string& branch, const std::string& posting,
                  ReleaseCheck check);
    ~TfrmConfSenha() override;

    Label* lblLancamento = nullptr;
    Edit* edtOperador = nullptr;
    Edit* edtSenha = nullptr;
    Button* btnConfirmar = nullptr;
    Button* btnCancelar = nullptr;

private:
    void Confirm();

    ReleaseCheck check_;
};

// True when an entitled operator confirmed the release; false when the dialog was given up.
bool CriaConf_Senha(const std::string& branch, const std::string& posting, const ReleaseCheck& check);

} // namespace dfe::support
