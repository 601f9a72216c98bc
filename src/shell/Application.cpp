#include "shell/Application.h"
