#ifndef CIMHTTP_TESTS_SUPPORT_FRESHPROCESS_H
#define CIMHTTP_TESTS_SUPPORT_FRESHPROCESS_H

#include <cstdlib>
#include <iostream>

#include <gtest/gtest.h>

namespace cimhttp_test {

// Ends a child of InFreshProcess: prints the test's failures to stderr,
// where the parent shows them, and exits with 1 when there were any.
[[noreturn]] inline void ExitWithTestResult()
{
    const ::testing::TestResult& result = *::testing::UnitTest::GetInstance()->current_test_info()->result();
    for (int i = 0; i < result.total_part_count(); ++i) {
        const ::testing::TestPartResult& part = result.GetTestPartResult(i);
        if (part.failed())
            std::cerr << (part.file_name() ? part.file_name() : "") << ":" << part.line_number() << ": "
                      << part.message() << "\n";
    }
    std::cerr.flush();
    std::exit(result.Failed() ? 1 : 0);
}

// Runs the body in a new process of this test binary, for what happens once
// per process (the ESXi check) or at its exit: gtest's "threadsafe"
// death-test style starts the binary afresh with only the current test
// selected, and the body's process must exit with 0.
template <typename Body>
void InFreshProcess(Body body)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            body();
            ExitWithTestResult();
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace cimhttp_test

#endif
