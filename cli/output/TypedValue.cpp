#include "output/TypedValue.h"

#include <vector>

#include <qel/TQELException.h>

#include "program/TCliError.h"

namespace NCimHTTPCli {

using NVORNQEL20::TCIMValue;

namespace {

bool IsArrayText(const std::string& text) { return text.size() >= 2 && text.front() == '[' && text.back() == ']'; }

std::vector<std::string> ArrayElements(const std::string& text) {
    std::vector<std::string> elements;
    const std::string inner = text.substr(1, text.size() - 2);
    if (inner.empty()) {
        return elements;
    }
    std::size_t start = 0;
    for (std::size_t comma = inner.find(','); comma != std::string::npos; comma = inner.find(',', start)) {
        elements.push_back(inner.substr(start, comma - start));
        start = comma + 1;
    }
    elements.push_back(inner.substr(start));
    return elements;
}

TCIMValue ScalarValue(TCIMValue::TCIMType type, const std::string& text, const std::string& what) {
    TCIMValue value(type.GetElementType(), 0);
    try {
        value.Set(text);
    } catch (const NVORNQEL20::TQELException&) {
        throw TCliError(eExitBadParameter,
                        what + ": '" + text + "' is not a " + type.GetElementType().GetName() + " value");
    }
    return value;
}

}  // namespace

TCIMValue TypedValue(TCIMValue::TCIMType type, const std::string& text, const std::string& what) {
    if (!IsArrayText(text)) {
        return ScalarValue(type, text, what);
    }
    std::vector<TCIMValue> elements;
    for (const std::string& element : ArrayElements(text)) {
        elements.push_back(ScalarValue(type, element, what));
    }
    return TCIMValue(type.GetElementType(), static_cast<unsigned>(elements.size()), elements);
}

}  // namespace NCimHTTPCli
