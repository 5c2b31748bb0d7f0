#pragma once
// The EnumerateInstances answer for Test_Big instances, as the test CIMOM
// writes it by the rule of mof/testbig-class.mof: for 10,000 instances the
// captured OpenPegasus body, 14,506,780 bytes.

#include <string>

// The body the test CIMOM answers the captured request
// EnumerateInstances-Test_Big-first with when it serves `count` instances.
std::string testBigResponseBody(int count);

// The body as a complete HTTP/1.1 response with a Content-Length, framed the
// way the captured server framed it.
std::string testBigHttpResponse(const std::string& body);
