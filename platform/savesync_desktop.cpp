// On the desktop a save is on disk once its file has been replaced.
#include "platform/files_internal.h"

void OsSaveStored(const std::string&) {}
