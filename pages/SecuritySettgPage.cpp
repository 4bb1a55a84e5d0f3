#include "pages/SecuritySettgPage.h"
