#ifndef QEL_INMEM_INMEMTABLES_H
#define QEL_INMEM_INMEMTABLES_H

#include <map>
#include <string>

#include <boost/shared_ptr.hpp>

#include <qel/TCIMContext.h>
#include <qel/TCIMName.h>

namespace NVORNQEL20 {
namespace InmemTables {

// The in-memory model keeps every kind of element by lower-case name.
template <typename TValue>
using TTable = std::map<std::string, boost::shared_ptr<TValue>>;

// Empty when the table has no element of that name.
template <typename TValue>
boost::shared_ptr<TValue> FindByName(const TTable<TValue>& table, const std::string& name) {
    auto found = table.find(TCIMName::Normalize(name));
    return found == table.end() ? boost::shared_ptr<TValue>() : found->second;
}

// Calls the callback for each element in name order until it returns false.
template <typename TValue, typename TCallback>
void EnumerateInOrder(const TTable<TValue>& table, const TCallback& callback) {
    for (const auto& entry : table) {
        if (!callback(entry.second)) {
            return;
        }
    }
}

// Adds the element under its name; false when the name is taken.
template <typename TValue>
bool AddByName(TTable<TValue>& table, boost::shared_ptr<TValue> element) {
    return table.emplace(TCIMName::Normalize(element->GetName(TCIMContext())), element).second;
}

}  // namespace InmemTables
}  // namespace NVORNQEL20

#endif
