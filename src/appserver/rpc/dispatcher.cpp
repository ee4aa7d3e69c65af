#include "appserver/rpc/dispatcher.h"

#include "appserver/rpc/answer_log.h"
#include "platform/db/postgres_database.h"
#include "platform/db/sqlite_database.h"
#include "platform/net/frame.h"
#include "platform/net/rpc_codec.h"

namespace dfe::appserver {
namespace {

net::RpcResponse Refused(const std::string& message) {
    net::RpcResponse r;
    r.status = net::RpcStatus::Refused;
    r.message = message;
    return r;
}

// The final value of a by-reference argument, in its declared type.
Variant AsDeclared(net::ArgType type, const Variant& v) {
    switch (type) {
    case net::ArgType::String:
        return Variant(v.AsString());
    case net::ArgType::Date:
        return Variant(v.AsDateTime());
    case net::ArgType::Double:
        return Variant(v.AsFloat());
    case net::ArgType::Boolean:
        return Variant(v.AsBoolean());
    case net::ArgType::Integer:
        return Variant(v.AsInteger());
    case net::ArgType::Variant:
        return v;
    }
    return v;
}

// A work write's commit is not waited onto the disk: on SQLite the connection syncs at checkpoints only for
// the transaction (WAL keeps the file consistent), on PostgreSQL the commit does not wait for its WAL flush.
class RelaxedDurability {
public:
    RelaxedDurability(db::Database& db, bool relaxed) {
        if (!relaxed) return;
        sqlite_ = dynamic_cast<db::SqliteDatabase*>(&db);
        if (sqlite_) sqlite_->Execute("PRAGMA synchronous=NORMAL");
    }
    ~RelaxedDurability() {
        if (!sqlite_) return;
        try {
            sqlite_->Execute("PRAGMA synchronous=FULL");
        } catch (...) {
            // The connection keeps the relaxed setting only until it is closed; nothing to lose meanwhile.
        }
    }
    static void InTransaction(db::Database& db, bool relaxed) {
        if (relaxed && dynamic_cast<db::PostgresDatabase*>(&db))
            db.Execute("SET LOCAL synchronous_commit TO OFF");
    }
    RelaxedDurability(const RelaxedDurability&) = delete;
    RelaxedDurability& operator=(const RelaxedDurability&) = delete;

private:
    db::SqliteDatabase* sqlite_ = nullptr;
};

net::RpcResponse Answer(Variant result, const std::vector<net::RpcArg>& args) {
    net::RpcResponse r;
    r.result = std::move(result);
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i].byRef)
            r.refs.push_back({static_cast<uint16_t>(i), AsDeclared(args[i].type, args[i].value)});
    }
    return r;
}

} // namespace

net::RpcResponse ProtocolErrorResponse(const std::string& message) {
    net::RpcResponse r;
    r.status = net::RpcStatus::ProtocolError;
    r.message = message;
    return r;
}

net::RpcResponse Dispatcher::Run(const RemoteMethod& method, net::RpcRequest& request,
                                 db::Database& db) const {
    MethodContext context(db, method.name, request.args, &clock_);
    if (method.kind == MethodKind::Read) {
        db::Transaction tx(db, db::TransactionMode::Read);
        net::RpcResponse response = Answer(method.function(context), request.args);
        tx.Commit();
        return response;
    }
    const bool relaxed = method.kind == MethodKind::WorkWrite;
    try {
        const RelaxedDurability durability(db, relaxed);
        db::Transaction tx(db, db::TransactionMode::Write);
        RelaxedDurability::InTransaction(db, relaxed);
        if (auto logged = FindLoggedAnswer(db, request.token)) return *logged;
        net::RpcResponse response = Answer(method.function(context), request.args);
        LogAnswer(db, request, response);
        tx.Commit();
        return response;
    } catch (const db::DatabaseError&) {
        // The same request, retried on another connection while this one ran it, committed first: its
        // recorded answer is the answer, and this run was rolled back.
        db::Transaction again(db, db::TransactionMode::Read);
        if (auto logged = FindLoggedAnswer(db, request.token)) return *logged;
        throw;
    }
}

net::RpcResponse Dispatcher::Dispatch(net::RpcRequest request, db::Database& db) const {
    const RemoteMethod* method = registry_.Find(request.connection, request.method);
    if (!method) {
        if (!registry_.HasConnection(request.connection)) {
            return Refused("Módulo remoto desconhecido: " + request.connection);
        }
        return Refused("Método desconhecido: " + request.connection + "." + request.method);
    }
    try {
        return Run(*method, request, db);
    } catch (const MethodRefusal& e) {
        return Refused(e.what());
    } catch (const ConversionError& e) {
        return Refused("Argumento inválido em " + method->name + ": " + e.what());
    } catch (const db::DatabaseError& e) {
        return Refused("Erro no banco de dados em " + method->name + ": " + e.what());
    } catch (const std::exception& e) {
        return Refused("Erro no servidor em " + method->name + ": " + e.what());
    }
}

std::string Dispatcher::HandlePayload(std::string_view payload, db::Database& db, bool& fatal) const {
    fatal = false;
    net::RpcRequest request;
    try {
        request = net::DecodeRequest(payload);
    } catch (const net::WireError& e) {
        fatal = true;
        return net::EncodeResponse(ProtocolErrorResponse(std::string("Mensagem inválida: ") + e.what()));
    }
    net::RpcResponse response = Dispatch(std::move(request), db);
    try {
        return net::EncodeResponse(response);
    } catch (const net::WireError& e) {
        return net::EncodeResponse(Refused(std::string("Resposta impossível de enviar: ") + e.what()));
    }
}

std::string Dispatcher::HandleFrame(std::string_view frame, db::Database& db) const {
    std::string_view payload;
    try {
        payload = net::UnwrapFrame(frame);
    } catch (const net::WireError& e) {
        return net::EncodeFrame(
            net::EncodeResponse(ProtocolErrorResponse(std::string("Quadro inválido: ") + e.what())));
    }
    bool fatal = false;
    std::string answer = HandlePayload(payload, db, fatal);
    if (answer.size() > net::kDefaultMaxFrameSize) {
        answer = net::EncodeResponse(Refused("Resposta maior do que o limite do protocolo"));
    }
    return net::EncodeFrame(answer);
}

} // namespace dfe::appserver
