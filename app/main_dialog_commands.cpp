// The main window's message map.
#include "app/main_dialog.h"

BEGIN_MESSAGE_MAP(CPELKOmouseDlg, CDialog)
ON_MESSAGE(WM_ERASEBKGND, OnEraseBkgnd)
END_MESSAGE_MAP()
