// The list of postings a filter asks for.
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/server/server_gateway.h"
#include "platform/net/check_result.h"
#include "support/show_avi.h"

namespace dfe::dfe11000 {

void TfrmLancNFEntrada::GetRomaneioNF(const RomaneioFilter& filter, Form* busyOn) {
    net::ConnectionReference reference(References(), netLancNFEntrada);
    support::ShowAviScope busy(busyOn ? busyOn : App().MainForm(), support::kAviProcurando);
    Variant answer;
    RunWithRetry(netLancNFEntrada, [&] {
        // The server may write the by-reference arguments back: every attempt starts from the filter.
        RomaneioFilter f = filter;
        net::CallArgs args;
        args.StrRef(f.branch).StrRef(f.series).StrRef(f.operationTypes).StrRef(f.participant);
        args.StrRef(f.issuingBranch).DateRef(f.entryFrom).DateRef(f.entryTo).DateRef(f.issueFrom);
        args.DateRef(f.issueTo).StrRef(f.participantKind).StrRef(f.allDates).StrRef(f.customer);
        answer = net::CheckResultServ(netLancNFEntrada.Call("GetRomaneioNF", args));
    });
    cdsRomaneioNF.SetData(answer);
}

} // namespace dfe::dfe11000
