// The reference program's resource ids.
#pragma once

#define IDD_REFERENCE 100
