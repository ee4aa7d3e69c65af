// Whether the origin documents of a return carry data of an electronic invoice (QTDNFCE).
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/posting/posting_loader.h"

namespace dfe::dfe11000 {
namespace {

bool SingleOriginHasData(const DataSet& single) {
    return single.Active() && single.RecordCount() == 1 && single.FindField("QTDNFCE") &&
           single.FieldByName("QTDNFCE").AsFloat() > 0;
}

bool SomeListedOriginHasData(DataSet& list) {
    if (!list.Active() || !list.FindField("QTDNFCE")) return false;
    const std::string filter = list.Filter();
    const bool filtered = list.Filtered();
    const Bookmark where = list.GetBookmark();
    list.SetFilter("QTDNFCE > 0");
    list.SetFiltered(true);
    const bool found = !list.IsEmpty();
    list.SetFiltered(false);
    list.SetFilter(filter);
    list.SetFiltered(filtered);
    if (list.BookmarkValid(where)) list.GotoBookmark(where);
    return found;
}

} // namespace

void PostingLoader::Atualiza_stExisteDadosNF() {
    // Recomputed from scratch: a stale "S" of a previous origin must never survive.
    std::string& exists = Cli_dfe11000().stExisteDadosNF;
    exists = "N";
    if (ui_.rbtUnica->Checked()) {
        if (SingleOriginHasData(data_.cdsNFOrigSaid)) exists = "S";
    } else if (ui_.rbtLista->Checked()) {
        if (SomeListedOriginHasData(data_.cdsNFOrigLista)) exists = "S";
    }
}

} // namespace dfe::dfe11000
