/* Imports hid.dll and msimg32.dll, as pelkocfg.exe once did: the import check must refuse it. */
#include <windows.h>
#include <hidsdi.h>

int main(void) {
    GUID guid;
    HidD_GetHidGuid(&guid);
    return TransparentBlt(NULL, 0, 0, 1, 1, NULL, 0, 0, 1, 1, 0);
}
