#pragma once
// The input parameters of an extrinsic call checked against the method the
// class declares, as a CIMOM checks them before a provider sees them: each
// one declared and an input, of the declared type and array form (one sent
// without PARAMTYPE takes the declared type), every value valid for its
// type, each given once, the Required ones present. Anything else is
// CIM_ERR_INVALID_PARAMETER.

#include "testcimom/CimModel.h"

#include <vector>

namespace testcimom {

class MethodSignature {
public:
    explicit MethodSignature(const Method& method) : method_(method) {}

    // The parameters named and typed as declared, values in canonical form
    // (see TypedText). Throws CimError.
    std::vector<ParamValue> bind(const std::vector<ParamValue>& given) const;

private:
    ParamValue bindOne(const ParamValue& given) const;
    void checkRequired(const std::vector<ParamValue>& bound) const;

    const Method& method_;
};

}  // namespace testcimom
