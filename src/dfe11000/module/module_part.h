#pragma once

// What every rule class of the posting screen stands on: the form that owns the datasets, lookups,
// connections and controls, reached through references taken once.

namespace dfe::dfe11000 {

class TfrmLancNFEntrada;
struct PostingDataSets;
struct ModuleLookups;
struct PostingControls;
class ServerGateway;

class ModulePart {
public:
    ModulePart(const ModulePart&) = delete;
    ModulePart& operator=(const ModulePart&) = delete;

protected:
    explicit ModulePart(TfrmLancNFEntrada& form);
    ~ModulePart() = default;

    TfrmLancNFEntrada& form_;
    PostingDataSets& data_;
    ModuleLookups& lookups_;
    PostingControls& ui_;
    ServerGateway& server_;
};

} // namespace dfe::dfe11000
