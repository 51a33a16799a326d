// The texts of the error codes.
#include <cstring>
#include <string>

#include "ras_fixture.h"

namespace {

TEST_F(SimulatedRasTest, EveryCodeTheServiceReportsHasAText) {
    const std::uint32_t reported[] = {6, 87, 603, 623, 624, 628, 632, 676, 678, 680, 691};
    for (std::uint32_t code : reported) {
        SCOPED_TRACE(code);
        char text[256];
        std::memset(text, 'x', sizeof text);
        EXPECT_EQ(service.RasGetErrorString(code, text, sizeof text), ras::kSuccess);
        EXPECT_GT(std::strlen(text), 10u);
        EXPECT_EQ(std::string(text).find(std::to_string(code)), std::string::npos);
    }
    // Every known text fits the dialer's buffer with its terminator.
    for (std::uint32_t code = 0; code < 2000; ++code) {
        char text[256] = {};
        if (service.RasGetErrorString(code, text, sizeof text) == ras::kSuccess) {
            EXPECT_LT(std::strlen(text), 256u) << code;
        }
    }
}

TEST_F(SimulatedRasTest, UnknownCodesAndSmallBuffers) {
    char text[256];
    EXPECT_EQ(service.RasGetErrorString(9999, text, sizeof text), ras::kErrorInvalidParameter);
    EXPECT_NE(std::string(text).find("9999"), std::string::npos);

    char small[11];
    EXPECT_EQ(service.RasGetErrorString(676, small, sizeof small), ras::kErrorBufferTooSmall);
    EXPECT_EQ(std::string(small), "The line i");
    EXPECT_EQ(service.RasGetErrorString(676, nullptr, 256), ras::kErrorInvalidParameter);
    EXPECT_EQ(service.RasGetErrorString(676, small, 0), ras::kErrorInvalidParameter);
}

}  // namespace
