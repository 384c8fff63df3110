#pragma once
#include <QWidget>
#include "mid/mid.h"
#include "low/low.h"
