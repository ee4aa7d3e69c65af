// The working tax tables the clerk edits, rebuilt from the item and document taxes the server sent.
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "dfe11000/posting/posting_loader.h"
#include "platform/data/handler_guard.h"

#include <utility>

namespace dfe::dfe11000 {
namespace {

using Correspondence = std::pair<const char*, const char*>; // loaded field, working field

constexpr Correspondence kItemTaxes[] = {
    {"CDPRODUTO", "CDPRODUTO"},
    {"CDFILIAL", "CDFILIMPOIT"},
    {"NRLANCTONF", "NRLANCIMPOIT"},
    {"NRSEQITPROD", "NRSEQIMPOIT"},
    {"CDIMPOSTO", "CDIMPOSTOIT"},
    {"SGIMPOSTO", "SGIMPOSTO"},
    {"VRCONTITIMP", "VRCONTIMPOIT"},
    {"VRPERREDBCIT", "VRREDBCIMPOIT"},
    {"VR1PERREDBCIT", "VR1REDBCIMPOIT"},
    {"VRBASECALCIT", "VRBCALCIMPOIT"},
    {"VRALIQITEM", "VRALIQIMPOIT"},
    {"VRPARDEDIT", "VRPDEDIMPOIT"},
    {"VRIMPOSTOIT", "VRIMPOSIT"},
    {"CDFISCALIT", "CDFISCIMPOIT"},
    {"CDSITUTRIBIT", "CDSTRIBIMPOIT"},
    {"CDFISCOPERIT", "CDFOPERIMPOIT"},
    {"CDSUFXCFOPIT", "CDSCFOPIMPOIT"},
    {"IDERROSIMPIT", "IDERRIMPOIT"},
    {"IDAVISIMPIT", "IDAVISIMPOIT"},
    {"IDVALORINFIT", "IDVALORINFO"},
    {"IDTRIMPSTII", "IDTRIMPSTTI"},
    {"CDSITUTRIBITNFE", "CDSTRIBITNFE"},
    {"IDMODBCITNFE", "IDMODBCITEMNFE"},
    {"IDMODBCSTITNFE", "IDMODBCSTITENFE"},
    {"CDTPCREDPICOITE", "CDTPCREDPICOITE"},
    {"CDNATUBCALPCIT", "CDNATUBCALPCIT"},
    {"VRADICALIQFECP", "VRADICALIQFECP"},
    {"VRADICFECP", "VRADICFECP"},
};

constexpr Correspondence kDocumentTaxes[] = {
    {"CDIMPOSTO", "CDIMPOSTOT"},    {"SGIMPOSTO", "SGIMPOSTO"},     {"VRTOTIMPONF", "VRIMPOSTOT"},
    {"IDERROSIMPTT", "IDERROSTOT"}, {"IDAVISIMPTT", "IDAVISOSTOT"}, {"IDTRATIMPO", "IDTRATIMPO"},
    {"IDPRODNOTA", "IDPRODNOTA"},
};

template <size_t N> void CopyRow(const DataSet& from, DataSet& to, const Correspondence (&fields)[N]) {
    for (const auto& [source, target] : fields)
        to.FieldByName(target).SetValue(from.FieldByName(source).Value());
}

// Copies every row of `from` into the emptied `to`; `extra` completes each row before it is posted.
template <size_t N, class Extra>
void CopyRows(DataSet& from, DataSet& to, const Correspondence (&fields)[N], Extra extra) {
    to.CreateDataSet();
    if (!from.Active()) return;
    // The copy is the stored posting: the rules of the clerk's rows are not its to pass.
    const DetachedHandler noDefaults(to.OnNewRecord);
    const DetachedHandler noChecks(to.BeforePost);
    const DetachedHandler noReactions(to.AfterPost);
    ControlsPause quietTarget(to);
    ControlsPause quietSource(from);
    const Bookmark here = from.GetBookmark();
    for (from.First(); !from.Eof(); from.Next()) {
        to.Append();
        CopyRow(from, to, fields);
        extra(from, to);
        to.Post();
    }
    if (from.BookmarkValid(here)) from.GotoBookmark(here);
    // The copy is the posting as loaded: only what the clerk changes afterwards is a change.
    to.MergeChangeLog();
    to.First();
}

} // namespace

void PostingLoader::AtualizaTabTrab() {
    const bool hideCredited = data_.cdsParamDFE.Active() && data_.cdsParamDFE.FindField("IDPERVISIMPSCRE") &&
                              data_.cdsParamDFE.FieldByName("IDPERVISIMPSCRE").AsString() == "N";
    CopyRows(data_.cdsItemProImpos, data_.cdsTrabItProImpos, kItemTaxes,
             [hideCredited](const DataSet&, DataSet& to) {
                 const std::string fiscal = to.FieldByName("CDFISCIMPOIT").AsString();
                 const bool hidden = hideCredited && (fiscal == "2" || fiscal == "3");
                 to.FieldByName("VRIMPOSVISUIT")
                     .SetValue(hidden ? Variant(0.0) : to.FieldByName("VRIMPOSIT").Value());
             });
    CopyRows(data_.cdsImposNFTot, data_.cdsTrabImposNFTot, kDocumentTaxes, [](const DataSet&, DataSet&) {});
}

} // namespace dfe::dfe11000
