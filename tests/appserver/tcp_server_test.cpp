#include "appserver/server/tcp_server.h"
#include "platform/net/net_connection.h"
#include "platform/net/net_errors.h"
#include "temp_database.h"

#include <gtest/gtest.h>

#include <thread>

namespace dfe::appserver {
namespace {

// A write in progress when the server is told to stop finishes, commits and answers before the server ends.
TEST(TcpServer, StopLetsTheCallInProgressCommitAndAnswer) {
    testing::TempDatabase temp;
    temp.Open()->ExecuteScript(
        "CREATE TABLE RPC_RESPOSTA (TOKEN VARCHAR(32) PRIMARY KEY, CDCONEXAO VARCHAR(60),"
        " NMMETODO VARCHAR(60), DSRESPOSTA TEXT, DTREGISTRO TIMESTAMP);"
        "CREATE TABLE LANC (NR INTEGER)");
    std::atomic<bool> started{false};
    MethodRegistry registry;
    registry.Add("Teste.rdm", "Lanca", MethodKind::Write, [&](MethodContext& c) {
        c.Db().Execute("INSERT INTO LANC (NR) VALUES (1)");
        started = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        return Variant("gravado");
    });
    const Dispatcher dispatcher(registry);
    ServeOptions options;
    options.port = 0;
    TcpServer server(
        dispatcher, [&] { return temp.Open(); }, options);
    server.Listen();
    std::thread serving([&] { server.Run(); });

    net::TNetConnection connection("Teste.rdm");
    connection.SetHost("127.0.0.1");
    connection.SetPort(server.Port());
    connection.Connect();
    std::thread stopper([&] {
        while (!started)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        server.Stop();
    });
    EXPECT_EQ(connection.Call("Lanca"), Variant("gravado"));
    stopper.join();
    serving.join();
    EXPECT_EQ(temp.Open()->Query("SELECT COUNT(*) FROM LANC").rows[0].values[0].AsInteger(), 1);
    EXPECT_THROW(connection.Call("Lanca"), net::ConnectionError);
}

} // namespace
} // namespace dfe::appserver
