// The generator's array kinds, compiled into this test program.
#include "tools/zsbgen/ArrayKinds.cpp"
