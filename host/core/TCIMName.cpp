#include <qel/TCIMName.h>

#include <algorithm>
#include <cctype>

#include <qel/TQELException.h>

namespace NVORNQEL20 {

namespace {

bool IsNameStart(char c) { return c == '_' || std::isalpha(static_cast<unsigned char>(c)); }

bool IsNamePart(char c) { return c == '_' || std::isalnum(static_cast<unsigned char>(c)); }

char LowerCaseCharacter(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

}  // namespace

bool TCIMName::IsValid(const std::string& name) {
    return !name.empty() && IsNameStart(name[0]) && std::all_of(name.begin() + 1, name.end(), IsNamePart);
}

std::string TCIMName::Normalize(const std::string& name) {
    if (!name.empty() && !IsValid(name)) {
        throw TQELException(TQELStatusCode::eInvalidName, "CIM name '" + name + "' is invalid");
    }
    return LowerCase(name);
}

std::string TCIMName::LowerCase(const std::string& name) {
    std::string lowered(name);
    std::transform(lowered.begin(), lowered.end(), lowered.begin(), LowerCaseCharacter);
    return lowered;
}

bool TCIMName::EqualNoCase(const std::string& left, const std::string& right) {
    return left.size() == right.size() &&
           std::equal(left.begin(), left.end(), right.begin(),
                      [](char a, char b) { return LowerCaseCharacter(a) == LowerCaseCharacter(b); });
}

}  // namespace NVORNQEL20
