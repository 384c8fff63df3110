#include "mid/mid.h"
#include "../high/high.h"
