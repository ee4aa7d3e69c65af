#pragma once

// What a closing run, its error list and its error dialog tell each other: the clerk's choice in the dialog,
// the release codes it accepted and what the run must offer afterwards. The posting form owns one; the
// closing rules, the error list and the dialog read and write it, nothing else does.

#include <string>

namespace dfe::dfe11000 {

struct ClosingFlags {
    // The dialog's result: "F" close again, blank otherwise.
    std::string chResultErros;
    // The release codes the next closing run sends ("#DFE11000_1##LIB00200_2#..."); "0" for a first run.
    std::string stCodLibFech;
    // "N" until the error dialog of this cycle was shown.
    std::string stErrosExibidos = "N";
    // "S" while the manual apportionment may still be offered.
    std::string stOfereceRateio = "S";
    bool boGeraDevolucao = false;
    bool boBaixaTotalAF = false;
    bool boAvisaOcorrencia = true;
    // The server asked for the monthly base (row "BCMENSAL"): its module was opened instead of the dialog.
    bool boBaseMensal = false;
    // Set by a successful closing: the next closing of the posting after an edit asks the release again.
    bool boPedeSenhaFech = false;
};

} // namespace dfe::dfe11000
