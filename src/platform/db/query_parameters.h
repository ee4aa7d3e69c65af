#pragma once

#include "platform/db/database.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace dfe::db {

// The ":P_..." parameters of a lookup's text, by name without case. A parameter keeps its value while the
// text is changed, as long as the new text still has it; a parameter never given a value is bound as null.
class QueryParameters {
public:
    // Takes the parameter names of the text.
    void SyncWithText(std::string_view sql);
    bool Has(std::string_view name) const;
    // Throws DatabaseError for a name the text does not have.
    Variant& ByName(std::string_view name);
    const Variant& ByName(std::string_view name) const;
    void Set(std::string_view name, Variant value) { ByName(name) = std::move(value); }
    const std::vector<std::pair<std::string, Variant>>& Items() const { return items_; }
    const SqlParams& AsSqlParams() const { return items_; }

private:
    std::vector<std::pair<std::string, Variant>> items_;
    std::string syncedText_;
    bool synced_ = false;
};

} // namespace dfe::db
