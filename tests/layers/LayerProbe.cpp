// Compiled with the include view of one library: PROBE_HEADER names a header of
// a folder that library may see (the build must succeed) or of one above or
// beside it (the build must fail, as the header is not found).
#include PROBE_HEADER
