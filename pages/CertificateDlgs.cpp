#include "pages/CertificateDlgs.h"
