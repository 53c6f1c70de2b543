#pragma once
// Ending a run the way a crash or a killed process does it to the modules: no WM_CLOSE and no
// deinit; the windows go and the modules are freed, so the next HostsimStart loads them afresh.
// For tests of what a module keeps when the host dies under it.
void HostsimCrash();
