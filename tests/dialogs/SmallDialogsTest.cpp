#include "GuiTest.h"
