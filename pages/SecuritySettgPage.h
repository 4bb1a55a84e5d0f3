// The security page of the profile sheet ("Security").
#pragma once

#include "pages/ProfileSheet.h"
