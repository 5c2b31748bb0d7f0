#include "output/JsonValue.h"

#include <ostream>
#include <vector>

namespace NCimHTTPCli {

using NVORNQEL20::TCIMValue;

namespace {

TJson JsonOfScalar(const TCIMValue& value) {
    switch (value.GetElementType()) {
        case TCIMValue::TCIMType::eBoolean:
            return static_cast<bool>(value);
        case TCIMValue::TCIMType::eUint8:
        case TCIMValue::TCIMType::eUint16:
        case TCIMValue::TCIMType::eUint32:
        case TCIMValue::TCIMType::eUint64:
            return static_cast<unsigned long long>(value);
        case TCIMValue::TCIMType::eSint8:
        case TCIMValue::TCIMType::eSint16:
        case TCIMValue::TCIMType::eSint32:
        case TCIMValue::TCIMType::eSint64:
            return static_cast<long long>(value);
        case TCIMValue::TCIMType::eReal32:
        case TCIMValue::TCIMType::eReal64:
            return static_cast<double>(value);
        default:
            return value.ToString();
    }
}

}  // namespace

TJson JsonOf(const TCIMValue& value) {
    if (value.IsNull()) {
        return nullptr;
    }
    if (!value.IsArray()) {
        return JsonOfScalar(value);
    }
    TJson elements = TJson::array();
    for (const TCIMValue& element : static_cast<const std::vector<TCIMValue>&>(value)) {
        elements.push_back(JsonOf(element));
    }
    return elements;
}

std::string Joined(const std::vector<std::string>& texts) {
    std::string joined;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        joined += (i ? ", " : "") + texts[i];
    }
    return joined;
}

namespace {

std::string FullTextOf(const TJson& value) {
    if (value.is_null()) {
        return std::string();
    }
    if (value.is_string()) {
        return value.get<std::string>();
    }
    if (!value.is_array()) {
        return value.dump();
    }
    std::vector<std::string> elements;
    for (const TJson& element : value) {
        elements.push_back(FullTextOf(element));
    }
    return Joined(elements);
}

// Cuts at a character boundary: UTF-8 continuation bytes stay with their start.
std::string Cut(const std::string& text, std::size_t maxWidth) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && ++characters > maxWidth) {
            return text.substr(0, i) + "...";
        }
    }
    return text;
}

}  // namespace

std::string TextOf(const TJson& value, std::size_t maxWidth) {
    const std::string text = FullTextOf(value);
    return maxWidth ? Cut(text, maxWidth) : text;
}

void WriteJson(const TJson& document, std::ostream& out) {
    out << document.dump(2, ' ', false, TJson::error_handler_t::replace) << "\n";
}

}  // namespace NCimHTTPCli
