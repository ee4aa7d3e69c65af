#include "appserver/intake/nfe_intake.h"

#include "appserver/intake/nfe_content.h"
#include "appserver/intake/nfe_verdicts.h"
#include "appserver/intake/xml_document.h"
#include "platform/core/date_time.h"
#include "platform/core/nfe_access_key.h"
#include "platform/core/text.h"

namespace dfe::appserver::intake {
namespace {

constexpr const char* kDetailTables[] = {"NFERECEBLOTE", "NFERECEBIMPOSTO", "NFERECEBITEM", "NFERECEBENCARGO",
                                         "NFERECEBVENC", "NFERECEBPAGTO",   "NFERECEBVOLU", "NFERECEBXML"};

// Only the columns that have a value are named: a tax group fills few of its columns, and every bound
// parameter is found by name.
void Insert(db::Database& db, const char* table, const ColumnValues& row) {
    std::string columns, values;
    db::SqlParams params;
    params.reserve(row.size());
    for (const auto& [name, value] : row) {
        if (value.IsNull()) continue;
        if (!columns.empty()) {
            columns += ", ";
            values += ", ";
        }
        columns += name;
        values += ":" + name;
        params.emplace_back(name, value);
    }
    db.Execute("INSERT INTO " + std::string(table) + " (" + columns + ") VALUES (" + values + ")", params);
}

void InsertAll(db::Database& db, const char* table, const std::vector<ColumnValues>& rows) {
    for (const ColumnValues& row : rows)
        Insert(db, table, row);
}

void Set(ColumnValues& row, const char* column, Variant value) {
    for (auto& [name, v] : row) {
        if (name == column) {
            v = std::move(value);
            return;
        }
    }
    row.emplace_back(column, std::move(value));
}

struct Recipient {
    std::string company, branch, registration;
};

std::string RegistryDigits(std::string_view registration) {
    return text::PadLeft(text::Trim(registration), 16, '0');
}

// The company's state registration named by the recipient's CNPJ and IE, and the branch that holds it.
Recipient MatchRecipient(db::Database& db, const NfeContent& content) {
    if (content.recipientId.empty()) return {};
    const Packet registrations =
        db.Query("SELECT CDEMPRESA, CDINSCESTA FROM INSCESTADUAL WHERE NRINSJURIEST = :P_NRINSJUR"
                 " ORDER BY CDEMPRESA, CDINSCESTA",
                 {{"P_NRINSJUR", content.recipientId}});
    Recipient found;
    for (const PacketRow& r : registrations.rows) {
        const std::string registration = r.values[1].AsString();
        const bool sameRegistry = !content.recipientRegistry.empty() &&
                                  RegistryDigits(registration) == RegistryDigits(content.recipientRegistry);
        if (sameRegistry || (content.recipientRegistry.empty() && registrations.rows.size() == 1)) {
            found = {r.values[0].AsString(), "", registration};
            break;
        }
    }
    if (found.company.empty()) return {};
    const Packet branches =
        db.Query("SELECT CDFILIAL FROM FILIAL WHERE CDEMPRESA = :P_CDEMPRESA AND CDINSCESTA = :P_CDINSCESTA"
                 " UNION SELECT CDFILIAL FROM EMPRCNTRFIL WHERE CDEMPRESA = :P_CDEMPRESA AND CDINSCESTA = "
                 ":P_CDINSCESTA"
                 " ORDER BY 1",
                 {{"P_CDEMPRESA", found.company}, {"P_CDINSCESTA", found.registration}});
    if (!branches.rows.empty()) found.branch = branches.rows[0].values[0].AsString();
    return found;
}

std::string MatchSupplier(db::Database& db, const NfeContent& content) {
    const Packet suppliers = db.Query("SELECT CDFORNECED FROM FORNECEDOR WHERE IDTPIJURFORN = :P_IDTPIJUR"
                                      " AND NRINSJURFORN = :P_NRINSJUR ORDER BY CDFORNECED",
                                      {{"P_IDTPIJUR", content.issuerType}, {"P_NRINSJUR", content.issuerId}});
    return suppliers.rows.empty() ? std::string() : suppliers.rows[0].values[0].AsString();
}

std::string ProtocolVerdict(const NfeContent& c) {
    if (!c.hasProtocol) return "sem protocolo de autorização";
    const std::string status = ProtocolStatus(c.protocol.status);
    const std::string kind = status == "A"   ? "autorizada"
                             : status == "D" ? "denegada"
                                             : "protocolo sem autorização";
    return kind + ": protocolo " + c.protocol.number + " de " + c.protocol.when + " (" + c.protocol.status +
           " " + c.protocol.reason + ")";
}

} // namespace

std::string AccessKeyMismatch(std::string_view key, const KeyFields& f) {
    const std::string shown(key);
    if (key.size() != nfe::kAccessKeyLength || !text::IsDigits(key))
        return "chave de acesso " + shown + " inválida: deve ter 44 dígitos";
    if (!nfe::IsValidAccessKey(key)) {
        const auto expected = nfe::AccessKeyCheckDigit(key.substr(0, nfe::kAccessKeyLength - 1));
        return "chave de acesso " + shown + " com dígito verificador errado (" + std::string(1, key.back()) +
               "; o correto é " + std::to_string(expected.value_or(0)) + ")";
    }
    const auto parts = nfe::SplitAccessKey(key);
    std::string mismatches;
    auto compare = [&](const char* what, const std::string& document, const std::string& inKey) {
        if (document == inKey) return;
        if (!mismatches.empty()) mismatches += "; ";
        mismatches +=
            std::string(what) + " é " + (document.empty() ? "(vazio)" : document) + ", na chave " + inKey;
    };
    const std::string yearMonth =
        f.emitted.size() >= 7 ? f.emitted.substr(2, 2) + f.emitted.substr(5, 2) : "";
    compare("UF (cUF)", f.state, parts->state);
    compare("ano e mês de emissão (dhEmi)", yearMonth, parts->year + parts->month);
    compare("CNPJ/CPF do emitente", text::PadLeft(f.issuerId, 14, '0'), parts->issuer);
    compare("modelo (mod)", f.model, parts->model);
    compare("série (serie)", text::PadLeft(f.series, 3, '0'), parts->series);
    compare("número (nNF)", text::PadLeft(f.number, 9, '0'), parts->number);
    compare("tipo de emissão (tpEmis)", f.emissionType, parts->issueType);
    compare("código numérico (cNF)", text::PadLeft(f.numericCode, 8, '0'), parts->numericCode);
    compare("dígito verificador (cDV)", f.checkDigit, parts->checkDigit);
    if (mismatches.empty()) return {};
    return "a chave de acesso " + shown + " não confere com o documento: " + mismatches;
}

IntakeResult IntakeNfe(db::Database& db, std::string_view bytes, std::string_view source) {
    IntakeResult result;
    NfeContent content;
    SchemaVerdict schema;
    SignatureVerdict signature;
    try {
        const XmlDocPtr doc = ParseUntrustedXml(bytes);
        const NfeNodes nodes = LocateNfe(doc.get());
        content = ReadNfeContent(nodes);
        result.key = content.key;
        auto text = [&](const char* column) {
            for (const auto& [name, value] : content.header) {
                if (name == column) return value.IsNull() ? std::string() : value.AsString();
            }
            return std::string();
        };
        const std::string mismatch =
            AccessKeyMismatch(content.key, {text("CDUFNFE"), content.emitted, content.issuerId,
                                            text("CDMODDOCFISC"), text("CDSERIEENTR"), text("NRNOTAFISC"),
                                            text("IDTIPOEMISNFE"), text("CDNUMERICONFE"), text("CDDVNFE")});
        if (!mismatch.empty()) throw IntakeRefusal(mismatch);
        if (content.hasProtocol && content.protocol.key != content.key)
            throw IntakeRefusal("o protocolo de autorização é da chave " + content.protocol.key +
                                ", não desta NF-e");
        schema = ValidateNfeSchema(doc.get(), nodes.authorizedRoot);
        signature = VerifyNfeSignature(doc.get(), nodes.nfe, nodes.infNFe);
    } catch (const IntakeRefusal& e) {
        result.outcome = IntakeOutcome::Refused;
        result.reason = e.what();
        return result;
    }
    result.verdicts = "esquema " + schema.text + "; " + signature.text + "; " + ProtocolVerdict(content);

    db::Transaction tx(db, db::TransactionMode::Write);
    const Packet stored = db.Query("SELECT IDSTATUSNFE, DTRECEBIMENTO, IDIMPORTADA FROM NFERECEBIDA"
                                   " WHERE NRACESSONFE = :P_NRACESSONFE",
                                   {{"P_NRACESSONFE", content.key}});
    const DateTime now = DateTime::Now();
    DateTime received = now;
    std::string imported = "N";
    result.outcome = IntakeOutcome::Stored;
    if (!stored.rows.empty()) {
        // Only an authorization adds to what is stored: it replaces a bare copy of the same key.
        if (stored.rows[0].values[0].AsString() != "P" ||
            std::string(ProtocolStatus(content.protocol.status)) == "P") {
            result.outcome = IntakeOutcome::Duplicate;
            return result;
        }
        received = stored.rows[0].values[1].AsDateTime();
        imported = stored.rows[0].values[2].AsString();
        for (const char* table : kDetailTables)
            db.Execute("DELETE FROM " + std::string(table) + " WHERE NRACESSONFE = :P_NRACESSONFE",
                       {{"P_NRACESSONFE", content.key}});
        db.Execute("DELETE FROM NFERECEBIDA WHERE NRACESSONFE = :P_NRACESSONFE",
                   {{"P_NRACESSONFE", content.key}});
        result.outcome = IntakeOutcome::Updated;
    }

    const Recipient recipient = MatchRecipient(db, content);
    const std::string supplier = MatchSupplier(db, content);
    result.recipient =
        recipient.branch.empty()
            ? (recipient.company.empty() ? "destinatário não cadastrado"
                                         : "empresa " + recipient.company + " sem filial com a inscrição")
            : "filial " + recipient.branch;
    if (supplier.empty()) result.recipient += ", emitente não cadastrado como fornecedor";

    auto orNull = [](const std::string& s) { return s.empty() ? Variant::Null() : Variant(s); };
    ColumnValues header = content.header;
    Set(header, "CDEMPRESA", orNull(recipient.company));
    Set(header, "CDFILIRECE", orNull(recipient.branch));
    Set(header, "CDINSCESTA", orNull(recipient.registration));
    Set(header, "CDFORNECED", orNull(supplier));
    Set(header, "IDESQUEMAVALIDO", Variant(schema.valid ? "S" : "N"));
    Set(header, "DSESQUEMA", Variant(schema.text));
    Set(header, "IDASSINATURA",
        Variant(signature.status == SignatureStatus::Valid     ? "V"
                : signature.status == SignatureStatus::Invalid ? "I"
                                                               : "A"));
    Set(header, "DSASSINATURA", Variant(text::Left(signature.text, 1000)));
    Set(header, "IDIMPORTADA", Variant(imported));
    Set(header, "NMARQUIVOXML", Variant(text::Right(text::Sanitize(source), 255)));
    Set(header, "DTRECEBIMENTO", Variant(received));
    Set(header, "DTATUALIZACAO", Variant(now));

    Insert(db, "NFERECEBIDA", header);
    Insert(db, "NFERECEBXML",
           {{"NRACESSONFE", Variant(content.key)},
            {"QTBYTESXML", Variant(static_cast<int64_t>(bytes.size()))},
            {"DSXML", Variant(std::string(bytes))}});
    InsertAll(db, "NFERECEBITEM", content.items);
    InsertAll(db, "NFERECEBLOTE", content.lots);
    InsertAll(db, "NFERECEBIMPOSTO", content.taxes);
    InsertAll(db, "NFERECEBENCARGO", content.charges);
    InsertAll(db, "NFERECEBVENC", content.installments);
    InsertAll(db, "NFERECEBPAGTO", content.payments);
    InsertAll(db, "NFERECEBVOLU", content.volumes);
    tx.Commit();
    return result;
}

std::string DescribeIntake(std::string_view source, const IntakeResult& r) {
    const std::string name(source);
    switch (r.outcome) {
    case IntakeOutcome::Refused:
        return name + ": recusada: " + r.reason;
    case IntakeOutcome::Duplicate:
        return name + ": já recebida " + r.key + " (nada mudou)";
    case IntakeOutcome::Updated:
        return name + ": atualizada " + r.key + " com a cópia autorizada (" + r.recipient + "; " +
               r.verdicts + ")";
    case IntakeOutcome::Stored:
        break;
    }
    return name + ": aceita " + r.key + " (" + r.recipient + "; " + r.verdicts + ")";
}

} // namespace dfe::appserver::intake
