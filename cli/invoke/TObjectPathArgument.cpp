#include "invoke/TObjectPathArgument.h"

#include <cctype>

#include <qel/ICIMNamespace.h>
#include <qel/TQELException.h>

#include "program/TCliError.h"

namespace NCimHTTPCli {

using namespace NVORNQEL20;

namespace {

// The keys the plug-in gives a node prefix: every one whose name contains this.
const char* const kIdentityKey = "InstanceID";
const std::string kNodePrefix = "Node";

bool IsPlainClassName(const std::string& text) { return text.find_first_of(".:=/\"") == std::string::npos; }

// The length of "Node<digits>:" at the start of the text, 0 when it is not there.
std::size_t NodePrefixLength(const std::string& text) {
    if (text.compare(0, kNodePrefix.size(), kNodePrefix) != 0) {
        return 0;
    }
    std::size_t end = kNodePrefix.size();
    while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end]))) {
        ++end;
    }
    return end > kNodePrefix.size() && end < text.size() && text[end] == ':' ? end + 1 : 0;
}

}  // namespace

TObjectPathArgument::TObjectPathArgument(const std::string& text, bool everyIdentityPrefixed)
    : fEveryIdentityPrefixed(everyIdentityPrefixed) {
    const TCIMReference given = Parse(text);
    TCIMContext keys;
    for (const TCIMReference::TKeyBinding& key : given.GetKeyBindings()) {
        keys[key.first] = WithoutNodePrefix(key.first, key.second);
    }
    fReference = TCIMReference(boost::shared_ptr<ICIMNamespace>(), keys, given.GetClassName());
}

TCIMReference TObjectPathArgument::Parse(const std::string& text) {
    if (text.empty()) {
        throw TCliError(eExitInvalidName, "an empty object path");
    }
    if (IsPlainClassName(text)) {
        return TCIMReference(boost::shared_ptr<ICIMNamespace>(), TCIMContext(), text);
    }
    TCIMReference reference;
    try {
        reference.SetPath(text);
    } catch (const TQELException&) {
        throw TCliError(eExitInvalidName, "'" + text + "' is no object path (Class.Key=\"value\",...)");
    }
    return reference;
}

TCIMValue TObjectPathArgument::WithoutNodePrefix(const std::string& keyName, const TCIMValue& value) {
    if (keyName.find(kIdentityKey) == std::string::npos || value.GetType() != TCIMValue::TCIMType::eString) {
        return value;
    }
    const std::string text = value.ToString();
    const std::size_t prefix = NodePrefixLength(text);
    if (!prefix || (!fEveryIdentityPrefixed && prefix < text.size())) {
        return value;
    }
    fNodeKey = text.substr(kNodePrefix.size(), prefix - kNodePrefix.size() - 1);
    return TCIMValue(text.substr(prefix));
}

}  // namespace NCimHTTPCli
