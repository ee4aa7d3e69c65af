#pragma once

namespace dfe::net {

// The remote data modules of the application server, by the names the client connects with.
inline constexpr const char* kLancNFEntrada = "Dfe11000.rdmLancNFEntrada";
inline constexpr const char* kDocFiscEntrada = "Dfe00000.rdmDocFiscEntrada";
inline constexpr const char* kEstoque = "Est00000.rdmEstoque";
inline constexpr const char* kInfoProd = "Est.rdmInfoProd";
inline constexpr const char* kAutoriza = "Est.rdmAutoriza";
inline constexpr const char* kSituacao = "DFS52000.rdmSituacao";
inline constexpr const char* kGeraSaida = "Dfe11270.rdmGeraSaida";
inline constexpr const char* kGeraNFEntrada = "DFE11450.rdmGeraNFEntrCopia";
inline constexpr const char* kGeraMoviEstTer = "Dfe11285.rdmGeraMovEstTerc";

} // namespace dfe::net
