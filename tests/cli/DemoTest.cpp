// cimhttp demo: the tour against the bundled test CIMOM, started and
// stopped inside the program.
#include "CliTestSupport.h"

using namespace cimhttp_test;

namespace {

class DemoTest : public TCliTest {};

TEST_F(DemoTest, TheTourShowsEachStepAndStopsItsCimoms) {
    const TCliResult demo = Cli({"demo"});
    EXPECT_EQ(0, demo.fStatus) << demo.fErr;
    const std::vector<std::string> shown = {
        "== 1. The class tree, from the top ==",
        "classes --deep\nCIM_ManagedElement\n  CIM_ManagedSystemElement\n",
        "== 2. A class: superclasses, qualifiers, properties, methods ==",
        "  Name         string   key           VORN_MethodTest  Description, Key, MaxLen\n",
        "names VORN_Memory\nNODE  PATH\n1     VORN_Memory.CreationClassName=\"VORN_Memory\",DeviceID=\"DIMM0\"",
        "VORN_Memory.Capacity = 16777216 (Units KiloBytes) shows as \"16 Gigabytes\"",
        "VORN_ComputerSystem.LastBootDuration = 95500 (Units MilliSeconds) shows as \"0 days 00:01:35.500000\"",
        "VORN_ComputerSystem.HealthState = 20 (ValueMap and Values) shows as \"Major failure\"",
        "== 5. A method call ==",
        "EchoScalars InString=hello InUint32=42\nEchoScalars on VORN_MethodTest, run on node 1 (",
        "ReturnValue  InString=\"hello\";InUint32=42\nOutString    hello\nOutUint32    42\n",
        "\n2     VORN_ComputerSystem.CreationClassName=\"VORN_ComputerSystem\",Name=\"vorn-demo01.example.test\"\n3 ",
        "The test CIMOMs have stopped; 7 of 7 commands ran.",
    };
    for (const std::string& text : shown)
        EXPECT_NE(std::string::npos, demo.fOut.find(text)) << text << "\n---\n" << demo.fOut;
}

TEST_F(DemoTest, AsJsonTheTourIsOneDocumentOfItsStepsAndResults) {
    const nlohmann::json tour = JsonOf(Cli({"demo", "--format", "json"}));
    const nlohmann::json& steps = tour["steps"];
    ASSERT_EQ(7u, steps.size());
    EXPECT_EQ(0, tour["failedSteps"]);
    for (const nlohmann::json& step : steps) {
        EXPECT_FALSE(step.contains("error")) << step.dump();
        EXPECT_EQ(0u, step["command"].get<std::string>().rfind("cimhttp --host ", 0));
    }
    const nlohmann::json& call = steps[4]["result"];
    EXPECT_EQ("InString=\"hello\";InUint32=42", call["returnValue"]);
    EXPECT_EQ(42, call["outputs"]["OutUint32"]);
    const nlohmann::json& instances = steps[6]["result"]["instances"];
    ASSERT_EQ(3u, instances.size());
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_EQ(std::to_string(i + 1), instances[i]["node"]);
    EXPECT_EQ("Major failure", tour["displayExamples"][2]["display"]);
}

}  // namespace
