// a; b [ c
#define X \
  1
#include "high/high.h"
