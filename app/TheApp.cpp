// The program's one application object, constructed before the entry point runs.
#include "app/ZeitApp.h"

hv::ZeitApp theApp;
