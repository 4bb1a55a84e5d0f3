// The certificate dialogs: "Select Certificate" and "View Certificate".
#pragma once

#include "pages/Certificates.h"
