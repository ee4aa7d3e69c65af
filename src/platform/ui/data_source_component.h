#pragma once

#include "platform/ui/component.h"

#include "platform/data/data_source.h"

namespace dfe {

// A data source owned by a form by name (dtsRomaneioNF), so that scripts and renderers find it.
class DataSourceComponent : public Component {
public:
    std::string_view Kind() const override { return "DataSource"; }
    DataSource& Source() { return source_; }
    const DataSource& Source() const { return source_; }

private:
    DataSource source_;
};

} // namespace dfe
