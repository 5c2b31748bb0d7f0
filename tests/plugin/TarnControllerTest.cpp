// The management controller's firmware prefix and SLP service type, read
// over IPMI through the host's service-processor library, whose simulated
// controller answers as the test sets it up.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <boost/make_shared.hpp>

#include <qel/TControllerSimulation.h>

#include "class/TCimHTTPClass.h"
#include "namespace/TCimHTTPNamespace.h"
#include "PluginTestSupport.h"

using namespace cimhttp_test;
using namespace NVORNQEL20;

namespace {

const char* const kTarnhold = "service:management-hardware.VORN:tarnhold";
const char* const kTarnhold2 = "service:management-hardware.VORN:tarnhold2";

class TarnControllerTest : public PluginTest {
protected:
    TarnControllerTest()
        : fNamespace(boost::make_shared<TCimHTTPNamespace>(false, "root/tarn0")),
          fClass(boost::make_shared<TCimHTTPClass>(fNamespace, 60000, "VORN_Controller",
                                                   boost::shared_ptr<TCimHTTPClass>()))
    {
    }

    // The service type the class finds, with the lines it logged at level 3.
    std::pair<std::string, std::vector<std::string>> ServiceType()
    {
        TRootObject::GetCoreLogger()->Clear();
        const std::string type = fClass->GetTarnServiceType();
        return {type, LoggedMessages()};
    }

    boost::shared_ptr<TCimHTTPNamespace> fNamespace;
    boost::shared_ptr<TCimHTTPClass> fClass;
};

TEST_F(TarnControllerTest, KnownBuildPrefixesGiveTheirServiceTypeInAnyLetterCase)
{
    EXPECT_EQ("GKWE", fClass->GetTarnVersion());
    EXPECT_EQ(std::make_pair(std::string(kTarnhold),
                             std::vector<std::string>{"Tarn Version: GKWE\n", std::string("SLP Service Type: ") +
                                                                                  kTarnhold + "\n"}),
              ServiceType());

    TControllerSimulation::SetIPMIAnswer(0, "3gkw");
    EXPECT_EQ("3gkw", fClass->GetTarnVersion());
    EXPECT_EQ(kTarnhold2, ServiceType().first);
    TControllerSimulation::SetIPMIAnswer(0, "gKwE");
    EXPECT_EQ(kTarnhold, ServiceType().first);

    TControllerSimulation::SetIPMIAnswer(0, "XY");
    EXPECT_EQ("XY  ", fClass->GetTarnVersion());
    EXPECT_EQ(std::make_pair(std::string(),
                             std::vector<std::string>{"Tarn Version: XY  \n", "SLP Service Type: \n"}),
              ServiceType());
    EXPECT_TRUE(LoggedMessages(0).empty());
}

// Every failure is logged and gives "": the library missing at level 1,
// the rest at level 3.
TEST_F(TarnControllerTest, ControllerFailuresAreLoggedAndGiveNothing)
{
    TControllerSimulation::SetIPMIAnswer(0xC1, "GKWE");
    EXPECT_EQ(std::make_pair(std::string(), std::vector<std::string>{
                                                "IPMI Error in obtaining Tarn version: Invalid command\n",
                                                "Tarn Version: \n", "SLP Service Type: \n"}),
              ServiceType());
    TControllerSimulation::SetIPMIAnswer(0xD5, "GKWE");
    EXPECT_EQ("IPMI Error in obtaining Tarn version: Command or request parameter not supported in present state\n",
              ServiceType().second.front());
    for (unsigned char code : {0x01, 0x7F, 0xBF, 0xD6, 0xFF}) {
        TControllerSimulation::SetIPMIAnswer(code, "GKWE");
        EXPECT_EQ("IPMI Error in obtaining Tarn version: Unknown error\n", ServiceType().second.front());
    }

    TControllerSimulation::SetIPMIAnswer(0, "GKWE");
    TControllerSimulation::SetSendFailure(true);
    EXPECT_EQ("", fClass->GetTarnVersion());
    EXPECT_EQ("Failure in sending command to obtain Tarn version.\n", ServiceType().second.front());

    TControllerSimulation::SetSendFailure(false);
    TControllerSimulation::SetLibraryMissing(true);
    TRootObject::GetCoreLogger()->Clear();
    EXPECT_EQ("", fClass->GetTarnServiceType());
    EXPECT_EQ(std::vector<std::string>{"Could not load SPLibrary."}, LoggedMessages(1));
    EXPECT_EQ((std::vector<std::string>{"Tarn Version: \n", "SLP Service Type: \n"}), LoggedMessages());
}

}  // namespace
