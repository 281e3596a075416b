/* The vendor interface's feature reports: each HidD_SetFeature hands a request to the
 * firmware, the HidD_GetFeature after it collects the reply. Faults and the mouse's buttons
 * come from the control channel at every request; every exchange goes to the wire log. */
#pragma once

#include <ddk/wdm.h>

void mouseInit(void);
/* A fresh firmware from the memory file (the factory memory when there is none); button
 * presses made before now do not count. */
void mouseStart(void);
/* `data` holds the 8 bytes after the report id. */
NTSTATUS mouseSetFeature(const UCHAR* data);
NTSTATUS mouseGetFeature(UCHAR* data);
