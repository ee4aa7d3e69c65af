#include "dfe11000/header/service_place.h"

namespace dfe::dfe11000 {
namespace {

constexpr const char* kCountry = "0055";

bool PlaceKey(char32_t key) {
    return key == U'\b' || key == U'\t' || key == U'\r' || key == 22 || key == U'%' || key == U'&' ||
           key == U'\'' || key == U'(';
}

} // namespace

void KeepStateKey(char32_t& key) {
    if (key >= U'a' && key <= U'z') {
        key = key - U'a' + U'A';
    } else if (!(key >= U'A' && key <= U'Z') && !PlaceKey(key)) {
        key = 0;
    }
}

void KeepMunicipalityKey(char32_t& key) {
    if (!(key >= U'0' && key <= U'9') && !PlaceKey(key)) key = 0;
}

void ReopenPlace(db::TADOIBQuery& query, const std::string& state, const std::string& municipality) {
    query.Close();
    query.ParamByName("P_CDPAIS") = Variant(kCountry);
    if (query.HasParam("P_SGESTADO")) query.ParamByName("P_SGESTADO") = Variant(state);
    if (query.HasParam("P_CDMUNICIPIO")) query.ParamByName("P_CDMUNICIPIO") = Variant(municipality);
    query.Open();
}

} // namespace dfe::dfe11000
