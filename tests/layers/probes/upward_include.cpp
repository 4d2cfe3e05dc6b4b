// Compiled as a file of the base layer: the run lies above it.
#include "base/file_name_bytes.h"
#include "run/fin_run.h"
