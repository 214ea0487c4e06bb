#include "support/fixture_builder.h"
