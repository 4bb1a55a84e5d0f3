#include "pages/CredentialDlgs.h"
