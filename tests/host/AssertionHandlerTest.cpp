#include <qel/TAssertionFailedException.h>

#include <boost/make_shared.hpp>
#include <gtest/gtest.h>

#include <qel/ICIMClass.h>
#include <qel/TInmemNamespace.h>
#include <qel/TCoreLogger.h>
#include <qel/TRootObject.h>

using namespace NVORNQEL20;

TEST(AssertionHandler, EmptySharedPointerThrowsAndLogsInsteadOfCrashing) {
    TRootObject::GetCoreLogger()->Clear();
    boost::shared_ptr<ICIMClass> empty = boost::make_shared<TInmemNamespace>()->GetClass("Missing", TCIMContext());
    try {
        empty->GetName(TCIMContext());
        FAIL() << "no exception";
    } catch (const TAssertionFailedException& error) {
        EXPECT_NE(std::string::npos, std::string(error.what()).find("px != 0")) << error.what();
    }
    const std::vector<TCoreLogger::TRecord> records = TRootObject::GetCoreLogger()->Records();
    ASSERT_EQ(1u, records.size());
    EXPECT_EQ(0, records[0].first);
    EXPECT_EQ(0u, records[0].second.find("Assertion failed: px != 0"));
    EXPECT_THROW(*empty, std::exception);
}
