#include <qel/TCIMName.h>

#include <algorithm>

#include <qel/TQELException.h>

namespace NVORNQEL20 {

namespace {

// The C locale's letters and digits, whatever locale the process runs in,
// and without asking it: names are normalized on every property look-up.
bool IsNameStart(char c) { return c == '_' || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool IsNamePart(char c) { return IsNameStart(c) || (c >= '0' && c <= '9'); }

}  // namespace

bool TCIMName::IsValid(const std::string& name) {
    return !name.empty() && IsNameStart(name[0]) && std::all_of(name.begin() + 1, name.end(), IsNamePart);
}

// One pass: every property look-up of an instance normalizes its name.
std::string TCIMName::Normalize(const std::string& name) {
    std::string lowered(name);
    for (std::size_t i = 0; i < lowered.size(); ++i) {
        if (!(i == 0 ? IsNameStart(lowered[i]) : IsNamePart(lowered[i]))) {
            throw TQELException(TQELStatusCode::eInvalidName, "CIM name '" + name + "' is invalid");
        }
        lowered[i] = LowerCase(lowered[i]);
    }
    return lowered;
}

std::string TCIMName::LowerCase(const std::string& name) {
    std::string lowered(name);
    for (char& c : lowered) {
        c = LowerCase(c);
    }
    return lowered;
}

bool TCIMName::EqualNoCase(const std::string& left, const std::string& right) {
    return left.size() == right.size() &&
           std::equal(left.begin(), left.end(), right.begin(),
                      [](char a, char b) { return LowerCase(a) == LowerCase(b); });
}

}  // namespace NVORNQEL20
