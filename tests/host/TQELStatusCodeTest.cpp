#include <qel/TQELStatusCode.h>

#include <set>
#include <string>

#include <gtest/gtest.h>

#include <qel/TQELException.h>

using namespace NVORNQEL20;

TEST(TQELStatusCode, EveryListedCodeHasItsOwnText) {
    const int codes[] = {0, 1, 4, 14, 15, 16, 22, 25, 28, 31, 32, 42, 43};
    std::set<std::string> texts;
    for (int code : codes) {
        const std::string text = TQELStatusCode(code).TranslateStatusCode();
        EXPECT_FALSE(text.empty());
        EXPECT_EQ(std::string::npos, text.find("Status code")) << code << " has only the generic text";
        texts.insert(text);
    }
    EXPECT_EQ(sizeof codes / sizeof codes[0], texts.size());
    EXPECT_EQ("Type mismatch", TQELStatusCode(14).TranslateStatusCode());
    EXPECT_EQ("Status code 99", TQELStatusCode(99).TranslateStatusCode());
    EXPECT_EQ("Status code -3", TQELStatusCode(-3).TranslateStatusCode());
}

TEST(TQELStatusCode, ExceptionCarriesTheCodeAndItsText) {
    try {
        throw TQELException(25, "CIM name '1x' is invalid");
    } catch (const std::exception& error) {
        EXPECT_STREQ("Invalid CIM name", error.what());
        const TQELException& qelError = dynamic_cast<const TQELException&>(error);
        EXPECT_EQ(25, qelError.GetStatusCode().GetCode());
        EXPECT_EQ("CIM name '1x' is invalid", qelError.GetDetail());
    }
    EXPECT_EQ(0, static_cast<int>(TQELStatusCode()));
}
