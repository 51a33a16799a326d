// Setup's document: the banner shows no data, and no file is opened or saved.
#pragma once

#include "framework/frame.h"

class CSetupDoc : public fw::Document {};
