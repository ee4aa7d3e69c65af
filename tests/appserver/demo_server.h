#pragma once

#include "appserver/schema/schema_migrator.h"
#include "appserver/server/embedded_server.h"
#include "platform/net/check_result.h"
#include "platform/net/connection_names.h"
#include "platform/net/net_connection.h"
#include "platform/net/net_errors.h"
#include "temp_database.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace dfe::appserver::testing {

// The demo database behind the embedded server, reached as the client reaches it: through the in-process
// transport, which encodes every call and answer.
class DemoServer : public ::testing::Test {
public:
    Variant Call(const std::string& method, net::CallArgs args) {
        return lanc_.Call(method, std::move(args));
    }

protected:
    void SetUp() override {
        auto db = temp_.OpenDemo();
        server_ = std::make_unique<EmbeddedServer>(std::move(db));
        lanc_.SetHost(std::string(net::kInProcessHost));
        lanc_.Connect();
    }

    static Packet Rows(const Variant& answer) {
        return FromDataPacket(net::CheckResultServ(answer).AsPacket());
    }
    static Packet PacketOf(const Variant& element) { return FromDataPacket(element.AsPacket()); }
    static Variant Field(const Packet& p, std::string_view name, size_t row = 0) {
        const int i = p.FieldIndex(name);
        EXPECT_GE(i, 0) << name;
        return i < 0 || row >= p.rows.size() ? Variant() : p.rows[row].values[static_cast<size_t>(i)];
    }
    // The text of a refused call; empty when the call was not refused.
    static std::string RefusalOf(const Variant& answer) {
        try {
            net::CheckResultServ(answer);
        } catch (const net::ServerRefusal& e) {
            return e.what();
        }
        return {};
    }

    TempDatabase temp_;
    std::unique_ptr<EmbeddedServer> server_;
    net::TNetConnection lanc_{net::kLancNFEntrada};
};

} // namespace dfe::appserver::testing
