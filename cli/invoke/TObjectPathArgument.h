#ifndef CIMHTTP_CLI_INVOKE_TOBJECTPATHARGUMENT_H
#define CIMHTTP_CLI_INVOKE_TOBJECTPATHARGUMENT_H

#include <string>

#include <qel/TCIMReference.h>

namespace NCimHTTPCli {

// The PATH of invoke: an instance path (`Class.Key="v",...`, with or
// without host and namespace) or a class name for a method called on the
// class. The plug-in writes "Node<key>:" in front of the values of
// InstanceID keys, which the server never saw: on a multi-node system and
// in a management controller's namespace in front of every value, on other
// single nodes only as the whole of an empty one. The path for the server
// goes without it, and the node it named is kept.
class TObjectPathArgument {
public:
    // everyIdentityPrefixed: the plug-in prefixes every identity value.
    // Throws TCliError (invalid name) for text that is no object path.
    TObjectPathArgument(const std::string& text, bool everyIdentityPrefixed);

    const std::string& ClassName() const { return fReference.GetClassName(); }
    bool IsClassPath() const { return fReference.GetKeyBindings().empty(); }
    // The path as the server knows it, keys in the server's order.
    const NVORNQEL20::TCIMReference& Reference() const { return fReference; }
    // The node key of the "Node<key>:" prefix, empty when there was none.
    const std::string& NodeKey() const { return fNodeKey; }

private:
    static NVORNQEL20::TCIMReference Parse(const std::string& text);
    NVORNQEL20::TCIMValue WithoutNodePrefix(const std::string& keyName, const NVORNQEL20::TCIMValue& value);

    bool fEveryIdentityPrefixed;
    NVORNQEL20::TCIMReference fReference;
    std::string fNodeKey;
};

}  // namespace NCimHTTPCli

#endif
