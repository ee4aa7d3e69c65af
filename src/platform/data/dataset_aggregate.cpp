#include "platform/data/data_error.h"
#include "platform/data/dataset.h"

namespace dfe {

Variant DataSet::Aggregate(std::string_view expression, AggregateScope scope) const {
    CheckActive();
    const AggregateExpression aggregate =
        AggregateExpression::Parse(expression, [this](std::string_view n) { return ResolveExprField(n); });
    AggregateExpression::Accumulator acc(aggregate);
    if (scope == AggregateScope::View) {
        for (uint32_t id : view_)
            acc.Add(Row(id).values);
    } else {
        for (uint32_t id : order_) {
            if (Row(id).status != RowStatus::Deleted) acc.Add(Row(id).values);
        }
    }
    return acc.Result();
}

void DataSet::DeclareAggregate(const std::string& name, std::string_view expression, AggregateScope scope) {
    if (Active()) {
        AggregateExpression::Parse(expression, [this](std::string_view n) { return ResolveExprField(n); });
    }
    aggregates_[name] = {std::string(expression), scope};
}

Variant DataSet::AggregateValue(std::string_view name) const {
    const auto it = aggregates_.find(name);
    if (it == aggregates_.end())
        throw DataSetError(name_ + ": agregado " + std::string(name) + " não existe");
    return Aggregate(it->second.expression, it->second.scope);
}

} // namespace dfe
