// The one program-wide game folder; empty until the start-up fills it.

#include "launcher/GameFolder.h"

std::string GameFolder;
