#include "links/SoftLauncher.h"
