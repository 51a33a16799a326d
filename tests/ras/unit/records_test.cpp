// Filling the dial parameters the dialer hands to the service.
#include <gtest/gtest.h>

#include <string>

#include "dialer/ras/ras_records.h"

namespace {

TEST(DialParams, NamesAndSecretsAreCutAt256Characters) {
    for (std::size_t length : {0u, 1u, 255u, 256u, 257u, 400u}) {
        SCOPED_TRACE(length);
        const std::string entry(length, 'e');
        const std::string user(length, 'u');
        const std::string password(length, 'p');
        const ras::DialParams params = ras::makeDialParams(entry, user, password);
        const std::size_t kept = std::min<std::size_t>(length, 256);
        EXPECT_EQ(params.dwSize, 1052u);
        EXPECT_EQ(ras::fieldText(params.szEntryName), entry.substr(0, kept));
        EXPECT_EQ(ras::fieldText(params.szUserName), user.substr(0, kept));
        EXPECT_EQ(ras::fieldText(params.szPassword), password.substr(0, kept));
        EXPECT_EQ(params.szEntryName[256], '\0');
        EXPECT_EQ(params.szPassword[256], '\0');
        EXPECT_STREQ(params.szPhoneNumber, "");
        EXPECT_STREQ(params.szCallbackNumber, "");
        EXPECT_STREQ(params.szDomain, "");
    }
}

}  // namespace
