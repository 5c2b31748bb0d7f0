#ifndef CIMHTTP_SCHEMA_SCHEMATABLES_H
#define CIMHTTP_SCHEMA_SCHEMATABLES_H

#include <string>

namespace NVORNQEL20 {

// Schema elements compare by name alone, without regard to letter case:
// both names are normalized as the namespace normalizes its table keys,
// and an invalid name fails the comparison with status 25.
bool SameSchemaName(const std::string& own, const std::string& other);
bool SchemaNameBefore(const std::string& own, const std::string& other);

// Hands each element of a table keyed by normalized name to the callback,
// in key order, until the callback returns false.
template <typename TTable, typename TCallback>
void EnumerateInOrder(const TTable& table, TCallback& callback)
{
    for (const auto& entry : table)
        if (!callback(entry.second))
            return;
}

}  // namespace NVORNQEL20

#endif
