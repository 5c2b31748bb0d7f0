#include "schema/SchemaTables.h"

#include "namespace/TCimHTTPNamespace.h"

namespace NVORNQEL20 {

bool SameSchemaName(const std::string& own, const std::string& other)
{
    return TCimHTTPNamespace::NormalizeName(own) == TCimHTTPNamespace::NormalizeName(other);
}

bool SchemaNameBefore(const std::string& own, const std::string& other)
{
    return TCimHTTPNamespace::NormalizeName(own) < TCimHTTPNamespace::NormalizeName(other);
}

}  // namespace NVORNQEL20
