#include "shell/UParGen.h"

TFParGen* FParGen = nullptr;
