#include "pages/WepKeyDlg.h"
