// The working tax tables the clerk edits, rebuilt from the taxes the server sent.
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/posting/row_fields.h"

#include <utility>
#include <vector>

namespace dfe::dfe11000 {
namespace {

using Correspondence = std::vector<std::pair<const char*, const char*>>;

const Correspondence kItemTaxes = {{"CDPRODUTO", "CDPRODUTO"},
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
                                   {"IDTRATIMPO", "IDTRATIMPO"}};

const Correspondence kDocumentTaxes = {{"CDFILIAL", "CDFILIMPTOT"},    {"NRLANCTONF", "NRLANCIMPTOT"},
                                       {"CDIMPOSTO", "CDIMPOSTOT"},    {"SGIMPOSTO", "SGIMPOSTO"},
                                       {"VRTOTIMPONF", "VRIMPOSTOT"},  {"VRTOTBCALCNF", "VRBCALIMPTOT"},
                                       {"IDERROSIMPTT", "IDERROSTOT"}, {"IDAVISIMPTT", "IDAVISOSTOT"},
                                       {"IDTRATIMPO", "IDTRATIMPO"},   {"IDPRODNOTA", "IDPRODNOTA"}};

void Recreate(DataSet& target, const DataSet& source, const Correspondence& fields, bool withShownValue) {
    target.Close();
    if (target.FieldCount() > 0) {
        target.CreateDataSet();
        return;
    }
    std::vector<FieldDef> defs;
    for (const auto& [from, to] : fields) {
        if (const Field* f = source.Active() ? source.FindField(from) : nullptr) {
            FieldDef def = f->Def();
            def.name = to;
            defs.push_back(def);
        }
    }
    if (withShownValue) defs.push_back(FieldDef{"VRIMPOSVISUIT", FieldType::Float});
    target.CreateDataSet(defs);
}

void Copy(DataSet& target, DataSet& source, const Correspondence& fields,
          const std::function<void(DataSet&)>& extra) {
    if (!source.Active()) return;
    for (source.First(); !source.Eof(); source.Next()) {
        target.Append();
        for (const auto& [from, to] : fields) {
            const Field* f = source.FindField(from);
            Field* t = target.FindField(to);
            if (f && t && !t->IsCalculated()) t->SetValue(f->Value());
        }
        if (extra) extra(target);
        target.Post();
    }
    source.First();
    target.First();
}

} // namespace

void TfrmLancNFEntrada::AtualizaTabTrab() {
    Recreate(cdsTrabItProImpos, cdsItemProImpos, kItemTaxes, true);
    Recreate(cdsTrabImposNFTot, cdsImposNFTot, kDocumentTaxes, false);
    const bool hidden = FieldText(cdsParamGeral, "IDPERVISIMPSCRE") == "N";
    Copy(cdsTrabItProImpos, cdsItemProImpos, kItemTaxes, [hidden](DataSet& row) {
        Field* shown = row.FindField("VRIMPOSVISUIT");
        if (!shown) return;
        const bool unseen = hidden && OneOf(FieldText(row, "CDFISCIMPOIT"), {"2", "3"});
        const Field* value = row.FindField("VRIMPOSIT");
        shown->SetAsFloat(unseen || !value ? 0.0 : value->AsFloat());
    });
    Copy(cdsTrabImposNFTot, cdsImposNFTot, kDocumentTaxes, nullptr);
}

} // namespace dfe::dfe11000
