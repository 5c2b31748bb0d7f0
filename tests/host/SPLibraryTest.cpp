#include <qel/SPLibrary.h>

#include <string>

#include <gtest/gtest.h>

#include <qel/TControllerSimulation.h>
#include <qel/TarnInfo.h>

using namespace NVORNQEL20;

namespace {

struct TAnswer {
    bool fSent;
    int fLength;
    unsigned char fBuffer[256];
};

// Sends the firmware-version request the way the plug-in does.
TAnswer AskFirmwareVersion(int maxLength = 256) {
    TAnswer answer = {false, 256, {0x01, 0x20, 0x3A, 0x00, 0x50, 0x00}};
    SPLibrary* library = SPLibrary::GetSplibraryInstance(0);
    answer.fSent = library->sendIPMICommand(answer.fBuffer, &answer.fLength, maxLength, true);
    return answer;
}

std::string BuildId(const TAnswer& answer) { return std::string(answer.fBuffer + 9, answer.fBuffer + 13); }

class SPLibraryTest : public ::testing::Test {
protected:
    ~SPLibraryTest() override { TControllerSimulation::Reset(); }
};

}  // namespace

TEST_F(SPLibraryTest, DefaultControllerAnswersTheFirmwareBuild) {
    EXPECT_EQ(1, TarnInfo::GetInstance()->GetNodeCount());
    EXPECT_EQ(0, SPLibrary::GetBMCMapping(0));
    EXPECT_EQ(3, SPLibrary::GetBMCMapping(3));
    TAnswer answer = AskFirmwareVersion();
    ASSERT_TRUE(answer.fSent);
    EXPECT_EQ(13, answer.fLength);
    EXPECT_EQ(0, answer.fBuffer[4]);
    EXPECT_EQ(0x3B, answer.fBuffer[2]);
    EXPECT_EQ("GKWE", BuildId(answer));
    EXPECT_FALSE(SPLibrary::GetSplibraryInstance(1));
}

TEST_F(SPLibraryTest, ConfiguredAnswersAndFailures) {
    TControllerSimulation::SetNodeCount(4);
    TControllerSimulation::SetControllerIndex(1, 7);
    EXPECT_EQ(4, TarnInfo::GetInstance()->GetNodeCount());
    EXPECT_EQ(7, SPLibrary::GetBMCMapping(1));
    EXPECT_EQ(2, SPLibrary::GetBMCMapping(2));

    TControllerSimulation::SetIPMIAnswer(0, "3gkwXYZ");
    EXPECT_EQ("3gkw", BuildId(AskFirmwareVersion()));
    TControllerSimulation::SetIPMIAnswer(0, "AB");
    EXPECT_EQ("AB  ", BuildId(AskFirmwareVersion()));

    TControllerSimulation::SetIPMIAnswer(0xC3, "GKWE");
    TAnswer timeout = AskFirmwareVersion();
    EXPECT_TRUE(timeout.fSent);
    EXPECT_EQ(5, timeout.fLength);
    EXPECT_EQ(0xC3, timeout.fBuffer[4]);

    TControllerSimulation::SetIPMIAnswer(0, "GKWE");
    EXPECT_FALSE(AskFirmwareVersion(12).fSent);
    TControllerSimulation::SetSendFailure(true);
    EXPECT_FALSE(AskFirmwareVersion().fSent);

    unsigned char unknown[16] = {0x01, 0x20, 0x06, 0x00, 0x01, 0x00};
    int length = 6;
    TControllerSimulation::SetSendFailure(false);
    ASSERT_TRUE(SPLibrary::GetSplibraryInstance(0)->sendIPMICommand(unknown, &length, 16, true));
    EXPECT_EQ(0xC1, unknown[4]);
    EXPECT_FALSE(SPLibrary::GetSplibraryInstance(0)->sendIPMICommand(nullptr, &length, 16, true));

    TControllerSimulation::SetLibraryMissing(true);
    EXPECT_FALSE(SPLibrary::GetSplibraryInstance(0));
    TControllerSimulation::Reset();
    EXPECT_TRUE(SPLibrary::GetSplibraryInstance(0));
    EXPECT_EQ(1, TarnInfo::GetInstance()->GetNodeCount());
    EXPECT_EQ(1, SPLibrary::GetBMCMapping(1));
}
