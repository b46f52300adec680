// Compiled with the include view of the document library: a header of its own
// layer or a lower one is found, a header of a higher layer is not.
#ifdef PROBE_UPWARD
#include "shell/frmMain.h"
#else
#include "core/IniFile.h"
#include "document/frmDocument.h"
#endif
