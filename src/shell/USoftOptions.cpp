#include "shell/USoftOptions.h"

TFSoftOptions* FSoftOptions = nullptr;
