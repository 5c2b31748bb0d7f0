#pragma once
// The methods of VORN_MethodTest and VORN_MethodTestLink (data/method-test.xml),
// for testing clients' method calls: EchoScalars and EchoArrays answer
// every input in an output of the same type and describe what arrived, Fail
// fails with a chosen CIM status, Delay answers late, Identify names the
// instance it is invoked on. The server has checked the inputs against the
// declarations before a handler runs.

#include "testcimom/MethodProviders.h"

#include <string>

namespace testcimom {

class MethodTestProvider {
public:
    static constexpr unsigned kMaxDelayMilliseconds = 10000;

    static void registerIn(MethodProviders& methods, const std::string& nameSpace);
};

}  // namespace testcimom
