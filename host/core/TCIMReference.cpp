#include <qel/TCIMReference.h>

#include <algorithm>

#include <qel/ICIMNamespace.h>
#include <qel/TCIMName.h>
#include <qel/TQELException.h>

#include "NumberText.h"

namespace NVORNQEL20 {

namespace {

typedef TCIMValue::TCIMType TType;

// What a key value's text, quotes and separators take, mostly.
const std::size_t kShortValueLength = 24;

void AppendQuoted(std::string& path, const std::string& text) {
    path += '"';
    for (char c : text) {
        if (c == '"' || c == '\\') {
            path += '\\';
        }
        path += c;
    }
    path += '"';
}

bool IsWrittenBare(const TCIMValue& value) {
    const TType::ECIMType type = value.GetType();
    return !value.IsNull() && type >= TType::eBoolean && type <= TType::eReal64;
}

void AppendKeyValue(std::string& path, const TCIMValue& value) {
    if (IsWrittenBare(value)) {
        path += value.ToString(10);
    } else {
        AppendQuoted(path, value.ToString(10));
    }
}

// Ordered as the lower-cased names would be, without making them.
bool KeyNameBefore(const TCIMReference::TKeyBinding& left, const TCIMReference::TKeyBinding& right) {
    return std::lexicographical_compare(
        left.first.begin(), left.first.end(), right.first.begin(), right.first.end(),
        [](char a, char b) { return TCIMName::LowerCase(a) < TCIMName::LowerCase(b); });
}

// The parts of an object path text.
struct TPathParts {
    std::string fHost;
    std::string fNamespaceName;
    std::string fClassName;
    std::vector<TCIMReference::TKeyBinding> fKeyBindings;
};

// Reads "//host/namespace:Class.key=value,..." (host, namespace and keys optional).
class TPathParser {
public:
    explicit TPathParser(const std::string& path) : fPath(path), fPos(0) {}

    TPathParts Parse() {
        TPathParts parts;
        if (fPath.empty()) {
            return parts;
        }
        ReadHost(parts);
        ReadNamespace(parts);
        ReadClassName(parts);
        ReadKeyBindings(parts);
        return parts;
    }

private:
    [[noreturn]] void Fail(const std::string& reason) const {
        throw TQELException(TQELStatusCode::eInvalidValue,
                            "object path '" + fPath + "': " + reason + " at position " + std::to_string(fPos));
    }

    bool AtEnd() const { return fPos >= fPath.size(); }

    void ReadHost(TPathParts& parts) {
        if (fPath.compare(0, 2, "//") != 0) {
            return;
        }
        const std::size_t slash = fPath.find('/', 2);
        if (slash == std::string::npos || slash == 2) {
            Fail("host without namespace");
        }
        parts.fHost = fPath.substr(2, slash - 2);
        fPos = slash + 1;
    }

    void ReadNamespace(TPathParts& parts) {
        const std::size_t colon = fPath.find(':', fPos);
        const std::size_t classEnd = fPath.find_first_of(".=", fPos);
        if (colon != std::string::npos && colon < classEnd) {
            parts.fNamespaceName = fPath.substr(fPos, colon - fPos);
            fPos = colon + 1;
        }
        if (parts.fNamespaceName.empty() && !parts.fHost.empty()) {
            Fail("host without namespace");
        }
    }

    void ReadClassName(TPathParts& parts) {
        const std::size_t classEnd = std::min(fPath.find_first_of(".=", fPos), fPath.size());
        parts.fClassName = fPath.substr(fPos, classEnd - fPos);
        if (!TCIMName::IsValid(parts.fClassName)) {
            Fail("invalid class name '" + parts.fClassName + "'");
        }
        fPos = classEnd;
    }

    void ReadKeyBindings(TPathParts& parts) {
        if (AtEnd() || fPath.compare(fPos, std::string::npos, "=@") == 0) {
            return;
        }
        if (fPath[fPos] != '.') {
            Fail("'.' expected");
        }
        do {
            ++fPos;
            std::string name = ReadKeyName();
            parts.fKeyBindings.emplace_back(name, ReadKeyValue());
        } while (!AtEnd() && fPath[fPos] == ',');
        if (!AtEnd()) {
            Fail("',' expected");
        }
    }

    std::string ReadKeyName() {
        const std::size_t equals = fPath.find('=', fPos);
        std::string name = fPath.substr(fPos, equals == std::string::npos ? std::string::npos : equals - fPos);
        if (equals == std::string::npos || !TCIMName::IsValid(name)) {
            Fail("invalid key name '" + name + "'");
        }
        fPos = equals + 1;
        return name;
    }

    TCIMValue ReadKeyValue() { return (!AtEnd() && fPath[fPos] == '"') ? ReadQuoted() : ReadBare(); }

    TCIMValue ReadQuoted() {
        std::string text;
        for (++fPos; !AtEnd() && fPath[fPos] != '"'; ++fPos) {
            if (fPath[fPos] == '\\' && fPos + 1 < fPath.size()) {
                ++fPos;
            }
            text += fPath[fPos];
        }
        if (AtEnd()) {
            Fail("unterminated quoted value");
        }
        ++fPos;
        return TCIMValue(text);
    }

    TCIMValue ReadBare() {
        const std::size_t end = std::min(fPath.find(',', fPos), fPath.size());
        const std::string text = fPath.substr(fPos, end - fPos);
        bool boolean = false;
        unsigned long long unsignedNumber = 0;
        long long signedNumber = 0;
        double real = 0;
        TCIMValue value;
        if (NumberText::ParseBoolean(text, boolean)) {
            value = TCIMValue(boolean);
        } else if (NumberText::ParseUnsigned(text, unsignedNumber)) {
            value = TCIMValue(unsignedNumber);
        } else if (NumberText::ParseSigned(text, signedNumber)) {
            value = TCIMValue(signedNumber);
        } else if (NumberText::ParseReal(text, real)) {
            value = TCIMValue(real);
        } else {
            Fail("unquoted key value '" + text + "' is not a boolean or a number");
        }
        fPos = end;
        return value;
    }

    const std::string& fPath;
    std::size_t fPos;
};

}  // namespace

TCIMReference::TCIMReference() = default;

TCIMReference::TCIMReference(boost::shared_ptr<ICIMNamespace> nameSpace, const TCIMContext& keyBindings,
                             const std::string& className)
    : TCIMReference(nameSpace, std::vector<TKeyBinding>(keyBindings.begin(), keyBindings.end()), className) {}

// Keys that come in order (an instance's, by its lineage) are not sorted again.
TCIMReference::TCIMReference(boost::shared_ptr<ICIMNamespace> nameSpace, std::vector<TKeyBinding> keyBindings,
                             const std::string& className)
    : fNamespace(nameSpace), fClassName(className), fKeyBindings(std::move(keyBindings)) {
    if (!std::is_sorted(fKeyBindings.begin(), fKeyBindings.end(), KeyNameBefore)) {
        std::stable_sort(fKeyBindings.begin(), fKeyBindings.end(), KeyNameBefore);
    }
}

const std::string& TCIMReference::GetClassName() const { return fClassName; }
const std::string& TCIMReference::GetHost() const { return fHost; }
const std::string& TCIMReference::GetNamespaceName() const { return fNamespaceName; }
const std::vector<TCIMReference::TKeyBinding>& TCIMReference::GetKeyBindings() const { return fKeyBindings; }

// Room for short key values up front: an instance's path is made for
// every instance filed.
std::string TCIMReference::GetPath() const {
    std::string path;
    std::size_t expected = fHost.size() + fNamespaceName.size() + fClassName.size() + 4;
    for (const TKeyBinding& binding : fKeyBindings) {
        expected += binding.first.size() + kShortValueLength;
    }
    path.reserve(expected);
    if (!fHost.empty()) {
        path.append("//").append(fHost).append("/");
    }
    if (!fNamespaceName.empty()) {
        path.append(fNamespaceName).append(":");
    }
    path += fClassName;
    for (std::size_t i = 0; i < fKeyBindings.size(); ++i) {
        path.append(i == 0 ? "." : ",").append(fKeyBindings[i].first).append("=");
        AppendKeyValue(path, fKeyBindings[i].second);
    }
    return path;
}

void TCIMReference::SetPath(const std::string& path) {
    TPathParts parts = TPathParser(path).Parse();
    fHost = std::move(parts.fHost);
    fNamespaceName = std::move(parts.fNamespaceName);
    fClassName = std::move(parts.fClassName);
    fKeyBindings = std::move(parts.fKeyBindings);
}

boost::shared_ptr<ICIMNamespace> TCIMReference::GetNamespace() const { return fNamespace.lock(); }

void TCIMReference::SetNamespace(boost::shared_ptr<ICIMNamespace> nameSpace) { fNamespace = nameSpace; }

bool TCIMReference::operator==(const TCIMReference& other) const { return GetPath() == other.GetPath(); }
bool TCIMReference::operator!=(const TCIMReference& other) const { return !(*this == other); }
bool TCIMReference::operator<(const TCIMReference& other) const { return GetPath() < other.GetPath(); }

}  // namespace NVORNQEL20
