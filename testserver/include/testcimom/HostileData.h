#pragma once
// Schemas and data that no sane CIMOM serves, for clients that must come
// through them: a class of tens of thousands of properties, a value map of
// a hundred thousand entries, an instance of megabytes, keys made of every
// character CIM-XML can carry, a class that is its own superclass. Each
// call adds one class (and its instances) to a namespace that exists.

#include "testcimom/Repository.h"

#include <cstddef>
#include <string>
#include <vector>

namespace testcimom {

class HostileData {
public:
    // `propertyCount` properties P00000, P00001, ..., strings and uint32s in
    // turn, each with a Description qualifier, and one instance (key P00000)
    // that sets every one: strings to "value <n>", numbers to n.
    static void addWideClass(Repository& repository, const std::string& nameSpace, const std::string& className,
                             std::size_t propertyCount);
    // A string key "Id" and a uint32 "Code" whose Values qualifier holds
    // `entryCount` texts "Value <n>" and whose ValueMap maps each to n; one
    // instance per code given, its Id "code <n>".
    static void addLongValueMap(Repository& repository, const std::string& nameSpace, const std::string& className,
                                std::size_t entryCount, const std::vector<std::size_t>& codes);
    // One instance (Id "big") of about `bytes` bytes of text: a string
    // "Text" of half of them and a string array "Chunks" of 1 KiB items for
    // the rest.
    static void addBigInstance(Repository& repository, const std::string& nameSpace, const std::string& className,
                               std::size_t bytes);
    // Instances whose string key "Id" holds, between them, every character a
    // CIM-XML string can carry: XML's characters, U+0009, U+000A, U+000D,
    // U+0020 to U+D7FF, U+E000 to U+FFFD and U+10000 to U+10FFFF, in that
    // order, `perInstance` characters each, in UTF-8. Returns the keys.
    static std::vector<std::string> addEveryCharacterKeys(Repository& repository, const std::string& nameSpace,
                                                          const std::string& className, std::size_t perInstance);
    // A class whose superclass is `superClassName`, which names the class
    // itself (in the same or in other letter case).
    static void addSelfNamedSuperclass(Repository& repository, const std::string& nameSpace,
                                       const std::string& className, const std::string& superClassName);
};

}  // namespace testcimom
