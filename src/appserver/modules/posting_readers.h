#pragma once

#include "appserver/modules/call_arguments.h"
#include "platform/data/packet.h"
#include "platform/db/database.h"

#include <string>
#include <vector>

namespace dfe::appserver {

// The rows of one posting, one reader per dataset of the posting, each shaped to its dataset's layout and
// ordered as the client shows them. A posting that does not exist reads as empty packets.
Packet ReadNotaFiscal(db::Database& db, const PostingKey& key);
Packet ReadItemNotaFisc(db::Database& db, const PostingKey& key);
Packet ReadItemProduto(db::Database& db, const PostingKey& key);
Packet ReadItemEncargo(db::Database& db, const PostingKey& key);
Packet ReadContaPagar(db::Database& db, const PostingKey& key);
Packet ReadDadosAdic(db::Database& db, const PostingKey& key);
Packet ReadImposNFTot(db::Database& db, const PostingKey& key);
Packet ReadItemProImpos(db::Database& db, const PostingKey& key);
Packet ReadItensNFOrig(db::Database& db, const PostingKey& key);
Packet ReadNFRelacAF(db::Database& db, const PostingKey& key);

// The items of the origin postings, in the order of the keys.
Packet ReadOriginItems(db::Database& db, const std::vector<PostingKey>& origins);

} // namespace dfe::appserver
