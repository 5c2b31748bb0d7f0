#pragma once
// Generated instances for benchmarks: Test_Big exactly by the rule of its MOF
// (the captured server's EnumerateInstances answer for 10,000 of them is
// 14,506,780 bytes), and classes of any size with properties of mixed types.

#include "testcimom/Repository.h"

#include <cstddef>
#include <string>

namespace testcimom {

class InstanceGenerator {
public:
    // The Test_Big class must already be in the namespace.
    static void addTestBig(Repository& repository, const std::string& nameSpace, std::size_t count);
    // A class of `propertyCount` properties (a string key "Id" first, then
    // strings, unsigned and signed integers, reals, booleans, datetimes and
    // arrays in turn) with `instanceCount` instances.
    static void addMixedClass(Repository& repository, const std::string& nameSpace, const std::string& className,
                              std::size_t propertyCount, std::size_t instanceCount);
};

}  // namespace testcimom
