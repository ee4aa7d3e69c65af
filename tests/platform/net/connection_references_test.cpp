#include "platform/net/connection_references.h"
#include "platform/net/net_errors.h"

#include <gtest/gtest.h>

namespace dfe::net {
namespace {

// Counts how often the connection is really opened and closed.
struct CountingTransport : Transport {
    CountingTransport(int& opens, int& closes, bool fail) : opens_(opens), closes_(closes), fail_(fail) {}
    void Open() override {
        if (fail_) throw ConnectionError("recusada");
        ++opens_;
        open_ = true;
    }
    void Close() noexcept override {
        if (open_) ++closes_;
        open_ = false;
    }
    bool IsOpen() const override { return open_; }
    std::string Exchange(std::string_view) override { throw ConnectionError("sem servidor"); }
    int& opens_;
    int& closes_;
    bool fail_;
    bool open_ = false;
};

class ConnectionReferencesTest : public ::testing::Test {
protected:
    void SetUp() override {
        connection_.SetTransportFactory([this](const std::string&, int) {
            return std::make_unique<CountingTransport>(opens_, closes_, fail_);
        });
    }
    int opens_ = 0;
    int closes_ = 0;
    bool fail_ = false;
    TNetConnection connection_{"Dfe11000.rdmLancNFEntrada"};
    ConnectionReferences references_;
};

TEST_F(ConnectionReferencesTest, NestedReferencesShareOneOpenConnection) {
    references_.ConnectServer(connection_, true);
    references_.ConnectServer(connection_, true);
    EXPECT_EQ(references_.Count("Dfe11000.rdmLancNFEntrada"), 2);
    references_.ConnectServer(connection_, false);
    EXPECT_TRUE(connection_.Connected());
    references_.ConnectServer(connection_, false);
    EXPECT_FALSE(connection_.Connected());
    EXPECT_EQ(opens_, 1);
    EXPECT_EQ(closes_, 1);
    EXPECT_EQ(references_.Entries(), std::vector<std::string>{"Dfe11000.rdmLancNFEntrada=0"});
}

TEST_F(ConnectionReferencesTest, AReleaseAtZeroStaysAtZero) {
    references_.ConnectServer(connection_, false);
    references_.ConnectServer(connection_, false);
    EXPECT_EQ(references_.Count("Dfe11000.rdmLancNFEntrada"), 0);
    references_.ConnectServer(connection_, true);
    EXPECT_EQ(references_.Count("Dfe11000.rdmLancNFEntrada"), 1);
    EXPECT_TRUE(connection_.Connected());
}

TEST_F(ConnectionReferencesTest, AFailedOpenCountsNothing) {
    fail_ = true;
    EXPECT_THROW(references_.ConnectServer(connection_, true), ConnectionError);
    EXPECT_EQ(references_.Count("Dfe11000.rdmLancNFEntrada"), 0);
    EXPECT_FALSE(connection_.Connected());
}

TEST_F(ConnectionReferencesTest, AReferenceIsReleasedWhenTheCallFails) {
    try {
        ConnectionReference ref(references_, connection_);
        connection_.Call("GetParamGeral");
    } catch (const ConnectionError&) {
    }
    EXPECT_EQ(references_.Count("Dfe11000.rdmLancNFEntrada"), 0);
    EXPECT_FALSE(connection_.Connected());
}

TEST_F(ConnectionReferencesTest, ADroppedConnectionReopensOnTheNextReference) {
    ConnectionReference outer(references_, connection_);
    connection_.Disconnect(); // as after a failed call
    ConnectionReference inner(references_, connection_);
    EXPECT_TRUE(connection_.Connected());
    EXPECT_EQ(opens_, 2);
}

TEST_F(ConnectionReferencesTest, BeforeConnectSetsTheAddressEveryTime) {
    int calls = 0;
    connection_.BeforeConnect = [&](TNetConnection& c) {
        ++calls;
        c.SetHost("127.0.0.1");
        c.SetPort(7211 + calls);
    };
    std::string seenHost;
    int seenPort = 0;
    connection_.SetTransportFactory([&](const std::string& host, int port) {
        seenHost = host;
        seenPort = port;
        return std::make_unique<CountingTransport>(opens_, closes_, false);
    });
    connection_.Connect();
    connection_.Reconnect();
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(seenHost, "127.0.0.1");
    EXPECT_EQ(seenPort, 7213);
}

} // namespace
} // namespace dfe::net
