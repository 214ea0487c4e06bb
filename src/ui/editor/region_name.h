#pragma once

// The region rule moved to the document; the editor and the rasterizer still include it here.
#include "document/region_name.h"
