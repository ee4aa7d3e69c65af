#pragma once

#include "appserver/modules/call_arguments.h"
#include "platform/core/variant.h"
#include "platform/db/database.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dfe::appserver {

// The rows of one posting, one reader per dataset of the posting, each a data packet of its dataset's layout,
// ordered as the client shows them. A posting that does not exist reads as empty packets.
DataPacket ReadNotaFiscal(db::Database& db, const PostingKey& key);
DataPacket ReadItemNotaFisc(db::Database& db, const PostingKey& key);
DataPacket ReadItemProduto(db::Database& db, const PostingKey& key);
DataPacket ReadItemEncargo(db::Database& db, const PostingKey& key);
DataPacket ReadContaPagar(db::Database& db, const PostingKey& key);
DataPacket ReadDadosAdic(db::Database& db, const PostingKey& key);
DataPacket ReadImposNFTot(db::Database& db, const PostingKey& key);
DataPacket ReadItemProImpos(db::Database& db, const PostingKey& key);
DataPacket ReadItensNFOrig(db::Database& db, const PostingKey& key);
DataPacket ReadNFRelacAF(db::Database& db, const PostingKey& key);

// The posting's supplier code, empty for a customer's or branch's posting; nothing when the posting does not
// exist or is a branch's outgoing invoice.
std::optional<std::string> ReadPostingSupplier(db::Database& db, const PostingKey& key);

// The name of a posting's participant after its kind (customer, issuing branch, else supplier) as a column
// expression over the posting aliased `posting`, and the joins it reads.
std::string ParticipantName(std::string_view posting);
std::string ParticipantJoins(std::string_view posting);

// The items of the origin postings, in the order of the keys.
DataPacket ReadOriginItems(db::Database& db, const std::vector<PostingKey>& origins);

} // namespace dfe::appserver
