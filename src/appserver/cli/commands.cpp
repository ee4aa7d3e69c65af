#include "appserver/cli/commands.h"

#include "appserver/cli/call_argument.h"
#include "appserver/cli/json_output.h"
#include "appserver/cli/password_input.h"
#include "appserver/intake/demo_nfe.h"
#include "appserver/intake/nfe_inbox.h"
#include "appserver/modules/all_methods.h"
#include "appserver/rpc/answer_log.h"
#include "appserver/schema/schema_migrator.h"
#include "appserver/security/release_passwords.h"
#include "appserver/server/embedded_server.h"
#include "appserver/server/tcp_server.h"
#include "platform/core/text.h"
#include "platform/net/check_result.h"
#include "platform/net/net_connection.h"
#include "platform/net/net_errors.h"

#include <atomic>
#include <csignal>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include <sodium.h>
#include <termios.h>
#include <unistd.h>

namespace dfe::appserver {
namespace {

constexpr const char* kUsage = R"(uso:
  dfe-server init  [--db BANCO] [--no-demo]
      cria o esquema (e os dados de demonstração, com suas NF-e) e aplica os arquivos de versão que faltam
  dfe-server serve [--db BANCO] [--host 127.0.0.1] [--port 7211] [--inbox PASTA]
      atende os módulos remotos por TCP (porta 0: uma porta livre, informada na saída); com --inbox,
      recebe as NF-e deixadas na pasta e as move para PASTA/accepted ou PASTA/refused (com o motivo)
  dfe-server intake [--db BANCO] ARQUIVO|PASTA...
      recebe documentos NF-e (XML): confere a chave, o esquema, a assinatura e o protocolo e os grava;
      uma linha por documento; sai com 3 quando algum foi recusado
  dfe-server call --db BANCO Dfe11000.rdmLancNFEntrada ListaNFeRecebidas [FILIAL]
  dfe-server call --db BANCO Dfe11000.rdmLancNFEntrada GetNFeRecebida CHAVE
      listam as NF-e recebidas e mostram uma delas
  dfe-server call  [--db BANCO | --host HOST --port PORTA] CONEXAO METODO [ARGUMENTOS...]
      chama um método e imprime a resposta em JSON; argumentos são texto por referência, ou
      int:N, float:N, date:AAAA-MM-DD, bool:true|false, null:, str:TEXTO
  dfe-server release-password [--db BANCO] --operator OPERADOR [--branch FILIAL ...]
      grava a senha de liberação do operador, lida da entrada padrão (num terminal, digitada duas
      vezes, sem eco); com --branch, as filiais em que ele pode liberar lançamentos passam a ser estas

BANCO é o caminho de um arquivo SQLite ou uma conexão PostgreSQL; o padrão vem de DFE_DATABASE
ou é dfe-demo.db.
)";

struct Options {
    std::string database;
    std::string host;
    std::optional<int> port;
    bool demo = true;
    std::string operatorCode;
    std::string inbox;
    std::optional<std::vector<std::string>> branches;
    std::vector<std::string> positional;
};

std::string DefaultDatabase() {
    const char* env = std::getenv("DFE_DATABASE");
    return env && *env ? env : "dfe-demo.db";
}

Options ParseOptions(int argc, char** argv, int first) {
    Options o;
    o.database = DefaultDatabase();
    for (int i = first; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) throw std::invalid_argument("falta o valor de " + a);
            return argv[++i];
        };
        if (!o.positional.empty())
            o.positional.push_back(a); // after CONEXAO everything is an argument
        else if (a == "--db")
            o.database = value();
        else if (a == "--host")
            o.host = value();
        else if (a == "--port")
            o.port = std::stoi(value());
        else if (a == "--inbox")
            o.inbox = value();
        else if (a == "--no-demo")
            o.demo = false;
        else if (a == "--operator")
            o.operatorCode = value();
        else if (a == "--branch") {
            if (!o.branches) o.branches.emplace();
            o.branches->push_back(value());
        } else if (a.starts_with("--"))
            throw std::invalid_argument("opção desconhecida: " + a);
        else
            o.positional.push_back(a);
    }
    return o;
}

int Init(const Options& o) {
    auto db = db::OpenDatabase(o.database);
    const std::vector<std::string> applied = ApplyMigrations(*db, EmbeddedSchemaFiles(), o.demo);
    for (const std::string& name : applied)
        std::cout << "aplicado: " << name << "\n";
    if (applied.empty()) std::cout << "nada a aplicar: o banco já está na versão atual\n";
    if (o.demo) {
        for (const std::string& line : StoreDemoNfe(*db))
            std::cout << "nf-e de demonstração: " << line << "\n";
    }
    std::cout << "banco de dados pronto: " << o.database << std::endl;
    return 0;
}

void RequireInitialized(db::Database& db, const std::string& target) {
    try {
        db.Query("SELECT COUNT(*) FROM SCHEMA_VERSION");
    } catch (const db::DatabaseError&) {
        throw std::runtime_error("o banco " + target + " não foi criado; rode antes: dfe-server init --db " +
                                 target);
    }
}

std::atomic<TcpServer*> runningServer{nullptr};

extern "C" void StopOnSignal(int) {
    if (TcpServer* s = runningServer.load()) s->Stop();
}

int Serve(const Options& o) {
    {
        auto db = db::OpenDatabase(o.database);
        RequireInitialized(*db, o.database);
        PurgeOldAnswers(*db);
    }
    MethodRegistry registry;
    RegisterAllMethods(registry);
    const Dispatcher dispatcher(registry);
    ServeOptions options;
    if (!o.host.empty()) options.host = o.host;
    if (o.port) options.port = *o.port;
    const std::string target = o.database;
    TcpServer server(
        dispatcher, [target] { return db::OpenDatabase(target); }, options);
    server.Listen();
    runningServer = &server;
    std::signal(SIGTERM, StopOnSignal);
    std::signal(SIGINT, StopOnSignal);
    std::cout << "dfe-server: escutando em " << options.host << ":" << server.Port() << std::endl;
    std::optional<intake::NfeInbox> inbox;
    if (!o.inbox.empty()) {
        inbox.emplace(
            o.inbox, [target] { return db::OpenDatabase(target); }, std::cout);
        inbox->Start(std::chrono::seconds(1));
        std::cout << "dfe-server: caixa de entrada de NF-e em " << o.inbox << std::endl;
    }
    server.Run();
    runningServer = nullptr;
    if (inbox) inbox->Stop();
    std::cout << "dfe-server: encerrado" << std::endl;
    return 0;
}

// One line per document; a refusal is the document's fault, not the program's, but the exit code tells it.
int Intake(const Options& o) {
    if (o.positional.empty()) throw std::invalid_argument("informe os arquivos ou pastas de NF-e");
    auto db = db::OpenDatabase(o.database);
    RequireInitialized(*db, o.database);
    bool refused = false;
    for (const std::filesystem::path& file : intake::IntakeFilesOf(o.positional)) {
        const intake::IntakeResult result = intake::IntakeFile(*db, file);
        refused = refused || !result.Accepted();
        std::cout << intake::DescribeIntake(file.string(), result) << std::endl;
    }
    return refused ? 3 : 0;
}

int Call(const Options& o) {
    if (o.positional.size() < 2) throw std::invalid_argument("informe a conexão e o método");
    std::unique_ptr<EmbeddedServer> embedded;
    net::TNetConnection connection(o.positional[0]);
    connection.SetThrowException(true);
    if (o.port || !o.host.empty()) {
        connection.SetHost(o.host.empty() ? "127.0.0.1" : o.host);
        connection.SetPort(o.port.value_or(ServeOptions().port));
    } else {
        auto db = db::OpenDatabase(o.database);
        RequireInitialized(*db, o.database);
        embedded = std::make_unique<EmbeddedServer>(std::move(db));
        connection.SetHost(std::string(net::kInProcessHost));
    }
    std::deque<std::string> texts; // stable addresses for the by-reference arguments
    net::CallArgs args;
    for (size_t i = 2; i < o.positional.size(); ++i) {
        net::RpcArg a = ParseCallArgument(o.positional[i]);
        switch (a.type) {
        case net::ArgType::String:
            args.StrRef(texts.emplace_back(a.value.AsString()));
            break;
        case net::ArgType::Date:
            args.Date(a.value.AsDateTime());
            break;
        case net::ArgType::Double:
            args.Float(a.value.AsFloat());
            break;
        case net::ArgType::Boolean:
            args.Bool(a.value.AsBoolean());
            break;
        case net::ArgType::Integer:
            args.Int(a.value.AsInteger());
            break;
        case net::ArgType::Variant:
            args.Var(a.value);
            break;
        }
    }
    connection.Connect();
    const Variant answer = connection.Call(o.positional[1], args);
    std::cout << AnswerToJson(answer) << std::endl;
    return 0;
}

// Keeps what is typed on the terminal from showing while it lives.
class EchoOff {
public:
    explicit EchoOff(int fd) : fd_(fd) {
        if (tcgetattr(fd_, &saved_) != 0) return;
        termios quiet = saved_;
        quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        active_ = tcsetattr(fd_, TCSAFLUSH, &quiet) == 0;
    }
    ~EchoOff() {
        if (active_) tcsetattr(fd_, TCSAFLUSH, &saved_);
    }
    EchoOff(const EchoOff&) = delete;
    EchoOff& operator=(const EchoOff&) = delete;

private:
    int fd_;
    termios saved_{};
    bool active_ = false;
};

// The password comes from the standard input, never from the command line, where other users could read it.
int ReleasePassword(const Options& o) {
    if (o.operatorCode.empty()) throw std::invalid_argument("informe o operador (--operator)");
    if (!o.positional.empty()) throw std::invalid_argument("argumento inesperado: " + o.positional[0]);
    auto db = db::OpenDatabase(o.database);
    RequireInitialized(*db, o.database);
    const bool terminal = isatty(STDIN_FILENO) != 0;
    const std::string operatorCode = text::Upper(o.operatorCode);
    std::string password;
    {
        std::optional<EchoOff> quiet;
        if (terminal) quiet.emplace(STDIN_FILENO);
        password = ReadNewPassword(std::cin, std::cerr, terminal);
    }
    try {
        db::Transaction tx(*db, db::TransactionMode::Write);
        SetReleasePassword(*db, operatorCode, password, o.branches, DateTime::Now());
        tx.Commit();
    } catch (...) {
        sodium_memzero(password.data(), password.size());
        throw;
    }
    sodium_memzero(password.data(), password.size());
    std::cout << "senha de liberação gravada para o operador " << operatorCode;
    if (o.branches) {
        std::cout << "; filiais em que libera:";
        for (const std::string& b : *o.branches)
            std::cout << " " << b;
    }
    std::cout << std::endl;
    return 0;
}

} // namespace

int RunServerCommand(int argc, char** argv) {
    if (argc < 2 || std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h") {
        std::cout << kUsage;
        return argc < 2 ? 2 : 0;
    }
    const std::string command = argv[1];
    try {
        const Options o = ParseOptions(argc, argv, 2);
        if (command == "init") return Init(o);
        if (command == "serve") return Serve(o);
        if (command == "call") return Call(o);
        if (command == "intake") return Intake(o);
        if (command == "release-password") return ReleasePassword(o);
        std::cerr << "dfe-server: comando desconhecido: " << command << "\n" << kUsage;
        return 2;
    } catch (const std::invalid_argument& e) {
        std::cerr << "dfe-server: " << e.what() << "\n" << kUsage;
        return 2;
    } catch (const net::ServerRefusal& e) {
        std::cerr << "dfe-server: o servidor recusou a chamada: " << e.what() << std::endl;
        return 3;
    } catch (const net::ConnectionError& e) {
        std::cerr << "dfe-server: falha de conexão: " << e.what() << std::endl;
        return 4;
    } catch (const std::exception& e) {
        std::cerr << "dfe-server: " << e.what() << std::endl;
        return 1;
    }
}

} // namespace dfe::appserver
