// The closing under load and failure, on loopback: concurrent clients, a server killed mid-way, answers
// repeated on another server over the same PostgreSQL database.
#include "appserver/modules/all_methods.h"
#include "appserver/schema/schema_files.h"
#include "appserver/schema/schema_migrator.h"
#include "appserver/server/embedded_server.h"
#include "appserver/server/tcp_server.h"
#include "closing_draft.h"
#include "platform/db/postgres_cluster.h"
#include "platform/net/check_result.h"
#include "platform/net/connection_names.h"
#include "platform/net/net_connection.h"
#include "platform/net/net_errors.h"
#include "platform/net/request_token.h"
#include "server_process.h"
#include "temp_database.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <map>
#include <mutex>
#include <random>
#include <set>
#include <thread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace dfe::appserver {
namespace {

using testing::PostingDraft;

PostingDraft Purchase(const std::string& branch, int client, int n) {
    PostingDraft d = testing::ThreeItemPurchase("7" + testing::Seq(static_cast<size_t>(client), 3) +
                                                testing::Seq(static_cast<size_t>(n), 4));
    d.branch = branch;
    return d;
}

Packet AnswerRows(const Variant& answer) {
    return FromDataPacket(net::CheckResultServ(answer).AsPacket());
}

std::string RowObject(const Packet& p, const std::string& code) {
    const int c = p.FieldIndex("CDERRO"), o = p.FieldIndex("CDOBJETO");
    for (const PacketRow& r : p.rows)
        if (r.values[static_cast<size_t>(c)].AsString() == code)
            return r.values[static_cast<size_t>(o)].AsString();
    return {};
}

// One closing as the client's retry policy sends it: every attempt under the same token; `reconnect` says
// where the next attempt goes after a connection failure.
Packet CloseRetrying(net::TNetConnection& connection, const PostingDraft& d,
                     const std::function<void(net::TNetConnection&)>& reconnect) {
    net::RetryTokenScope retry;
    for (int attempt = 0;; ++attempt) {
        retry.Restart();
        try {
            if (!connection.Connected()) connection.Connect();
            auto args = testing::ClosingOf(d);
            return AnswerRows(connection.Call(args.kMethod, net::ToCallArgs(args)));
        } catch (const net::ConnectionError&) {
            if (attempt == 50) throw;
            reconnect(connection);
        }
    }
}

double Scalar(db::Database& db, const std::string& sql) {
    const Packet p = db.Query(sql);
    return p.rows.empty() || p.rows[0].values[0].IsNull() ? 0 : p.rows[0].values[0].AsFloat();
}

// What every run must leave: each document posted once, whole, numbered uniquely per branch, the balances the
// sums of their movements and the payables the installments.
void ExpectConsistent(db::Database& db, size_t postings) {
    EXPECT_EQ(Scalar(db, "SELECT COUNT(*) FROM NOTAFISCAL WHERE NRNOTAFISC LIKE '7%'"), postings);
    EXPECT_EQ(Scalar(db, "SELECT COUNT(*) FROM (SELECT NRNOTAFISC FROM NOTAFISCAL WHERE NRNOTAFISC LIKE '7%'"
                         " GROUP BY NRNOTAFISC HAVING COUNT(*) > 1) D"),
              0);
    EXPECT_EQ(Scalar(db, "SELECT COUNT(*) FROM (SELECT CDFILIAL, NRLANCESTQ FROM LANCESTOQUE"
                         " GROUP BY CDFILIAL, NRLANCESTQ HAVING COUNT(*) > 1) D"),
              0);
    // Whole: three items, six... every part of each posting.
    EXPECT_EQ(Scalar(db,
                     "SELECT COUNT(*) FROM NOTAFISCAL N WHERE N.NRNOTAFISC LIKE '7%' AND ("
                     " (SELECT COUNT(*) FROM ITEMPRODUTO I WHERE I.CDFILIAL = N.CDFILIAL AND I.NRLANCTONF = "
                     "N.NRLANCTONF) <> 3"
                     " OR (SELECT COUNT(*) FROM ITEMPROIMPOS I WHERE I.CDFILIAL = N.CDFILIAL AND "
                     "I.NRLANCTONF = N.NRLANCTONF) <> 9"
                     " OR (SELECT COUNT(*) FROM TITULOPAGAR I WHERE I.CDFILIAL = N.CDFILIAL AND I.NRLANCTONF "
                     "= N.NRLANCTONF) <> 2"
                     " OR (SELECT COUNT(*) FROM LIVROENTRADA I WHERE I.CDFILIAL = N.CDFILIAL AND "
                     "I.NRLANCTONF = N.NRLANCTONF) <> 1"
                     " OR (SELECT COUNT(*) FROM ITLANCESTOQUE M JOIN LANCESTOQUE L ON L.CDFILIAL = M.CDFILIAL"
                     " AND L.NRLANCESTQ = M.NRLANCESTQ WHERE L.CDFILLANC = N.CDFILIAL AND L.NRLANCTONF = "
                     "N.NRLANCTONF) <> 3)"),
              0);
    EXPECT_EQ(Scalar(db,
                     "SELECT COUNT(*) FROM SALDOESTOQUE S WHERE ABS(S.QTSALDO - (SELECT SUM(M.QTMOVIMENTO)"
                     " FROM ITLANCESTOQUE M WHERE M.CDFILIMOVI = S.CDFILIAL AND M.CDPRODUTO = S.CDPRODUTO"
                     " AND M.CDALMOXARIFE = S.CDALMOXARIFE AND M.CDLOCALESTOQ = S.CDLOCALESTOQ)) > 0.0005"),
              0);
    EXPECT_EQ(Scalar(db, "SELECT SUM(QTSALDO) FROM SALDOESTOQUE WHERE CDPRODUTO = '0000000101'"),
              100.0 * postings);
    EXPECT_NEAR(
        Scalar(db, "SELECT SUM(VRTITULO) FROM TITULOPAGAR WHERE NRNOTAFISC LIKE '7%'"),
        Scalar(db, "SELECT SUM(C.VRORIGPAG) FROM CONTAPAGAR C JOIN NOTAFISCAL N ON N.CDFILIAL = C.CDFILIAL"
                   " AND N.NRLANCTONF = C.NRLANCTONF WHERE N.NRNOTAFISC LIKE '7%'"),
        0.001);
}

// 20 clients at once, each closing a few postings at two branches.
void ConcurrentClients(const DatabaseOpener& open, int perClient) {
    MethodRegistry registry;
    RegisterAllMethods(registry);
    const Dispatcher dispatcher(registry);
    ServeOptions options;
    options.port = 0;
    TcpServer server(dispatcher, open, options);
    server.Listen();
    std::thread serving([&] { server.Run(); });

    constexpr int kClients = 20;
    std::mutex mutex;
    std::map<std::string, std::set<std::string>> numbers; // branch: numbers given
    std::atomic<int> answered{0};
    std::vector<std::thread> clients;
    for (int c = 0; c < kClients; ++c) {
        clients.emplace_back([&, c] {
            net::TNetConnection connection(net::kLancNFEntrada);
            connection.SetHost("127.0.0.1");
            connection.SetPort(server.Port());
            for (int n = 0; n < perClient; ++n) {
                const std::string branch = (c + n) % 2 ? "0002" : "0001";
                const Packet answer = CloseRetrying(connection, Purchase(branch, c, n), [](auto&) {});
                const std::string number = RowObject(answer, "NRLANCTONF");
                EXPECT_FALSE(number.empty()) << RowObject(answer, "ERROOUTRO");
                std::lock_guard lock(mutex);
                EXPECT_TRUE(numbers[branch].insert(number).second) << branch << "/" << number;
                ++answered;
            }
        });
    }
    for (std::thread& t : clients)
        t.join();
    server.Stop();
    serving.join();
    EXPECT_EQ(answered, kClients * perClient);
    ExpectConsistent(*open(), static_cast<size_t>(kClients * perClient));
}

TEST(ClosingReliability, TwentyClientsAtOnceOnSqlite) {
    testing::TempDatabase temp;
    temp.OpenDemo();
    ConcurrentClients([&] { return temp.Open(); }, 3);
}

// The server killed at random points of 50 closings and started again: each posting is whole or absent, and
// the client's retry leaves exactly one.
TEST(ClosingReliability, ServerKilledMidwayLeavesEachPostingOnce) {
    testing::TempDatabase temp;
    temp.OpenDemo();
    std::unique_ptr<testing::ServerProcess> server;
    std::thread killer;
    auto start = [&](net::TNetConnection& c) {
        if (killer.joinable()) killer.join();
        server.reset();
        server = std::make_unique<testing::ServerProcess>(
            std::vector<std::string>{"serve", "--db", temp.Path(), "--port", "0"});
        const int port = server->WaitListening();
        ASSERT_GT(port, 0);
        c.Disconnect();
        c.SetPort(port);
    };
    net::TNetConnection connection(net::kLancNFEntrada);
    connection.SetHost("127.0.0.1");
    start(connection);
    std::mt19937 random(20261211);
    int kills = 0;
    for (int n = 0; n < 50; ++n) {
        if (random() % 3 == 0) {
            const auto delay = std::chrono::microseconds(random() % 60000);
            ++kills;
            killer = std::thread([target = server.get(), delay] {
                std::this_thread::sleep_for(delay);
                target->Signal(SIGKILL);
            });
        }
        const Packet answer = CloseRetrying(connection, Purchase("0001", 0, n), start);
        if (killer.joinable()) killer.join();
        EXPECT_FALSE(RowObject(answer, "NRLANCTONF").empty()) << RowObject(answer, "ERROOUTRO");
        // A kill that landed after the answer leaves a dead server for the next closing to find.
    }
    server.reset();
    EXPECT_GT(kills, 5);
    ExpectConsistent(*temp.Open(), 50);
}

// Between client and server: passes the first request on and, once the server has answered it (so it has
// committed), cuts the client off instead of passing the answer; everything later passes both ways.
class AnswerDroppingProxy {
public:
    explicit AnswerDroppingProxy(int serverPort) : serverPort_(serverPort) {
        listener_ = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (bind(listener_, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) != 0 ||
            listen(listener_, 8) != 0)
            throw std::runtime_error("proxy listen");
        socklen_t len = sizeof(addr);
        getsockname(listener_, reinterpret_cast<sockaddr*>(&addr), &len);
        port_ = ntohs(addr.sin_port);
        thread_ = std::thread([this] { Run(); });
    }
    ~AnswerDroppingProxy() {
        shutdown(listener_, SHUT_RDWR);
        close(listener_);
        thread_.join();
    }
    int Port() const { return port_; }
    int Dropped() const { return dropped_; }

private:
    void Run() {
        for (;;) {
            const int client = accept(listener_, nullptr, nullptr);
            if (client < 0) return;
            const int server = socket(AF_INET, SOCK_STREAM, 0);
            sockaddr_in addr{};
            addr.sin_family = AF_INET;
            addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            addr.sin_port = htons(static_cast<uint16_t>(serverPort_));
            if (connect(server, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) == 0) Pipe(client, server);
            close(server);
            close(client);
        }
    }
    void Pipe(int client, int server) {
        char buf[65536];
        for (;;) {
            pollfd fds[2] = {{client, POLLIN, 0}, {server, POLLIN, 0}};
            if (poll(fds, 2, 10000) <= 0) return;
            if (fds[0].revents) {
                const ssize_t n = read(client, buf, sizeof(buf));
                if (n <= 0 || write(server, buf, static_cast<size_t>(n)) != n) return;
            }
            if (fds[1].revents) {
                const ssize_t n = read(server, buf, sizeof(buf));
                if (n <= 0) return;
                if (dropped_ == 0) {
                    ++dropped_;
                    return;
                }
                if (write(client, buf, static_cast<size_t>(n)) != n) return;
            }
        }
    }
    int serverPort_, port_ = 0, listener_ = -1;
    std::atomic<int> dropped_{0};
    std::thread thread_;
};

TEST(ClosingReliability, AnswerLostAfterTheCommitIsAnsweredAgainAndPostsOnce) {
    testing::TempDatabase temp;
    temp.OpenDemo();
    MethodRegistry registry;
    RegisterAllMethods(registry);
    const Dispatcher dispatcher(registry);
    ServeOptions options;
    options.port = 0;
    TcpServer server(
        dispatcher, [&] { return temp.Open(); }, options);
    server.Listen();
    std::thread serving([&] { server.Run(); });
    {
        AnswerDroppingProxy proxy(server.Port());
        net::TNetConnection connection(net::kLancNFEntrada);
        connection.SetHost("127.0.0.1");
        connection.SetPort(proxy.Port());
        int failures = 0;
        const Packet answer =
            CloseRetrying(connection, Purchase("0001", 0, 0), [&](net::TNetConnection&) { ++failures; });
        EXPECT_EQ(proxy.Dropped(), 1);
        EXPECT_EQ(failures, 1);
        EXPECT_EQ(RowObject(answer, "NRLANCTONF"), "0000000097");
        connection.Disconnect();
    }
    server.Stop();
    serving.join();
    ExpectConsistent(*temp.Open(), 1);
}

class ClosingPostgres : public ::testing::Test {
protected:
    static void SetUpTestSuite() { cluster_ = db::testing::PostgresCluster::Start(whyNot_).release(); }
    static void TearDownTestSuite() {
        delete cluster_;
        cluster_ = nullptr;
    }
    void SetUp() override {
        if (!cluster_) GTEST_SKIP() << whyNot_;
        target_ = cluster_->NewDatabase();
        ApplyMigrations(*db::OpenDatabase(target_), EmbeddedSchemaFiles(), true);
    }
    static inline db::testing::PostgresCluster* cluster_ = nullptr;
    static inline std::string whyNot_;
    std::string target_;
};

// A closing, a refusal, an accepted warning and the calls after them, answered alike on both databases.
std::vector<Variant> ClosingAnswers(std::unique_ptr<db::Database> db) {
    EmbeddedServer server(std::move(db));
    net::TNetConnection lanc(net::kLancNFEntrada);
    lanc.SetHost(std::string(net::kInProcessHost));
    lanc.Connect();
    std::vector<Variant> answers;
    auto close = [&](const PostingDraft& d) {
        auto args = testing::ClosingOf(d);
        answers.push_back(lanc.Call(args.kMethod, net::ToCallArgs(args)));
    };
    close(testing::ThreeItemPurchase());
    PostingDraft duplicate = testing::ThreeItemPurchase("12345");
    close(duplicate);
    duplicate.releaseCodes = "#DFE11000_1##LIB00200_2#";
    close(duplicate);
    std::string branch = "0001", posting = "0000000097", origin, type;
    answers.push_back(lanc.Call("GetItemProduto", net::CallArgs()
                                                      .StrRef(branch)
                                                      .StrRef(posting)
                                                      .StrRef(origin)
                                                      .StrRef(type)
                                                      .Var(Variant("N"))
                                                      .Var(Variant("N"))));
    answers.push_back(
        lanc.Call(net::kGeraArqExp, net::CallArgs().Str("0001").Date(DateTime::FromDate(2026, 12, 10))));
    net::AprovaNotaFiscalArgs approval{"0001", "0000000006",      "0001", "MSOUZA", "0001",
                                       "01",   "J11222333000181", "01"};
    answers.push_back(lanc.Call(approval.kMethod, net::ToCallArgs(approval)));
    answers.push_back(lanc.Call(net::kGetVersaoAna, net::CallArgs().Str("0000000097").Str("0002")));
    return answers;
}

TEST_F(ClosingPostgres, AnswersAsOnSqlite) {
    testing::TempDatabase sqlite;
    sqlite.OpenDemo();
    const std::vector<Variant> fromPostgres = ClosingAnswers(db::OpenDatabase(target_));
    const std::vector<Variant> fromSqlite = ClosingAnswers(sqlite.Open());
    ASSERT_EQ(fromPostgres.size(), fromSqlite.size());
    for (size_t i = 0; i < fromSqlite.size(); ++i) {
        EXPECT_NO_THROW(net::CheckResultServ(fromPostgres[i])) << i;
        EXPECT_EQ(fromPostgres[i], fromSqlite[i]) << i;
    }
    EXPECT_EQ(RowObject(AnswerRows(fromPostgres[0]), "NRLANCTONF"), "0000000097");
    EXPECT_EQ(RowObject(AnswerRows(fromPostgres[2]), "AVISO_ERRO"), "DFE11000_2");
}

TEST_F(ClosingPostgres, TwentyClientsAtOnce) {
    ConcurrentClients([&] { return db::OpenDatabase(target_); }, 3);
}

// Two servers over one database: each closing sent to one and repeated (its answer lost) on the other gets
// the same answer, and posts once.
TEST_F(ClosingPostgres, RetryOnTheOtherServerGetsTheSameAnswer) {
    MethodRegistry registry;
    RegisterAllMethods(registry);
    const Dispatcher dispatcher(registry);
    ServeOptions options;
    options.port = 0;
    auto open = [&] { return db::OpenDatabase(target_); };
    TcpServer first(dispatcher, open, options), second(dispatcher, open, options);
    first.Listen();
    second.Listen();
    std::thread a([&] { first.Run(); }), b([&] { second.Run(); });

    std::vector<std::thread> clients;
    for (int c = 0; c < 10; ++c) {
        clients.emplace_back([&, c] {
            net::TNetConnection one(net::kLancNFEntrada), other(net::kLancNFEntrada);
            one.SetHost("127.0.0.1");
            other.SetHost("127.0.0.1");
            one.SetPort(c % 2 ? first.Port() : second.Port());
            other.SetPort(c % 2 ? second.Port() : first.Port());
            one.Connect();
            other.Connect();
            for (int n = 0; n < 2; ++n) {
                const PostingDraft d = Purchase(n % 2 ? "0002" : "0001", c, n);
                net::RetryTokenScope retry;
                auto args = testing::ClosingOf(d);
                const Packet answer = AnswerRows(one.Call(args.kMethod, net::ToCallArgs(args)));
                retry.Restart();
                auto again = testing::ClosingOf(d);
                EXPECT_EQ(AnswerRows(other.Call(again.kMethod, net::ToCallArgs(again))), answer);
                EXPECT_FALSE(RowObject(answer, "NRLANCTONF").empty()) << RowObject(answer, "ERROOUTRO");
            }
        });
    }
    for (std::thread& t : clients)
        t.join();
    first.Stop();
    second.Stop();
    a.join();
    b.join();
    ExpectConsistent(*open(), 20);
}

} // namespace
} // namespace dfe::appserver
