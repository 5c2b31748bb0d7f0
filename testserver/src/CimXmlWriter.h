#pragma once
// Writes CIM-XML the way the captured OpenPegasus server lays it out: one
// element per line, its attribute order and spacing, values escaped alike.

#include "testcimom/CimError.h"
#include "testcimom/CimModel.h"

#include <optional>
#include <string>
#include <vector>

namespace testcimom {

class CimXmlWriter {
public:
    explicit CimXmlWriter(bool includeClassOrigin = false) : classOrigin_(includeClassOrigin) {}

    void cimClass(const CimClass& cimClass);
    void instance(const Instance& instance);
    void namedInstance(const ObjectPath& path, const Instance& instance);
    void instanceName(const ObjectPath& path);
    void className(const std::string& name);
    void qualifierDecl(const QualifierDecl& decl);
    void paramValue(const char* element, const std::string& name, const Value& value);

    const std::string& text() const { return out_; }
    std::string take() { return std::move(out_); }

    static std::string escape(const std::string& text, bool inAttribute = false);

    // Whole messages. The content goes between the (I)METHODRESPONSE tags.
    static std::string response(const std::string& messageId, const std::string& methodName, bool intrinsic,
                                const std::string& content);
    static std::string errorContent(const CimError& error);

private:
    void qualifier(const Qualifier& qualifier);
    void qualifiers(const std::vector<Qualifier>& qualifiers);
    void property(const Property& property);
    void method(const Method& method);
    void parameter(const Parameter& parameter);
    void value(const Value& value);
    void valueReference(const ObjectPath& path);
    void originAndPropagated(const std::string& classOrigin, bool propagated);

    bool classOrigin_;
    std::string out_;
};

}  // namespace testcimom
