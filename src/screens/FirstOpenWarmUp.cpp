#include "screens/FirstOpenWarmUp.h"

void FirstOpenWarmUp::run()
{ }
