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
        EXPECT_EQ(RasGetErrorStringA(code, text, sizeof text), ras::kSuccess);
        EXPECT_GT(std::strlen(text), 10u);
        EXPECT_EQ(std::string(text).find(std::to_string(code)), std::string::npos);
    }
}

}  // namespace
