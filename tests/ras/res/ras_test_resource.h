// Resource ids of the remote access tests.
#pragma once

#define IDD_RAS_TEST_OWNER 100
