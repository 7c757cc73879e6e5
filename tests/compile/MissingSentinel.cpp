// Compiled (never linked) by the test suite, which expects the compiler to warn
// that the parameter list lacks its closing null pointer.
#include <geoframe/projection/GxProj4Interface.h>

bool Configure(GxProj4Interface& adapter) {
    return adapter.SetParameters("proj=utm", "zone=32");
}
