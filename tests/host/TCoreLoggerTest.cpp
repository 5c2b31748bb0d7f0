#include <qel/TCoreLogger.h>

#include <cstdio>
#include <thread>
#include <unistd.h>

#include <gtest/gtest.h>

#include <qel/TQELException.h>
#include <qel/TRootObject.h>

#include "ReadFile.h"

using namespace NVORNQEL20;

TEST(TCoreLogger, RecordsEachCallAsSent) {
    TCoreLogger logger;
    logger.Log(3, "Entering TCimHTTPNamespace::connect");
    logger.Log(0, "two\nlines\n");
    logger.Log(1, "");
    const std::vector<TCoreLogger::TRecord> expected = {
        {3, "Entering TCimHTTPNamespace::connect"}, {0, "two\nlines\n"}, {1, ""}};
    EXPECT_EQ(expected, logger.Records());
    logger.Clear();
    EXPECT_TRUE(logger.Records().empty());
}

TEST(TCoreLogger, KeepsTheNewestRecordsUpToItsCapacity) {
    TCoreLogger logger;
    logger.SetCapacity(2);
    logger.Log(3, "a");
    logger.Log(3, "b");
    logger.Log(3, "c");
    const std::vector<TCoreLogger::TRecord> expected = {{3, "b"}, {3, "c"}};
    EXPECT_EQ(expected, logger.Records());
    logger.SetCapacity(1);
    EXPECT_EQ(1u, logger.Records().size());
}

TEST(TCoreLogger, KeepsTheNewestRecordsWithinItsByteCapacity) {
    TCoreLogger logger;
    logger.SetByteCapacity(10);
    logger.Log(3, "aaaa");
    logger.Log(3, "bbbb");
    logger.Log(3, "cccc");
    const std::vector<TCoreLogger::TRecord> expected = {{3, "bbbb"}, {3, "cccc"}};
    EXPECT_EQ(expected, logger.Records());
    const std::string oversized(20, 'x');
    logger.Log(0, oversized);
    EXPECT_EQ((std::vector<TCoreLogger::TRecord>{{0, oversized}}), logger.Records());
    logger.Clear();
    logger.Log(3, "0123456789");
    EXPECT_EQ(1u, logger.Records().size());
}

// A long-lived host writing the longest lines the plug-in sends holds no
// more than the default byte capacity of them.
TEST(TCoreLogger, ByDefaultHoldsAtMostItsByteCapacityOfLongLines) {
    TCoreLogger logger;
    const std::string line(4095, 'x');
    const std::size_t written = TCoreLogger::kDefaultByteCapacity / line.size() + 100;
    for (std::size_t i = 0; i < written; ++i) {
        logger.Log(3, line);
    }
    logger.Log(3, "newest");
    const std::vector<TCoreLogger::TRecord> records = logger.Records();
    std::size_t bytes = 0;
    for (const TCoreLogger::TRecord& record : records) {
        bytes += record.second.size();
    }
    EXPECT_LE(bytes, TCoreLogger::kDefaultByteCapacity);
    EXPECT_GE(bytes, TCoreLogger::kDefaultByteCapacity - line.size());
    EXPECT_EQ("newest", records.back().second);
}

TEST(TCoreLogger, WritesLinesToAFileAndToNothing) {
    const std::string path = ::testing::TempDir() + "host_logger_" + std::to_string(getpid()) + ".log";
    std::remove(path.c_str());
    TCoreLogger logger;
    logger.WriteToFile(path);
    logger.Log(3, "first");
    logger.Log(0, "second\n");
    logger.WriteToNothing();
    logger.Log(3, "not written");
    EXPECT_EQ("3 first\n0 second\n", readFile(path));
    EXPECT_EQ(3u, logger.Records().size());
    std::remove(path.c_str());
    EXPECT_THROW(logger.WriteToFile("/nonexistent-directory/x.log"), TQELException);
}

TEST(TCoreLogger, ManyThreadsLoseNoRecord) {
    TCoreLogger logger;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&logger, t] {
            for (int i = 0; i < 500; ++i) {
                logger.Log(t, "message");
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(2000u, logger.Records().size());
}

TEST(TCoreLogger, RootObjectHandsOutOneLogger) {
    EXPECT_EQ(TRootObject::GetCoreLogger(), TRootObject::GetCoreLogger());
    TRootObject::GetCoreLogger()->Clear();
    TRootObject::GetCoreLogger()->Log(1, "Could not load SPLibrary.");
    ASSERT_EQ(1u, TRootObject::GetCoreLogger()->Records().size());
    EXPECT_EQ(TCoreLogger::TRecord(1, "Could not load SPLibrary."), TRootObject::GetCoreLogger()->Records()[0]);
}
