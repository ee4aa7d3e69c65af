#pragma once

// The attributes of an operation type the rules ask for (TipoOper), each with its element number in the
// array the original rules read by position.

#include <array>
#include <string>

namespace dfe::dfe11000 {

struct OperationType {
    std::string IDOPERDEVONF;       // 0  return operation
    std::string IDUTLLISTORI;       // 1  origin documents by list
    std::string IDNFORIGOBRI;       // 2  origin document mandatory
    std::string DSOPERNFORIG;       // 3  operations of the origin documents
    std::string IDDCORIGRELAC;      // 4
    std::string IDATUESTTPOP;       // 5  updates stock
    std::string IDINFCPFCNPJNF;     // 6  CPF/CNPJ typed instead of a supplier
    std::string IDNFPRESTSERV;      // 7  service provision
    std::string IDNFESTCANC;        // 8  reversal of a cancelled NF-e
    std::string IDNFAJUSTE;         // 9
    std::string IDOBINFCSTICMENT;   // 10
    std::string IDOBINFCSTCFOPEN;   // 11
    std::string IDOBINFCSTCFOPEN12; // 12 the same column as 11
    std::string IDTIPOOPERELE;      // 13 electronic document
    std::string IDNFRETIND;         // 14 return from industrialization
    std::string IDOPTRIANGULAR;     // 15 triangular remittance
    std::string IDORIGDESTOP;       // 16 participant kind ("F" when empty)
    std::string IDENTRTERCEIRO;     // 17
    std::string IDUTLOCPRESTSERV;   // 18 asks for the service location
    std::string IDCMPVNDBONI;       // 19
    std::string CDTIPOOPERBONIF;    // 20 bonus type ("N" when empty)
    std::string IDBLOQPRESTTPOP;    // 21 ("N" when empty)
    std::string IDNFIMPORTACAO;     // 22 ("N" when empty)
    std::string IDNFIMPORTACAOIND;  // 23 indirect import ("N" when empty)
    std::string IDSUGQTDTOTDEV;     // 24
    std::string IDNOTADEVO;         // 25

    static constexpr size_t kElements = 26;
    // The attribute of an element number (empty beyond the last).
    const std::string& Element(size_t element) const;
    std::string& Element(size_t element);
    // The column each element reads, in element order.
    static const std::array<const char*, kElements>& Columns();
};

} // namespace dfe::dfe11000
